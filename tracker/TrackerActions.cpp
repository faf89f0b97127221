// The tracker's transform, move, repeat and area actions and their field notifiers.
#include "tracker/TrackerActions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "artwork/DrawingLayer.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "tracker/SelectionTransform.h"
#include "tracker/TrackerFields.h"
#include "tracker/TrackerGlobals.h"
#include "tracker/TrackerPanelItems.h"
#include "tracker/TrackerReadOut.h"
#include "units/NumericFields.h"

namespace {

constexpr GlobalsView<TrackerGlobals> g;

// Messages of list 17000.
constexpr int32_t kNothingToScaleMessage = 78;   // no width, height or area to scale from
constexpr int32_t kTooManyCopiesMessage = 79;    // at most kMostRepeatCopies copies

constexpr int32_t kBetweenEdges = 1;

ADMDialogRef Panel() { return g ? g->CADtrackerWindow : nullptr; }

bool Empty(ADMDialogRef panel, int32_t id) {
    char text[kTrackerTextSize];
    GetTrackerText(panel, id, text);
    return text[0] == '\0';
}

float FloatValue(ADMDialogRef panel, int32_t id) {
    ADMItemRef item = Item(panel, id);
    return item ? sADMItem->GetFloatValue(item) : 0.0f;
}

bool Constrained() { return g->prefs.constrainProportions || (g->trackerModifiers & kTrackerProportion); }
bool CopyModifier() { return (g->trackerModifiers & kTrackerCopy) != 0; }

// A scale factor the walk may be given.
bool UsableFactor(double factor) { return std::isfinite(factor) && factor > 0; }

AIErr SelectedArt(std::vector<AIArtHandle>& selected) { return MatchingArt(true, selected); }

// The first matrix (and the second) applied to the selected art of every layer in order.
AIErr WalkEveryLayer(AIRealMatrix* first, const AIRealMatrix* second) {
    return ForEachLayer([&](AILayerHandle layer) {
        AIArtHandle art = nullptr;
        if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &art)) return err;
        return ApplyCADtrackerTransformation(art, first, second);
    });
}

// The user's drawing layer, whose scale the group preparation makes sure of: the current
// layer when no tool has named one yet.
AIErr KnowDrawingLayer() { return g->saveLayer ? kNoErr : sAILayer->GetCurrentLayer(&g->saveLayer); }

// The group copies go into, on top of the layer of the first selected object.
AIErr PrepareGroupBesideSelection(AIArtHandle first) {
    AILayerHandle layer = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(first, &layer)) return err;
    if (AIErr err = KnowDrawingLayer()) return err;
    return PrepThisLayer(layer);
}

// The group copies go into, on top of the user's drawing layer.
AIErr PrepareGroupOnDrawingLayer() {
    if (AIErr err = KnowDrawingLayer()) return err;
    return PrepCADLayer();
}

// The copies carry the tag; theTimer deselects everything and selects them.
AIErr SelectCopiesLater() {
    g->selectionTagged = 1;
    return g->theTimer ? sAITimer->SetTimerActive(g->theTimer, true) : kNoErr;
}

// --- transform ---

// A Transform field: changed when its text is not empty and differs from the text the
// read-out wrote, or when it holds what the user typed (which may show as that text once
// rounded); its value in document points when it reads as a length.
struct TypedField {
    bool changed = false;
    bool parsed = false;
    double value = 0;
};

// False when the field was changed to a text that is not a length: no value may stand in
// for what the user typed.
bool ReadTransformField(ADMDialogRef panel, int32_t id, const char* remembered, TypedField* field) {
    char text[kTrackerTextSize];
    GetTrackerText(panel, id, text);
    *field = {};
    if (!text[0]) return true;
    field->changed = std::strcmp(text, remembered) != 0 || HoldsFieldValue(panel, static_cast<int16_t>(id));
    field->parsed = ParseTrackerLength(panel, id, &field->value);
    return field->parsed || !field->changed;
}

