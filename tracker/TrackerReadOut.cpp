// The tracker read-out: showing measures in the panel, measuring the selection, the bounds
// of the selected art, and emptying the panel.
#include "tracker/TrackerReadOut.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <unordered_map>
#include <vector>

#include "AIPath.h"
#include "artwork/PathMeasure.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricUpdate.h"
#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"
#include "geometry/PointMath.h"
#include "tracker/SelectionTransform.h"
#include "tracker/TrackerFields.h"
#include "tracker/TrackerGlobals.h"
#include "tracker/TrackerPanelItems.h"
#include "units/LayerScales.h"
#include "units/PlotwiseUnits.h"

namespace tracker {
namespace {

constexpr GlobalsView<TrackerGlobals> g;

constexpr size_t kTextSize = kTrackerTextSize;
constexpr int32_t kBoundsFlags = 0x42;
constexpr const char* kAcreFormats[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f", "%.5f"};

// Values are shown from doubles: a float carries fewer digits than a room's area in square
// millimetres has. The empty marker keeps its float value.
bool Missing(double value) { return value == kMissingValue; }

void FormatOrEmpty(double value, char* out, double error) {
    if (Missing(value))
        out[0] = '\0';
    else
        FormatTrackerValue(value, out, 1, error);
}

void ShowLength(ADMDialogRef dialog, int32_t id, double value, double error) {
    char text[kTextSize];
    FormatOrEmpty(value, text, error);
    SetTrackerText(dialog, id, text);
}

// A field the user may have typed into, written again in its canonical form when it reads
// as a length; text that does not is left as typed.
void Renormalise(ADMDialogRef dialog, int32_t id) {
    double value = 0;
    if (ParseTrackerLength(dialog, id, &value)) WriteTrackerLength(dialog, id, value);
}

// Item 72 takes the number alone, item 23 the number with its suffix: acres (at the
// rulers' precision) or the area at the drawing scale followed by "sq".
void ShowArea(ADMDialogRef dialog, double area) {
    char number[kTextSize] = {}, shown[kTextSize] = {};
    if (!Missing(area)) {
        if (g->prefs.displayAcres) {
            const int32_t precision = std::clamp<int32_t>(g->prefs.rulerPrecision, 0, 5);
            const double acres = area * TrackerScaler() * TrackerScaler() / kSquarePointsPerAcre;
            std::snprintf(number, sizeof number, kAcreFormats[precision], acres);
            postParseNumericTextInput(number, sizeof number);
            std::snprintf(shown, sizeof shown, "%s%s", number, g->prefs.style.appendUpperUnitLabels ? " acres" : "");
        } else {
            FormatTrackerValue(area, number, 2);
            std::snprintf(shown, sizeof shown, "%s sq", number);
        }
    }
    SetTrackerText(dialog, kAreaField, number);
    SetTrackerText(dialog, kReadOutArea, shown);
}

// A Transform field's text (or the zero text for a missing value), remembered byte for byte.
void PrefillTransformField(ADMDialogRef dialog, int32_t id, double value, double error, const char* zero,
                           char (&remembered)[512]) {
    if (Missing(value))
        CopyCString(remembered, zero);
    else
        FormatTrackerValue(value, remembered, 1, error);
    SetTrackerText(dialog, id, remembered);
}

double Negated(double value) { return Missing(value) ? value : -value; }
double OrZero(double value) { return Missing(value) ? 0.0 : value; }

// The float error of each value the read-out shows (LengthError), in document points.
struct ReadOutErrors {
    double x = 0, y = 0;           // the position
    double w = 0, h = 0;           // the box
    double width = 0, height = 0;  // the size shown
    double length = 0;             // the length or the perimeter
};

// Measured on art: the box's sides as the host holds them, and the size shown's.
ReadOutErrors BoundsErrors(const AIRealRect& placed, const AIRealRect& sized, double length) {
    return {.x = HeldError(placed.left),
            .y = HeldError(placed.top),
            .w = HeldError(placed.left) + HeldError(placed.right),
            .h = HeldError(placed.top) + HeldError(placed.bottom),
            .width = HeldError(sized.left) + HeldError(sized.right),
            .height = HeldError(sized.top) + HeldError(sized.bottom),
            .length = length};
}

// Reported by a tool: the point (x, y) it measured to and the box w by h it spans, whose far
// corner lies back along the angle it reports (degrees; without one, at the larger
// magnitude); the length runs across the box, from that corner to the point.
ReadOutErrors BoxErrors(double x, double y, double w, double h, double angle) {
    const double radians = Missing(angle) ? 0 : DegreesToRadians<double>(angle);
    const auto back = [&](double at, double size, double way) {
        const double span = Missing(size) ? 0 : std::fabs(size);
        if (Missing(angle)) return at < 0 ? at - span : at + span;
        return way < 0 ? at + span : at - span;
    };
    const AIRealPoint end{static_cast<AIReal>(x), static_cast<AIReal>(y)};
    const AIRealPoint start{static_cast<AIReal>(back(x, w, std::cos(radians))),
                            static_cast<AIReal>(back(y, h, std::sin(radians)))};
    const PointError e = HeldError(end), s = HeldError(start);
    const double ew = Missing(w) ? 0 : e.h + s.h, eh = Missing(h) ? 0 : e.v + s.v;
    const double dw = Missing(w) ? 0 : std::fabs(w), dh = Missing(h) ? 0 : std::fabs(h), d = std::hypot(dw, dh);
    return {.x = e.h,
            .y = e.v,
            .w = ew,
            .h = eh,
            .width = ew,
            .height = eh,
            .length = d > 0 ? LengthError(e, s, dw / d, dh / d) : ew + eh};
}

// The float error of a path's length: of each of its pieces, measured between its anchors.
AIErr PathLengthError(AIArtHandle path, bool closed, double* error) {
    *error = 0;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(path, &count)) return err;
    if (count < 2) return kNoErr;
    std::vector<AIPathSegment> anchors(static_cast<size_t>(count));
    if (AIErr err = sAIPath->GetPathSegments(path, 0, count, anchors.data())) return err;
    for (size_t i = 0; i + 1 < anchors.size(); ++i) *error += DistanceError(anchors[i].p, anchors[i + 1].p);
    if (closed) *error += DistanceError(anchors.back().p, anchors.front().p);
    return kNoErr;
}

// --- measuring the selection ---

void Unite(AIRealRect& into, bool& have, const AIRealRect& r) {
    if (!have) {
        into = r;
        have = true;
        return;
    }
    into.left = std::min(into.left, r.left);
    into.right = std::max(into.right, r.right);
    into.top = std::max(into.top, r.top);
    into.bottom = std::min(into.bottom, r.bottom);
}

AIErr VisibleBounds(AIArtHandle art, AIRealRect* bounds) {
    AIRealMatrix identity{};
    sAIRealMath->AIRealMatrixSetIdentity(&identity);
    return sAIArt->GetArtTransformBounds(art, &identity, kVisibleBounds, bounds);
}

// Art without a dictionary holds no record of a dimension or of a projection; asking for
// its dictionary would give it one, so the read-out asks only art that has one.
bool HasRecords(AIArtHandle art) { return art && sAIArt->HasDictionary(art); }

bool IsDimensionArt(AIArtHandle art) { return HasRecords(art) && IsDimension(art); }

AIErr HoldsAxonometricRecord(AIArtHandle art, bool* holds) {
    *holds = false;
    if (!HasRecords(art)) return kNoErr;
    DictRef dict;
    if (AIErr err = sAIArt->GetDictionary(art, dict.put())) return err;
    *holds = dict && sAIDictionary->IsKnown(dict.get(), sAIDictionary->Key("ZA3_Axonometric"));
    return kNoErr;
}

AIErr HasAncestor(AIArtHandle art, AIArtHandle ancestor, bool* has) {
    *has = false;
    for (AIArtHandle cur = art; cur && ancestor;) {
        if (AIErr err = sAIArt->GetArtParent(cur, &cur)) return err;
        if (cur == ancestor) {
            *has = true;
            return kNoErr;
        }
    }
    return kNoErr;
}

// What the read-out gathers from the art it examines.
struct Measure {
    AIRealRect sized{}, placed{};  // A: the size shown; B: the position and the reference box
    bool haveBounds = false, haveSized = false;
    double area = 0, compoundArea = 0, length = 0, lengthError = 0;
    int32_t counted = 0, paths = 0;
    bool anyClosed = false;
    AIArtHandle compound = nullptr;
    std::unordered_map<AIArtHandle, double> compoundShares;  // its paths' shares of its fill
    bool scaleKnown = false;
    int32_t scaleID = 0;                 // of the first counted object
    AILayerHandle scaleLayer = nullptr;  // the layer it was last read for
    AIArtHandle scaled = nullptr;        // the first counted object, whose scale is shown
    // What the last parent looked at says of its members (a selection lists many
    // members of one parent in a row): the parent, whether it is a dimension, whether it or
    // one above it below the layer holds an axonometric record, and the layer.
    AIArtHandle parent = nullptr;
    bool parentKnown = false, parentDimension = false, parentAxonometric = false;
    AILayerHandle layer = nullptr;
};

enum class Outcome { measured, multipleScales, handEdited };

// The facts of the art's parent, looked up when the parent differs from the last one.
AIErr LearnParent(AIArtHandle art, Measure& m) {
    AIArtHandle parent = nullptr;
    if (AIErr err = sAIArt->GetArtParent(art, &parent)) return err;
    if (m.parentKnown && parent == m.parent) return kNoErr;
    ASBoolean layerGroup = true;
    if (parent)
        if (AIErr err = sAIArt->IsArtLayerGroup(parent, &layerGroup)) return err;
    m.parent = parent;
    m.parentKnown = true;
    m.parentDimension = IsDimensionArt(parent);
    m.parentAxonometric = !layerGroup && IsAxonometricArt(parent);
    return sAIArt->GetLayerOfArt(art, &m.layer);
}

// Whether the counted objects share one scale, read once per run of objects on one layer
// (the read stores nothing: a selection is no change the user could undo).
AIErr CheckScale(AIArtHandle art, Measure& m, Outcome* outcome) {
    if (m.scaleKnown && m.layer == m.scaleLayer) return kNoErr;
    int32_t id = 0;
    if (AIErr err = PeekZA3ObjectScale(art, &id)) return err;
    if (m.scaleKnown && id != m.scaleID) *outcome = Outcome::multipleScales;
    if (!m.scaleKnown) m.scaled = art;
    m.scaleKnown = true;
    m.scaleID = id;
    m.scaleLayer = m.layer;
    return kNoErr;
}

AIErr MeasureAxonometric(AIArtHandle art, Measure& m, Outcome* outcome) {
    if (AxoArtModified(art)) {
        *outcome = Outcome::handEdited;
        return kNoErr;
    }
    depth_object_data data{};
    if (AIErr err = GetAxonometricData(art, &data)) return err;
    AIRealRect visible{};
    if (AIErr err = VisibleBounds(art, &visible)) return err;
    Unite(m.placed, m.haveBounds, visible);
    Unite(m.sized, m.haveSized, FlatRectOfFace(data.face, visible, data.offset, data.flatSize, g->prefs.isoView.t));
    m.area += OrZero(data.area);
    m.length += OrZero(data.perimeter);
    return kNoErr;
}

AIErr MeasurePath(AIArtHandle art, Measure& m) {
    ++m.paths;
    AIRealRect visible{};
    if (AIErr err = VisibleBounds(art, &visible)) return err;
    Unite(m.placed, m.haveBounds, visible);
    Unite(m.sized, m.haveSized, visible);
    ASBoolean closed = false;
    if (AIErr err = sAIPath->GetPathClosed(art, &closed)) return err;
    m.anyClosed = m.anyClosed || closed;
    double area = kMissingValue, perimeter = kMissingValue;
    if (AIErr err = getPathAreaAndPerimeter(art, &area, &perimeter)) return err;
    bool inCompound = false;
    if (AIErr err = HasAncestor(art, m.compound, &inCompound)) return err;
    if (inCompound) {
        // Its share of what the compound fills by its fill rule: a hole's takes it away.
        const auto share = m.compoundShares.find(art);
        if (share != m.compoundShares.end()) m.compoundArea += share->second;
    } else {
        m.area += std::fabs(OrZero(area));
    }
    m.length += OrZero(perimeter);
    double error = 0;
    if (AIErr err = PathLengthError(art, closed != 0, &error)) return err;
    m.lengthError += error;
    return kNoErr;
}

// Counts the art unless it is a layer group, a dimension or a part of one (a member of a
// dimension), which are not measured, and checks its scale against the others'.
AIErr CountOne(AIArtHandle art, Measure& m, Outcome* outcome, bool* counted) {
    *counted = false;
    ASBoolean layerGroup = false;
    if (AIErr err = sAIArt->IsArtLayerGroup(art, &layerGroup)) return err;
    if (layerGroup) return kNoErr;
    if (AIErr err = LearnParent(art, m)) return err;
    if (m.parentDimension || IsDimensionArt(art)) return kNoErr;
    ++m.counted;
    *counted = true;
    return CheckScale(art, m, outcome);
}

AIErr MeasureOne(AIArtHandle art, Measure& m, Outcome* outcome) {
    bool counted = false;
    if (AIErr err = CountOne(art, m, outcome, &counted)) return err;
    if (!counted || *outcome != Outcome::measured) return kNoErr;
    int16_t type = 0;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    if (type == kCompoundPathArt) {
        m.compound = art;
        std::vector<MemberShare> shares;
        if (AIErr err = CompoundPathAreaShares(art, shares)) return err;
        m.compoundShares.clear();
        for (const MemberShare& each : shares) m.compoundShares.emplace(each.path, each.share);
    }
    // Axonometric art: its own record, or one of the art it lies in.
    bool holds = false;
    if (AIErr err = HoldsAxonometricRecord(art, &holds)) return err;
    if (holds) return MeasureAxonometric(art, m, outcome);
    if (m.parentAxonometric) return kNoErr;
    if (type == kPathArt) return MeasurePath(art, m);
    if (type == kGroupArt || type == kCompoundPathArt) return kNoErr;
    AIRealRect visible{};
    if (AIErr err = VisibleBounds(art, &visible)) return err;
    Unite(m.placed, m.haveBounds, visible);
    Unite(m.sized, m.haveSized, visible);
    return kNoErr;
}

// The geometry of one art object for the labels that describe it: nothing known yet.
void ForgetGeometry() {
    g->geometryX = g->geometryY = g->geometryW = g->geometryH = kMissingValue;
    g->geometryL = g->geometryP = g->geometryA = kMissingValue;
    g->geometryErrorX = g->geometryErrorY = g->geometryErrorW = g->geometryErrorH = g->geometryErrorL = 0;
}

// The scale the read-out is shown at: the layer's of the measured art, or of a measurement
// in progress, or the current scale; held here, never written into the current scale.
struct ReadOutScale {
    AIReal scaler = 1.0f;
    char label[kScaleLabelSize] = {};
};

ReadOutScale HeldOrCurrentScale() {
    ReadOutScale s;
    s.scaler = MeasuringScaler();
    CopyCString(s.label, MeasuringScaleLabel());
    return s;
}

// `errors`: the float error every length shown is rounded with.
AIErr ShowReadOut(const ReadOutScale& scale, const ReadOutErrors& errors, double x, double y, double w, double h,
                  double width, double height, double angle, double length, double perimeter, double area);

// The distance between two bounds, exact (a float difference may round).
double Span(AIReal a, AIReal b) { return std::fabs(static_cast<double>(a) - b); }

AIErr ReportMeasure(const Measure& m, AIArtHandle art, const ReadOutScale& scale) {
    const double areaSum = m.area + std::fabs(m.compoundArea);
    // An area that is nothing, or that cannot be measured or shown, leaves the field empty.
    const double area = areaSum != 0 && std::isfinite(areaSum) ? areaSum : kMissingValue;
    const double total = m.length == 0 ? kMissingValue : m.length;
    const AIRealRect& b = m.placed;
    const AIRealRect& a = m.sized;
    const double w1 = Span(b.right, b.left), h1 = Span(b.top, b.bottom);
    const double w2 = Span(a.right, a.left), h2 = Span(a.top, a.bottom);
    if (!art) {
        // The actions divide by these: never 0, pushed 2^-16 from it (what is shown is exact).
        g->selectionWidth = std::fabs(getRealDiff(a.right, a.left));
        g->selectionHeight = std::fabs(getRealDiff(a.top, a.bottom));
        g->selectionArea = area;
    }
    if (AIErr err = updateTrackerWindowLabels(TrackerCaptions::kLength, TrackerCaptions::kPerimeter)) return err;
    const bool onePath = m.paths == 1;
    const double length = m.anyClosed ? kMissingValue : total;
    const double perimeter = m.anyClosed ? total : kMissingValue;
    const ReadOutErrors errors = BoundsErrors(b, a, m.lengthError);
    if (art) {
        g->geometryX = b.left;
        g->geometryY = b.top;
        g->geometryW = static_cast<double>(b.right) - b.left;
        g->geometryH = static_cast<double>(b.top) - b.bottom;
        g->geometryL = length;
        g->geometryP = perimeter;
        g->geometryA = area;
        g->geometryErrorX = errors.x;
        g->geometryErrorY = errors.y;
        g->geometryErrorW = errors.w;
        g->geometryErrorH = errors.h;
        g->geometryErrorL = errors.length;
        if (onePath) return kNoErr;
    }
    return ShowReadOut(scale, errors, b.left, b.top, w1, h1, w2, h2, kMissingValue, length, perimeter, area);
}

// The flat bounds of fully selected axonometric art, read from its record; a cylinder, or
// a record without a face, by its drawn bounds.
AIErr AxonometricBounds(AIArtHandle art, AIRealRect* bounds) {
    depth_object_data data{};
    if (AIErr err = GetAxonometricData(art, &data)) return err;
    const bool cylinder =
        data.type == kAxoCylinderGroup || data.type == kAxoCylinderBase || data.type == kAxoCylinderBody;
    AIRealRect drawn{};
    if (AIErr err = VisibleBounds(art, &drawn)) return err;
    *bounds = cylinder ? drawn : FlatRectOfFace(data.face, drawn, data.offset, data.flatSize, g->prefs.isoView.t);
    return kNoErr;
}

// The rectangle spanned by the anchors of the segments that are selected in any way.
AIErr SelectedAnchorBounds(AIArtHandle path, AIRealRect* bounds, bool* any) {
    *any = false;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(path, &count)) return err;
    for (int16_t i = 0; i < count; ++i) {
        int16_t state = kSegmentNotSelected;
        if (AIErr err = sAIPath->GetPathSegmentSelected(path, i, &state)) return err;
        if (state == kSegmentNotSelected) continue;
        AIPathSegment s{};
        if (AIErr err = sAIPath->GetPathSegments(path, i, 1, &s)) return err;
        Unite(*bounds, *any, AIRealRect{s.p.h, s.p.v, s.p.h, s.p.v});
    }
    return kNoErr;
}

void Contribute(AIRealRect* rect, int16_t* found, const AIRealRect& r) {
    bool have = *found != 0;
    Unite(*rect, have, r);
    *found = 1;
}

AIErr BoundsOfOne(AIArtHandle art, AIRealRect* rect, int16_t* found, int16_t flatten) {
    AIErr err = kNoErr;
    uint32_t attr = 0;
    if ((err = sAIArt->GetArtUserAttr(art, kArtSelected, &attr)) || !(attr & kArtSelected)) return err;
    int16_t full = 0, type = 0;
    if ((err = IsArtFullySelected(art, art, &full))) return err;
    if ((err = sAIArt->GetArtType(art, &type))) return err;
    AIRealRect r{};
    if (full && flatten && IsAxonometricArt(art)) {
        if ((err = AxonometricBounds(art, &r))) return err;
    } else if (type == kGroupArt) {
        AIArtHandle child = nullptr;
        if ((err = sAIArt->GetArtFirstChild(art, &child))) return err;
        return CalculateSelectedBoundsRect(child, rect, found, flatten);
    } else if (!full) {
        bool any = false;
        if (type != kPathArt || (err = SelectedAnchorBounds(art, &r, &any)) || !any) return err;
    } else {
        AIRealMatrix identity{};
        sAIRealMath->AIRealMatrixSetIdentity(&identity);
        if ((err = sAIArt->GetArtTransformBounds(art, &identity, kBoundsFlags, &r))) return err;
    }
    Contribute(rect, found, r);
    return kNoErr;
}

// The items the read-out enables and the reset disables: the transform, move, repeat and
// area sections.
constexpr std::initializer_list<int32_t> kActionItems = {
    kTransformX, kTransformY, kTransformW, kTransformH, kTransformAngle, kTransformButton, kTransformCopyButton,
    kConstrainCheckBox,
    kMoveX, kMoveY, kMoveDistance, kMoveAngle, kMoveButton, kMoveCopyButton,
    kColumns, kRows, kColumnSpacing, kRowSpacing, kBetweenPopup, kRepeatButton,
    kAreaField, kAreaButton};

}  // namespace

