// The domains of the numeric settings, shared by the preference reader and the presets.
#include "core/PreferenceDomains.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "core/PlotwiseStyleFields.h"

namespace {

// The values each numeric setting may take: those presets carry in the preset record's
// order, then some they do not. A style field the style-field table bounds keeps that
// domain (its row is not repeated here); every other number of a preset has its row: units
// are the formatter's codes, precisions its six steps, the other codes those the panels and
// tools offer, and values inside a range that are no choice (separators of a menu) are
// listed as gaps. A preset number with neither is refused, so none is taken unchecked.
// Flags and texts take any value of their type; a text arrives cut to its field.
constexpr double kNoGap = std::numeric_limits<double>::quiet_NaN();  // equal to no value
struct Domain {
    const char* key;
    double least, most;
    // Every place a row leaves unnamed holds no gap (not 0, as a shorter list would give).
    std::array<double, 3> gaps{kNoGap, kNoGap, kNoGap};

    constexpr Domain(const char* k, double l, double m, std::initializer_list<double> listed = {})
        : key(k), least(l), most(m) {
        if (listed.size() > gaps.size()) throw "a domain holds at most three gaps";
        std::copy(listed.begin(), listed.end(), gaps.begin());
    }

    bool Holds(double value) const {
        if (value < least || value > most) return false;
        return std::find(std::begin(gaps), std::end(gaps), value) == std::end(gaps);
    }
};
constexpr double kLargeLength = 1e6;
constexpr double kUnits = style_fields::kUnitCodeMost;
constexpr double kPrecision = style_fields::kPrecisionMost;
constexpr double kComponent = style_fields::kComponentMost;
constexpr double kLeastScaler = static_cast<float>(1e-8), kMostScaler = static_cast<float>(1e8);
// A length typed at full size is stored drawn at the record's scale: up to kLargeLength at
// the smallest.
constexpr double kLargeDrawnLength = kLargeLength / kLeastScaler;
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
    {"repeatType", 0, 1}, {"moveType", 0, 8}, {"rowDirection", 0, 1}, {"colDirection", 0, 1},
    {"CADtrackerUnits", 0, kUnits}, {"CADtrackerPrecision", 0, kPrecision},
    {"rulerPrecision", 0, kPrecision}, {"rulerUnits", 0, kUnits},
    {"chamferDistance1", 0, kLargeDrawnLength}, {"chamferDistance2", 0, kLargeDrawnLength},
    {"filletRadius", 0, kLargeDrawnLength}, {"wallThickness", 0, kLargeDrawnLength}, {"wallDatum", 0, 2},
    {"labelIncType", kAnyLeast, kAnyMost},
    {"CADgridSnapTolerance", 0, 1000},
    {"gridColorRed", 0, kComponent}, {"gridColorBlue", 0, kComponent}, {"gridColorGreen", 0, kComponent},
    {"gridColorEntry", 1, 13, {11}}, {"GridlineEntry", 1, 3},
    {"CADgridSpacing", 0.001, kLargeLength}, {"CADgridNumSubdiv", 1, 100}, {"CADgridLineStyle", kAnyLeast, kAnyMost},
    {"DimNextNum", 0, kLargestCounterNumber}, {"DimNextAlpha", 0, 701},
    {"LabelNextNum", 0, kLargestCounterNumber}, {"LabelNextAlpha", 0, 701},
    {"MasterUnits", 0, kUnits}, {"MasterPrecision", 0, kPrecision},
    // The current scale: an id of the scale table (10 and 23 are its separators), a scaler
    // that is a positive number a custom scale may have (as its float field holds it), a
    // scale style of the two.
    {"pixelsperinch", 1, kAnyMost}, {"scale", 0, 39, {10, 23}}, {kScalerDomain, kLeastScaler, kMostScaler},
    // The scale a preset's lengths are drawn at: a scaler too.
    {"lengthScaler", kLeastScaler, kMostScaler},
    {"scaleStyle", 1, 2},
    // Each coordinate of a panel's place: the whole numbers the host places dialogs at.
    {"Location", kAnyLeast, kAnyMost},
};

// The style field kept under a preset key when the style-field table bounds it.
const StyleField* BoundedStyleField(const char* key) {
    for (const StyleField& f : StyleFields())
        if (f.prefKey && std::strcmp(f.prefKey, key) == 0)
            return std::isfinite(f.least) || std::isfinite(f.most) ? &f : nullptr;
    return nullptr;
}

const Domain* DomainRow(const char* key) {
    const auto row = std::find_if(std::begin(kDomains), std::end(kDomains),
                                  [key](const Domain& d) { return std::strcmp(d.key, key) == 0; });
    return row != std::end(kDomains) ? row : nullptr;
}

}  // namespace

bool HasPreferenceDomain(const char* key) { return BoundedStyleField(key) || DomainRow(key); }

bool InPreferenceDomain(const char* key, double value) {
    if (!std::isfinite(value)) return false;
    if (const StyleField* f = BoundedStyleField(key)) return f->Holds(value);
    const Domain* row = DomainRow(key);
    return row && row->Holds(value);
}

std::string OutOfPreferenceDomain(const char* key, double value) {
    if (InPreferenceDomain(key, value)) return {};
    char item[96];
    std::snprintf(item, sizeof item, "%s %.9g", key, value);
    return item;
}

bool PreferenceDomainBounds(const char* key, double* least, double* most) {
    if (const StyleField* f = BoundedStyleField(key)) {
        *least = f->least;
        *most = f->most;
        return true;
    }
    const Domain* row = DomainRow(key);
    if (row) {
        *least = row->least;
        *most = row->most;
    }
    return row != nullptr;
}