// From a typed width (or height), sign kept, the other size that keeps the selection's
// proportions, into the other field.
void WriteCompanion(ADMDialogRef panel, int32_t id, double typed) {
    if (!(g->selectionWidth > 0 && g->selectionHeight > 0)) return;
    if (id == kTransformW)
        WriteTrackerLength(panel, kTransformH, g->selectionHeight * typed / g->selectionWidth);
    else
        WriteTrackerLength(panel, kTransformW, g->selectionWidth * typed / g->selectionHeight);
}

const char* Remembered(int32_t id) {
    switch (id) {
        case kTransformX: return g->transformXfldStr;
        case kTransformY: return g->transformYfldStr;
        case kTransformW: return g->transformWidthStr;
        default: return g->transformHeightStr;
    }
}

// What the Transform fields ask for.
struct TransformRequest {
    TypedField x, y, width, height;
    double angle = 0;  // radians
};

// The typed fields, the sizes in the order of the focus (the focused height first), each
// writing its companion while proportions are kept; a message when one cannot be used.
AIErr ReadTransformRequest(ADMDialogRef panel, TransformRequest* t) {
    if (!ReadTransformField(panel, kTransformX, Remembered(kTransformX), &t->x) ||
        !ReadTransformField(panel, kTransformY, Remembered(kTransformY), &t->y))
        return ShowCoreMessage(kUnreadableValueMessage);
    ADMItemRef heightItem = Item(panel, kTransformH);
    const bool heightFirst = heightItem && sADMItem->IsActive(heightItem);
    const int32_t order[2] = {heightFirst ? kTransformH : kTransformW, heightFirst ? kTransformW : kTransformH};
    for (int32_t id : order) {
        TypedField& field = id == kTransformW ? t->width : t->height;
        if (!ReadTransformField(panel, id, Remembered(id), &field)) return ShowCoreMessage(kUnreadableValueMessage);
        if (field.parsed && Constrained()) WriteCompanion(panel, id, field.value);
    }
    t->angle = sAIRealMath->DegreeToRadian(FloatValue(panel, kTransformAngle));
    return kNoErr;
}

// Scale and rotation about the reference point of the flat bounds.
AIErr ScaleAndRotation(ADMDialogRef panel, const TransformRequest& t, const AIRealRect& flat, AIRealMatrix* m) {
    AIRealPoint r{flat.left, flat.top};
    GetTransformPoint(g->prefs.moveType, &flat, &r);
    sAIRealMath->AIRealMatrixSetTranslate(m, -r.h, -r.v);
    if (t.width.changed || t.height.changed) {
        for (const TypedField* f : {&t.width, &t.height})
            if (f->changed && std::fabs(f->value) == 0) return ShowCoreMessage(kGreaterThanZeroMessage);
        const double sx = t.width.changed ? std::fabs(t.width.value) / std::fabs(flat.right - flat.left) : 1.0;
        const double sy = t.height.changed ? std::fabs(t.height.value) / std::fabs(flat.top - flat.bottom) : 1.0;
        if (!UsableFactor(sx) || !UsableFactor(sy)) return ShowCoreMessage(kNothingToScaleMessage);
        sAIRealMath->AIRealMatrixConcatScale(m, static_cast<AIReal>(sx), static_cast<AIReal>(sy));
    }
    if (t.angle != 0) {
        sAIRealMath->AIRealMatrixConcatRotate(m, static_cast<AIReal>(t.angle));
        if (ADMItemRef angle = Item(panel, kTransformAngle)) sADMItem->SetFloatValue(angle, 0.0f);
    }
    sAIRealMath->AIRealMatrixConcatTranslate(m, r.h, r.v);
    return kNoErr;
}