AIRealRect FlatRectOfFace(int32_t face, const AIRealRect& projected, AIRealPoint offset, AIRealPoint flatSize,
                          AIReal tilt) {
    const AIRealPoint p{projected.left + offset.h, projected.top + offset.v};
    const AIReal fw = flatSize.h, fh = flatSize.v;
    const bool up = tilt > 0;
    switch (face) {
        case kAxoLeftFace:
            return up ? AIRealRect{p.h - fw, p.v, p.h, p.v - fh} : AIRealRect{p.h - fw, p.v + fh, p.h, p.v};
        case kAxoRightFace:
            return up ? AIRealRect{p.h, p.v, p.h + fw, p.v - fh} : AIRealRect{p.h, p.v + fh, p.h + fw, p.v};
        case kAxoTopFace:
            return up ? AIRealRect{p.h - fw, p.v + fh, p.h, p.v} : AIRealRect{p.h - fw, p.v, p.h, p.v - fh};
        default:
            return projected;
    }
}

namespace {

AIErr ShowReadOut(const ReadOutScale& scale, const ReadOutErrors& errors, double x, double y, double w, double h,
                  double width, double height, double angle, double length, double perimeter, double area) {
    ADMDialogRef dialog = g->CADtrackerWindow;
    if (!dialog) return kNoErr;
    g->readOutScaler = scale.scaler;
    const double shownY = Negated(y), shownH = Negated(h);
    // The annotator's box keeps floats but for the sizes it shows; the marker is one.
    g->annotatorX = static_cast<AIReal>(x);
    g->annotatorY = static_cast<AIReal>(shownY);
    g->annotatorW = w;
    g->annotatorH = shownH;
    g->annotatorL = length;
    g->annotatorAngle = static_cast<AIReal>(angle);
    g->annotatorErrorW = errors.w;
    g->annotatorErrorH = errors.h;
    g->annotatorErrorL = errors.length;
    g->annotatorP = static_cast<AIReal>(perimeter);
    g->annotatorA = static_cast<AIReal>(area);

    // The reference point in the shown sense (y down): 3 × row + column of the picture.
    double rx = x, ry = shownY;
    const int32_t code = g->prefs.moveType;
    if (code >= 0 && code < kReferencePointCount && !Missing(x) && !Missing(y)) {
        rx = x + OrZero(w) * (code % 3) / 2;
        ry = shownY - OrZero(shownH) * (code / 3) / 2;
    }
    char zero[kTextSize];
    FormatTrackerValue(0.0, zero, 1);

    ShowLength(dialog, kReadOutX, x, errors.x);
    ShowLength(dialog, kReadOutY, shownY, errors.y);
    ShowLength(dialog, kReadOutW, Missing(width) ? width : std::fabs(width), errors.width);
    ShowLength(dialog, kReadOutH, Missing(height) ? height : std::fabs(height), errors.height);
    char text[kTextSize] = {};
    if (!Missing(angle)) sADMBasic->ValueToString(static_cast<float>(angle), text, 256, kADMDegreeUnits, 0, true);
    SetTrackerText(dialog, kReadOutAngle, text);
    ShowLength(dialog, kReadOutLength, length, errors.length);
    ShowLength(dialog, kReadOutPerimeter, perimeter, errors.length);
    ShowArea(dialog, area);

    // The reference point lies up to the box's size from the position.
    PrefillTransformField(dialog, kTransformX, rx, errors.x + errors.w, zero, g->transformXfldStr);
    PrefillTransformField(dialog, kTransformY, ry, errors.y + errors.h, zero, g->transformYfldStr);
    PrefillTransformField(dialog, kTransformW, Missing(width) ? width : std::fabs(width), errors.width, zero,
                          g->transformWidthStr);
    PrefillTransformField(dialog, kTransformH, Missing(height) ? height : std::fabs(height), errors.height, zero,
                          g->transformHeightStr);
    if (ADMItemRef angleItem = Item(dialog, kTransformAngle)) sADMItem->SetFloatValue(angleItem, 0.0f);
    for (int32_t id : {kMoveX, kMoveY, kMoveDistance, kColumnSpacing, kRowSpacing}) Renormalise(dialog, id);
    EnableItems(dialog, kActionItems, true);
    SetTrackerText(dialog, kReadOutScale, scale.label);
    sADMDialog->Update(dialog);
    return kNoErr;
}

// The scale of the layer the first counted object lies on, read without storing anything.
AIErr ScaleOfArt(AIArtHandle art, ReadOutScale* scale) {
    int32_t id = 0;
    return PeekZA3ObjectScale(art, &id, &scale->scaler, scale->label);
}

}  // namespace

