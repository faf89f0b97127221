// The preset settings written into and read back from a collection, each value read back
// held to the domain of its setting.
#include "panels/PresetRecord.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "artwork/LabelCounters.h"
#include "core/PlotwisePrefs.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseSuites.h"
#include "geometry/IsoViewDerivation.h"

namespace {

// The values a preset may give each number it carries, in the preset record's order. A
// style field the style-field table bounds keeps that domain (its row is not repeated here);
// every other number has its row: units are the formatter's codes, precisions its six
// steps, colour kinds those the dimension colour is drawn from, the other codes those the
// panels and tools offer, and values inside a range that are no choice (separators of a
// menu) are listed as gaps. A number with neither is refused, so none is taken unchecked.
// Flags and texts take any value of their type; a text arrives cut to its field.
constexpr double kNoGap = std::numeric_limits<double>::quiet_NaN();  // equal to no value
struct Domain {
    const char* key;
    double least, most;
    double gaps[3] = {kNoGap, kNoGap, kNoGap};

    bool Holds(double value) const {
        if (value < least || value > most) return false;
        return std::find(std::begin(gaps), std::end(gaps), value) == std::end(gaps);
    }
};
constexpr double kLength = style_fields::kLengthMost;
constexpr double kLargeLength = 1e6;
constexpr double kUnits = style_fields::kUnitCodeMost;
constexpr double kPrecision = 5;
constexpr double kComponent = style_fields::kComponentMost;
// Read by nothing: every value of the type is harmless.
constexpr double kAnyLeast = std::numeric_limits<int32_t>::min(), kAnyMost = std::numeric_limits<int32_t>::max();
constexpr Domain kDomains[] = {
    {"isoPadPosTempT", -90, 90}, {"isoPadPosTempR", 0, 90}, {"isoViewT", -90, 90}, {"isoViewR", 0, 90},
    {"isoViewA", -7, 7}, {"isoViewB", -7, 7}, {"isoViewC", -7, 7},
    {"isoViewAF", 0, 16}, {"isoViewBF", 0, 16}, {"isoViewCF", 0, 16},
    {"currentAxoViewIndex", 0, 13, {5, 8, 12}},
    {"customAxoView1R", 0, 90}, {"customAxoView2R", 0, 90}, {"customAxoView3R", 0, 90}, {"customAxoView4R", 0, 90},
    {"customAxoView5R", 0, 90}, {"customAxoView1T", -90, 90}, {"customAxoView2T", -90, 90},
    {"customAxoView3T", -90, 90}, {"customAxoView4T", -90, 90}, {"customAxoView5T", -90, 90},
    {"numberFormat", 0, 1}, {"NumericInputUnits", 0, kUnits}, {"NumericInputPrecision", 0, kPrecision},
    // Custom colours are defined in CMYK, RGB or Lab; the dimension colour is grey, CMYK,
    // custom, RGB or none (a pattern or gradient cannot be carried).
    {"dimensionCustomColorType", 0, 2}, {"dimensionColorEntry", 0, 12}, {"dimensionColorType", 0, 6, {2, 4}},
    {"arrowheadStyle", 1, 8}, {"arrowheadAngle", 0, 180}, {"textDistanceAboveLine", -kLength, kLength},
    {"useUniversalTextAngle", 0, 1}, {"moveLargeDimensionText", 0, 1},
    {"hTextPlacement", 1, 5}, {"vTextPlacement", 1, 5}, {"aTextPlacement", 1, 5}, {"dualDimensions", 0, 1},
    {"appendUpperUnitLabels", 0, 1}, {"appendLowerUnitLabels", 0, 1}, {"upperTolerance", 0, 3},
    {"upperToleranceSuperscript", 0, 1}, {"lowerTolerance", 0, 3}, {"lowerToleranceSuperscript", 0, 1},
    {"appendDiamLabels", 0, 1}, {"diameterLabelsBefore", 0, 1}, {"diameterLeaderSpansCircle", 0, 1},
    {"witnessExtension", 0, kLength}, {"autoDimensionOffset", -kLength, kLength},
    {"makeSectionLineDoubleThick", 0, 1}, {"primeSection", 0, 1}, {"chainDatum", 0, 1}, {"JISDatumTerminator", 0, 1},
    {"repeatType", 0, 1}, {"moveType", 0, 8}, {"rowDirection", 0, 1}, {"colDirection", 0, 1},
    {"CADtrackerUnits", 0, kUnits}, {"CADtrackerPrecision", 0, kPrecision},
    {"upperDecimalPrecision", 0, kPrecision}, {"upperFractionalPrecision", 0, kPrecision},
    {"lowerDecimalPrecision", 0, kPrecision}, {"lowerFractionalPrecision", 0, kPrecision},
    {"rulerPrecision", 0, kPrecision}, {"rulerUnits", 0, kUnits},
    {"chamferDistance1", 0, kLargeLength}, {"chamferDistance2", 0, kLargeLength}, {"filletRadius", 0, kLargeLength},
    {"wallThickness", 0, kLargeLength}, {"wallDatum", 0, 2}, {"liveDimension", 0, 1},
    {"dimensionDataID", 0, std::numeric_limits<int32_t>::max()},
    {"labelLeader", 0, 5}, {"labelShape", 0, 6}, {"labelBorder", 0, 35}, {"labelIncType", kAnyLeast, kAnyMost},
    {"labelLeaderLength", 0, kLength}, {"CADgridSnapTolerance", 0, 1000},
    {"gridColorRed", 0, kComponent}, {"gridColorBlue", 0, kComponent}, {"gridColorGreen", 0, kComponent},
    {"gridColorEntry", 1, 13, {11}}, {"GridlineEntry", 1, 3},
    {"CADgridSpacing", 0.001, kLargeLength}, {"CADgridNumSubdiv", 1, 100}, {"CADgridLineStyle", kAnyLeast, kAnyMost},
    {"DimNextNum", 0, kMaxCounterNumber}, {"DimNextAlpha", 0, 701},
    // The panel's slider gives 0 to 32; a document older than the setting reads as 50.
    {"textSpacing", 0, 50},
    {"LabelFormat", 0, 3}, {"LabelNextNum", 0, kMaxCounterNumber}, {"LabelNextAlpha", 0, 701},
    {"diameterLeaderLength", 0, kLength}, {"NumericLabelsNumberOfLeadingZeros", 0, 9},
    {"alphaLabelMenuOption", 0, 1}, {"numericLabelMenuOption", 0, 2}, {"customLabelMenuOption", 0, 1},
    {"terminatorDirection", 0, 2}, {"MasterUnits", 0, kUnits}, {"MasterPrecision", 0, kPrecision},
};

// The style field kept under a preset key when the style-field table bounds it.
const StyleField* BoundedStyleField(const char* key) {
    for (const StyleField& f : StyleFields())
        if (f.prefKey && std::strcmp(f.prefKey, key) == 0)
            return std::isfinite(f.least) || std::isfinite(f.most) ? &f : nullptr;
    return nullptr;
}

bool InDomain(const char* key, double value) {
    if (!std::isfinite(value)) return false;
    if (const StyleField* f = BoundedStyleField(key)) return f->Holds(value);
    const auto row = std::find_if(std::begin(kDomains), std::end(kDomains),
                                  [key](const Domain& d) { return std::strcmp(d.key, key) == 0; });
    return row != std::end(kDomains) && row->Holds(value);
}

// Writes each setting into the collection; a key the host cannot write is left out.
struct Exporter final : PrefsVisitor {
    AIAttributeCollectionRef preset;
    explicit Exporter(AIAttributeCollectionRef c) : preset(c) {}
    void integer(const char*, const char* key, int32_t& field, int32_t) override {
        (void)sAIAttributeCollection->SetIntegerValue(preset, key, field);
    }
    void boolean(const char*, const char* key, int& field, bool) override {
        (void)sAIAttributeCollection->SetBooleanValue(preset, key, field != 0);
    }
    void real(const char*, const char* key, float& field, float) override {
        (void)sAIAttributeCollection->SetRealValue(preset, key, field);
    }
    void string(const char*, const char* key, char* field, int32_t size, const char*) override {
        // A field filled to its end without a terminator is read no further than its size.
        const std::string text(field, strnlen(field, static_cast<size_t>(size)));
        (void)sAIAttributeCollection->SetStringValue(preset, key, text.c_str());
    }
    void point(const char*, const char*, AIRealPoint&, AIRealPoint) override {}
};

// What a value of each type is, in the words the user reads.
enum class Held { kInteger, kReal, kBoolean, kString, kNothing };
constexpr const char* kHeldWords[] = {"a whole number", "a number", "true or false", "a text"};

// The type a preset holds a key with; kNothing when it lacks the key.
Held HeldType(AIAttributeCollectionRef preset, const char* key) {
    int32_t integer = 0;
    AIReal real = 0;
    AIBoolean flag = false;
    char text[2] = {};
    if (!sAIAttributeCollection->GetIntegerValue(preset, key, &integer)) return Held::kInteger;
    if (!sAIAttributeCollection->GetRealValue(preset, key, &real)) return Held::kReal;
    if (!sAIAttributeCollection->GetBooleanValue(preset, key, &flag)) return Held::kBoolean;
    if (!sAIAttributeCollection->GetStringValue(preset, key, text, sizeof text)) return Held::kString;
    return Held::kNothing;
}

// Reads each setting back; a missing, mistyped or out-of-domain value keeps the field, and
// the mistyped and out-of-domain ones are listed.
struct Applier final : PrefsVisitor {
    AIAttributeCollectionRef preset;
    std::string refused;
    explicit Applier(AIAttributeCollectionRef c) : preset(c) {}
    void refuse(const std::string& item) { refused += (refused.empty() ? "" : ", ") + item; }
    bool accept(const char* key, double value) {
        if (InDomain(key, value)) return true;
        char item[96];
        std::snprintf(item, sizeof item, "%s %.9g", key, value);
        refuse(item);
        return false;
    }
    // A value the getter of the setting's type found none of: absent, or of another type.
    void unread(const char* key, Held wanted) {
        if (const Held held = HeldType(preset, key); held != Held::kNothing)
            refuse(std::string(key) + " (" + kHeldWords[static_cast<int>(held)] + ", not " +
                   kHeldWords[static_cast<int>(wanted)] + ")");
    }
    void integer(const char*, const char* key, int32_t& field, int32_t) override {
        int32_t value = field;
        if (sAIAttributeCollection->GetIntegerValue(preset, key, &value)) unread(key, Held::kInteger);
        else if (accept(key, value)) field = value;
    }
    void boolean(const char*, const char* key, int& field, bool) override {
        AIBoolean value = field != 0;
        if (sAIAttributeCollection->GetBooleanValue(preset, key, &value)) unread(key, Held::kBoolean);
        else field = value ? 1 : 0;
    }
    void real(const char*, const char* key, float& field, float) override {
        AIReal value = field;
        if (sAIAttributeCollection->GetRealValue(preset, key, &value)) unread(key, Held::kReal);
        else if (accept(key, value)) field = value;
    }
    void string(const char*, const char* key, char* field, int32_t size, const char*) override {
        char text[1024] = {};
        const int32_t room = size < static_cast<int32_t>(sizeof text) ? size : static_cast<int32_t>(sizeof text);
        if (sAIAttributeCollection->GetStringValue(preset, key, text, room)) unread(key, Held::kString);
        else CopyCString(field, static_cast<size_t>(size), text);
    }
    void point(const char*, const char*, AIRealPoint&, AIRealPoint) override {}
};

}  // namespace

AIErr NewPresetCollection(const char* name, preferences& prefs, AIAttributeCollectionRef* preset) {
    *preset = nullptr;
    if (AIErr err = sAIAttributeCollection->CreateCollection(preset)) return err;
    if (!*preset) return kNoErr;
    if (AIErr err = sAIAttributeCollection->SetStringValue(*preset, kPresetNameKey, name)) {
        (void)sAIAttributeCollection->Release(*preset);
        *preset = nullptr;
        return err;
    }
    Exporter exporter(*preset);
    VisitPresetPrefs(prefs, exporter);
    return kNoErr;
}

void ApplyPresetCollection(AIAttributeCollectionRef preset, preferences& prefs, std::string* refused) {
    const iso_view view = prefs.isoView;
    Applier applier(preset);
    VisitPresetPrefs(prefs, applier);
    // Each of the view's values may lie in its domain and the view still see a face edge-on.
    if (!IsoViewIsUsable(prefs.isoView)) {
        prefs.isoView = view;
        applier.refuse("isoView");
    }
    if (refused) *refused = std::move(applier.refused);
}