// The move to the typed position, measured on the drawn bounds (y typed downwards).
void PositionMove(const TransformRequest& t, const AIRealRect& drawn, AIRealMatrix* m) {
    AIRealPoint p{drawn.left, drawn.top};
    GetTransformPoint(g->prefs.moveType, &drawn, &p);
    const double h = t.x.changed ? t.x.value : p.h;
    const double v = t.y.changed ? -t.y.value : p.v;
    sAIRealMath->AIRealMatrixSetTranslate(m, static_cast<AIReal>(h - p.h), static_cast<AIReal>(v - p.v));
}

AIErr TransformSelection(ADMDialogRef panel) {
    TransformRequest t;
    if (AIErr err = ReadTransformRequest(panel, &t)) return err;
    AIRealRect flat{}, drawn{};
    int16_t haveFlat = 0, haveDrawn = 0;
    if (AIErr err = tracker::CalculateSelectedBoundsOfDocument(&flat, &haveFlat, 1)) return err;
    if (AIErr err = tracker::CalculateSelectedBoundsOfDocument(&drawn, &haveDrawn, 0)) return err;
    if (!haveFlat || !haveDrawn) return ShowCoreMessage(kSelectObjectsMessage);
    AIRealMatrix first{}, second{};
    if (AIErr err = ScaleAndRotation(panel, t, flat, &first)) return err;
    const bool moved = t.x.changed || t.y.changed;
    if (moved) PositionMove(t, drawn, &second);
    const bool copying = g->transformCopy || CopyModifier();
    if (copying)
        if (AIErr err = PrepareGroupOnDrawingLayer()) return err;
    if (!copying && !moved && !t.width.changed && !t.height.changed && t.angle == 0) return kNoErr;
    const AIErr err = WalkEveryLayer(&first, moved ? &second : nullptr);
    // Copies tagged before an error are selected all the same: no tag is left behind.
    const AIErr later = copying ? SelectCopiesLater() : kNoErr;
    return err ? err : later;
}

// --- move ---

// The offset is a real length, as typed: its fields show it so at any scale.
void WriteMoveOffset(ADMDialogRef panel, bool fromXY) {
    const AIRealPoint origin{0, 0};
    const AIRealPoint& pt = g->CADtrackerMovePt;
    if (fromXY) {
        WriteTrackerRealLength(panel, kMoveDistance, sAIRealMath->AIRealPointLength(&origin, &pt));
        AIReal degrees = sAIRealMath->RadianToDegree(sAIRealMath->AIRealPointAngle(&origin, &pt));
        if (degrees == kMissingValue) degrees = 0;
        if (ADMItemRef angle = Item(panel, kMoveAngle)) sADMItem->SetFloatValue(angle, degrees);
    } else {
        WriteTrackerRealLength(panel, kMoveX, pt.h);
        WriteTrackerRealLength(panel, kMoveY, pt.v);
    }
}

// The real offset drawn at the scale of the layer the selection lies on, read now; false when
// the selection has no one scale (the read-out offers no action on it then).
AIErr DrawnMoveOffset(AIRealPoint* drawn, bool* found) {
    AIReal scaler = 1;
    if (AIErr err = tracker::SelectionScaler(&scaler, found)) return err;
    *drawn = {g->CADtrackerMovePt.h / scaler, g->CADtrackerMovePt.v / scaler};
    return kNoErr;
}

// --- repeat ---

// A count field's extra rows or columns: its value less one (0 stays 0).
int32_t ExtraSteps(ADMDialogRef panel, int32_t id) {
    ADMItemRef item = Item(panel, id);
    const int32_t count = item ? sADMItem->GetIntValue(item) : 0;
    return count == 0 ? 0 : count - 1;
}

// The spacing of a direction that repeats must read as a length: nothing stands in for a
// text that does not (its copies would all land on the selection).
bool ReadSpacing(ADMDialogRef panel, int32_t id, int32_t steps, double* spacing) {
    *spacing = 0;
    return steps == 0 || (!Empty(panel, id) && ParseTrackerLength(panel, id, spacing));
}