AIErr updateTrackerWindow(double x, double y, double w, double h, double width, double height, double /*seventh*/,
                          double angle, double length, double perimeter, double area) {
    if (!g || !g->CADtrackerWindow) return kNoErr;
    return ShowReadOut(HeldOrCurrentScale(), BoxErrors(x, y, w, h, angle), x, y, w, h, width, height, angle, length,
                       perimeter, area);
}

AIErr updateTrackerWindowFromSelectedArt(AIArtHandle art) {
    if (!g || (!art && !g->CADtrackerWindow)) return kNoErr;
    if (art) ForgetGeometry();
    std::vector<AIArtHandle> list;
    if (art)
        list.push_back(art);
    else if (AIErr err = MatchingArt(true, list))
        return err;
    Measure m;
    Outcome outcome = Outcome::measured;
    for (AIArtHandle each : list) {
        if (AIErr err = MeasureOne(each, m, &outcome)) return err;
        if (outcome == Outcome::multipleScales) return resetTrackerWindowForMultipleScaledObjects();
        if (outcome == Outcome::handEdited) {
            ReadOutScale scale;
            if (AIErr err = ScaleOfArt(m.scaled, &scale)) return err;
            return ShowReadOut(scale, {}, kMissingValue, kMissingValue, kMissingValue, kMissingValue, kMissingValue,
                               kMissingValue, kMissingValue, kMissingValue, kMissingValue, kMissingValue);
        }
    }
    // Nothing counted, or nothing that has bounds (a group alone, a compound path alone):
    // nothing to show, and no bounds for the actions to work from.
    if (m.counted == 0 || !m.haveBounds) return art ? kNoErr : resetTrackerWindow();
    // Shown, typed into the panel and labelled at the scale of the layer the art lies on, as
    // a dimension of it would be; the scale every tool draws at stays the drawing's.
    ReadOutScale scale;
    if (AIErr err = ScaleOfArt(m.scaled, &scale)) return err;
    return ReportMeasure(m, art, scale);
}

