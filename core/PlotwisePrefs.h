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

// The settings that hold a length typed before its tool works on art (a wall's thickness, a
// fillet's radius, the chamfer's distances). The record holds them at full size, as typed;
// the store and the presets hold each as its drawn size at the record's scale (`scaler`), as
// they always have, so a length saved before reads as the size the user saw then.
// While it lives, the record holds those lengths drawn (to be written, or replaced by a
// preset's); then at full size again, a length left as it was with its value exactly.
class LengthSettingsDrawn {
public:
    explicit LengthSettingsDrawn(preferences& prefs);
    ~LengthSettingsDrawn();
    LengthSettingsDrawn(const LengthSettingsDrawn&) = delete;
    LengthSettingsDrawn& operator=(const LengthSettingsDrawn&) = delete;

private:
    static constexpr size_t kCount = 4;
    preferences& prefs_;
    float held_[kCount], drawn_[kCount];
};
// The scale the store holds its lengths at: its `scaler`, 1 where it holds none usable.
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