AIErr SelectionBounds(const std::vector<AIArtHandle>& selected, AIRealRect* bounds) {
    bool have = false;
    AIRealMatrix identity{};
    sAIRealMath->AIRealMatrixSetIdentity(&identity);
    for (AIArtHandle art : selected) {
        ASBoolean layerGroup = false;
        if (AIErr err = sAIArt->IsArtLayerGroup(art, &layerGroup)) return err;
        if (layerGroup) continue;
        AIRealRect r{};
        if (AIErr err = sAIArt->GetArtTransformBounds(art, &identity, kVisibleBounds, &r)) return err;
        if (!have) {
            *bounds = r;
            have = true;
        } else {
            bounds->left = std::min(bounds->left, r.left);
            bounds->right = std::max(bounds->right, r.right);
            bounds->top = std::max(bounds->top, r.top);
            bounds->bottom = std::min(bounds->bottom, r.bottom);
        }
    }
    return kNoErr;
}

// How many copies the grid would make of the selection at most: one per cell but the
// source's own, for every selected object that is not a group.
AIErr CopiesAsked(const std::vector<AIArtHandle>& selected, int64_t cellsPerObject, int64_t* copies) {
    int64_t objects = 0;
    for (AIArtHandle art : selected) {
        int16_t type = 0;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type != kGroupArt) ++objects;
    }
    *copies = cellsPerObject * (objects > 0 ? objects : 1);
    return kNoErr;
}

AIErr Repeat(ADMDialogRef panel, const std::vector<AIArtHandle>& selected) {
    int32_t columns = ExtraSteps(panel, kColumns), rows = ExtraSteps(panel, kRows);
    double across = 0, down = 0;
    if (!ReadSpacing(panel, kColumnSpacing, columns, &across) || !ReadSpacing(panel, kRowSpacing, rows, &down))
        return ShowCoreMessage(kUnreadableValueMessage);
    if (g->prefs.repeatType == kBetweenEdges) {
        AIRealRect bounds{};
        if (AIErr err = SelectionBounds(selected, &bounds)) return err;
        across += bounds.right - bounds.left;
        down += bounds.top - bounds.bottom;
    }
    if (!g->prefs.repeatRowUp) down = -down;
    if (!g->prefs.repeatColRt) across = -across;
    // A typed count of -n gives n - 1 extra columns (rows) the other way.
    if (columns < 0) {
        columns = -columns - 2;
        across = -across;
    }
    if (rows < 0) {
        rows = -rows - 2;
        down = -down;
    }
    int64_t copies = 0;
    const int64_t cells = (int64_t{columns} + 1) * (int64_t{rows} + 1) - 1;
    if (cells == 0) return kNoErr;  // no copy to make: no group to put it in either
    if (AIErr err = CopiesAsked(selected, cells, &copies)) return err;
    if (copies > kMostRepeatCopies) return ShowCoreMessage(kTooManyCopiesMessage);
    if (AIErr err = PrepareGroupBesideSelection(selected.front())) return err;
    g->hRepeats = static_cast<AIReal>(columns);
    g->vRepeats = static_cast<AIReal>(rows);
    g->hInc = static_cast<AIReal>(across);
    g->vInc = static_cast<AIReal>(down);
    AIRealMatrix first{};
    sAIRealMath->AIRealMatrixSetIdentity(&first);
    return WalkEveryLayer(&first, nullptr);
}

// --- area ---