AIErr SelectionScaler(AIReal* scaler, bool* found) {
    *found = false;
    std::vector<AIArtHandle> list;
    if (AIErr err = MatchingArt(true, list)) return err;
    Measure m;
    Outcome outcome = Outcome::measured;
    bool counted = false;
    for (AIArtHandle each : list) {
        if (AIErr err = CountOne(each, m, &outcome, &counted)) return err;
        if (outcome == Outcome::multipleScales) return kNoErr;
    }
    if (!m.scaleKnown) return kNoErr;
    ReadOutScale scale;
    if (AIErr err = ScaleOfArt(m.scaled, &scale)) return err;
    *scaler = std::isfinite(scale.scaler) && scale.scaler > 0 ? scale.scaler : 1.0f;
    *found = true;
    return kNoErr;
}

AIErr updateTrackerWindowLabels(int32_t lengthCaption, int32_t perimeterCaption) {
    ADMDialogRef dialog = g ? g->CADtrackerWindow : nullptr;
    if (!dialog) return kNoErr;
    char text[kTextSize];
    GetPlotwiseString(kWordList, lengthCaption - kWordList, text, sizeof text);
    SetTrackerText(dialog, kLengthCaption, text);
    GetPlotwiseString(kWordList, perimeterCaption - kWordList, text, sizeof text);
    SetTrackerText(dialog, kPerimeterCaption, text);
    return kNoErr;
}

