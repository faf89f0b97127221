// Reading and writing the preferences record through the host's preference store: the
// general settings under "ZelmarkPlotwise7" (keys as the presets name them), each panel's
// placement under its own prefix, and the start-up value a missing or mistyped key leaves.
#pragma once

#include <cstddef>

#include "core/CoreGlobals.h"

#define kPlotwisePrefsPrefix "ZelmarkPlotwise7"

// Gives every field its start-up value. The text-face default is given (the host's default
// face); empty means "Helvetica".
void SetDefaultPrefs(preferences& prefs, const char* defaultFaceName = nullptr);
// Sets every default, then reads every key over it; also sets dimensionRGBColor to black.
// A missing key, or one holding another type, keeps the default.
AIErr ReadPrefs();
// Writes every setting and every panel placement.
AIErr WritePrefs();
// The same at quit, with what the subsystems keep between runs (PlotwiseHooks::preferencesKept).
AIErr WriteKeptPrefs();

// A length remembered at full size (a wall's thickness, a door's width: typed as the real
// one) is stored as its drawn size at a scale kept beside it: the preference store's
// `scaler`, a preset's own. The one conversion, both ways, for all of them; a scaler that is
// no scale (not finite, not above 0) counts as 1:1.
double LengthScale(double scaler);
template <class Length>
Length FullSizeLength(Length drawn, double scaler) {
    return static_cast<Length>(drawn * LengthScale(scaler));
}
template <class Length>
Length DrawnLength(Length fullSize, double scaler) {
    return static_cast<Length>(fullSize / LengthScale(scaler));
}

// The settings that hold a length typed before its tool works on art (a wall's thickness, a
// fillet's radius, the chamfer's distances). The record holds them at full size, as typed;
// the store and the presets hold each as its drawn size at a scale stored beside it.
// While it lives, the record holds those lengths drawn at `scaler` (to be written, or
// replaced by what is read); then at full size again, a length left as it was with its value
// exactly.
class LengthSettingsDrawn {
public:
    LengthSettingsDrawn(preferences& prefs, double scaler);
    ~LengthSettingsDrawn();
    LengthSettingsDrawn(const LengthSettingsDrawn&) = delete;
    LengthSettingsDrawn& operator=(const LengthSettingsDrawn&) = delete;
    // The lengths stay as they were at full size, whatever was read meanwhile.
    void keepAsTheyWere();

private:
    static constexpr size_t kCount = 4;
    preferences& prefs_;
    double scaler_;
    float held_[kCount], drawn_[kCount];
};
// The scale the store holds its lengths at: its `scaler`, 1 where it holds none in the domain
// of scales.
double StoredLengthScale();

// Visits every stored setting of a record: under which prefix and key, with which type and
// which start-up value. The one list of the settings: the reader, the writer and the
// start-up values all work from it.
struct PrefsVisitor {
    virtual ~PrefsVisitor() = default;
    virtual void integer(const char* prefix, const char* key, int32_t& field, int32_t startup) = 0;
    virtual void boolean(const char* prefix, const char* key, int& field, bool startup) = 0;
    virtual void real(const char* prefix, const char* key, float& field, float startup) = 0;
    virtual void string(const char* prefix, const char* key, char* field, int32_t size, const char* startup) = 0;
    virtual void point(const char* prefix, const char* key, AIRealPoint& field, AIRealPoint startup) = 0;
};
// The settings presets carry in the preset record's order, then the others, then the panel
// placements.
void VisitPrefs(preferences& prefs, PrefsVisitor& visitor);
// The 178 settings presets carry, alone, in the preset record's order and under their key
// texts.
void VisitPresetPrefs(preferences& prefs, PrefsVisitor& visitor);