AIErr ScaleToArea(double typed) {
    AIRealRect flat{};
    int16_t found = 0;
    if (AIErr err = tracker::CalculateSelectedBoundsOfDocument(&flat, &found, 1)) return err;
    if (!found) return ShowCoreMessage(kSelectObjectsMessage);
    if (!(typed > 0)) return ShowCoreMessage(kGreaterThanZeroMessage);
    const double current = g->selectionArea;
    const double factor = std::sqrt(typed / current);
    if (g->selectionArea == kMissingValue || !UsableFactor(current) || !UsableFactor(factor))
        return ShowCoreMessage(kNothingToScaleMessage);
    AIRealPoint anchor{};
    GetTransformPoint(0, &flat, &anchor);
    AIRealMatrix first{};
    sAIRealMath->AIRealMatrixSetTranslate(&first, -anchor.h, -anchor.v);
    sAIRealMath->AIRealMatrixConcatScale(&first, static_cast<AIReal>(factor), static_cast<AIReal>(factor));
    sAIRealMath->AIRealMatrixConcatTranslate(&first, anchor.h, anchor.v);
    // The area action scales in place: a copy key left from an earlier press makes no copies
    // (it prepared no group to put them in).
    const ScopedInPlaceWalk inPlace(false);
    return WalkEveryLayer(&first, nullptr);
}

}  // namespace

AIErr doCADtrackerTransform() {
    if (!g) return kBadParameterErr;
    if (g->trackerTransformComplete) {
        // The Enter key ran it already; this is the same key's field notification.
        g->trackerTransformComplete = 0;
        return kNoErr;
    }
    std::vector<AIArtHandle> selected;
    if (AIErr err = SelectedArt(selected)) return err;
    if (selected.empty()) return ShowCoreMessage(kSelectObjectsMessage);
    return TransformSelection(Panel());
}

AIErr doCADtrackerSetupMove(ADMItemRef item) {
    if (!g || !item) return kNoErr;
    ADMDialogRef panel = sADMItem->GetDialog(item);
    const int32_t id = sADMItem->GetID(item);
    bool x = false, y = false, distance = false, angle = false, accepted = false;
    if (id == kMoveAngle) {
        angle = true;
        distance = !Empty(panel, kMoveDistance);
    } else if (id == kMoveX || id == kMoveY || id == kMoveDistance) {
        if (Empty(panel, id)) WriteTrackerRealLength(panel, id, 0.0);
        double value = 0;
        if (!ParseTrackerRealLength(panel, id, &value)) return kCADErr;  // left as typed
        WriteTrackerRealLength(panel, id, value);
        accepted = true;
        x = id == kMoveX || (id == kMoveY && !Empty(panel, kMoveX));
        y = id == kMoveY || (id == kMoveX && !Empty(panel, kMoveY));
        distance = id == kMoveDistance;
        angle = distance && !Empty(panel, kMoveAngle);
    }
    bool offset = false;
    if (x && y) {
        double h = 0, v = 0;
        if (!ParseTrackerRealLength(panel, kMoveX, &h) || !ParseTrackerRealLength(panel, kMoveY, &v)) return kCADErr;
        g->CADtrackerMovePt = {static_cast<AIReal>(h), static_cast<AIReal>(v)};
        WriteMoveOffset(panel, true);
        offset = true;
    } else if (distance && angle) {
        double length = 0;
        if (!ParseTrackerRealLength(panel, kMoveDistance, &length)) return kCADErr;
        sAIRealMath->AIRealPointLengthAngle(static_cast<AIReal>(length),
                                            sAIRealMath->DegreeToRadian(FloatValue(panel, kMoveAngle)),
                                            &g->CADtrackerMovePt);
        WriteMoveOffset(panel, false);
        offset = true;
    }
    EnableItems(panel, {kMoveButton}, accepted || offset);
    return kNoErr;
}