AIErr resetTrackerWindow() {
    if (!g) return kNoErr;
    // Nothing is measured any more (a tool was put down, say): values are shown and typed
    // at the current scale again.
    g->readOutScaler = 0.0f;
    g->measuringScaler = 0.0f;
    ADMDialogRef dialog = g->CADtrackerWindow;
    if (!dialog) return kNoErr;
    for (int32_t id : {kReadOutAngle, kReadOutLength, kReadOutPerimeter, kReadOutArea, kReadOutScale, kReadOutX,
                       kReadOutY, kReadOutW, kReadOutH, kAreaField})
        SetTrackerText(dialog, id, "");
    char zero[kTextSize];
    FormatTrackerValue(0.0, zero, 1);
    for (int32_t id : {kTransformX, kTransformY, kTransformW, kTransformH, kMoveX, kMoveY, kMoveDistance,
                       kColumnSpacing, kRowSpacing})
        SetTrackerText(dialog, id, zero);
    for (int32_t id : {kTransformAngle, kMoveAngle})
        if (ADMItemRef item = Item(dialog, id)) sADMItem->SetFloatValue(item, 0.0f);
    for (int32_t id : {kColumns, kRows})
        if (ADMItemRef item = Item(dialog, id)) sADMItem->SetIntValue(item, 0);
    EnableItems(dialog, kActionItems, false);
    sADMDialog->Update(dialog);
    return kNoErr;
}

AIErr resetTrackerWindowForMultipleScaledObjects() { return resetTrackerWindow(); }

AIErr CalculateSelectedBoundsRect(AIArtHandle art, AIRealRect* rect, int16_t* found, int16_t flatten) {
    if (!rect || !found) return kBadParameterErr;
    return WalkThroughSublayers(art, [&](AIArtHandle cur) { return BoundsOfOne(cur, rect, found, flatten); });
}

AIErr CalculateSelectedBoundsOfDocument(AIRealRect* rect, int16_t* found, int16_t flatten) {
    return ForEachLayer([&](AILayerHandle layer) {
        AIArtHandle first = nullptr;
        if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &first)) return err;
        return CalculateSelectedBoundsRect(first, rect, found, flatten);
    });
}

}  // namespace tracker