AIErr doCADtrackerMove() {
    if (!g) return kBadParameterErr;
    std::vector<AIArtHandle> selected;
    if (AIErr err = SelectedArt(selected)) return err;
    if (selected.empty()) return ShowCoreMessage(kSelectObjectsMessage);
    AIRealPoint offset{};
    bool found = false;
    if (AIErr err = DrawnMoveOffset(&offset, &found)) return err;
    if (!found) return tracker::resetTrackerWindowForMultipleScaledObjects();
    const bool copying = g->moveCopy || CopyModifier();
    if (copying)
        if (AIErr err = PrepareGroupBesideSelection(selected.front())) return err;
    // A move starts no deferred selection, so its copies are never tagged, however asked for.
    const int moveCopy = g->moveCopy;
    if (copying) g->moveCopy = 1;
    AIRealMatrix first{};
    sAIRealMath->AIRealMatrixSetTranslate(&first, offset.h, offset.v);
    const AIErr err = WalkEveryLayer(&first, nullptr);
    g->moveCopy = moveCopy;
    if (err) return err;
    if (ADMItemRef angle = Item(Panel(), kTransformAngle)) setupAnglePopup(angle);
    return kNoErr;
}

int16_t doCADtrackerSetupRepeat(ADMItemRef item) {
    if (!item) return 0;
    ADMDialogRef panel = sADMItem->GetDialog(item);
    for (int32_t id : {kColumns, kRows})
        if (ADMItemRef count = Item(panel, id); count && sADMItem->GetIntValue(count) >= 1) return 1;
    return 0;
}

AIErr doCADtrackerRepeat() {
    if (!g) return kBadParameterErr;
    std::vector<AIArtHandle> selected;
    if (AIErr err = SelectedArt(selected)) return err;
    if (selected.empty()) return ShowCoreMessage(kSelectObjectsMessage);
    g->repeatCopy = 1;
    const AIErr err = Repeat(Panel(), selected);
    g->repeatCopy = 0;
    return err;
}

AIErr doCADtrackerAreaTransform() {
    if (!g) return kBadParameterErr;
    double typed = 0;
    if (Empty(Panel(), kAreaField) || !ParseTrackerArea(Panel(), kAreaField, &typed))
        return ShowCoreMessage(kUnreadableValueMessage);
    return ScaleToArea(typed);
}

void transformFldChangedNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        ADMDialogRef panel = sADMItem->GetDialog(item);
        const int32_t id = sADMItem->GetID(item);
        double value = 0;
        char text[kTrackerTextSize];
        GetTrackerText(panel, id, text);
        if (ParseTrackerLength(panel, id, &value)) {
            // The read-out's own text left as it was is nothing typed: nothing to hold.
            const bool typed = std::strcmp(text, Remembered(id)) != 0;
            if (typed) WriteTrackerLength(panel, id, value);
            if (id == kTransformW || id == kTransformH) {
                if (typed && Constrained()) WriteCompanion(panel, id, value);
                if (g->trackerModifiers & kTrackerEnter) doCADtrackerTransform();
            }
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void CADtrackerMoveFldNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) doCADtrackerSetupMove(item);
    sADMItem->DefaultNotify(item, notifier);
}

void CADtrackerRepeatFldNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        ADMDialogRef panel = sADMItem->GetDialog(item);
        const int32_t id = sADMItem->GetID(item);
        double value = 0;
        if (ParseTrackerLength(panel, id, &value)) WriteTrackerLength(panel, id, value);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void areaTransformFldChangedNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        ADMDialogRef panel = sADMItem->GetDialog(item);
        double value = 0;
        if (ParseTrackerArea(panel, kAreaField, &value)) WriteTrackerArea(panel, kAreaField, value);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void constrainNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) g->prefs.constrainProportions = sADMItem->GetBooleanValue(item) ? 1 : 0;
    sADMItem->DefaultNotify(item, notifier);
}

void CADtrackerTransformNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier) && doCADtrackerTransform()) return;
    sADMItem->DefaultNotify(item, notifier);
}

void CADtrackerMoveNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) doCADtrackerMove();
    sADMItem->DefaultNotify(item, notifier);
}

void CADtrackerRepeatNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier) && doCADtrackerRepeat()) return;
    sADMItem->DefaultNotify(item, notifier);
}

void CADtrackerAreaTransformNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) doCADtrackerAreaTransform();
    sADMItem->DefaultNotify(item, notifier);
}
