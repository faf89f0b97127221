// Regeneration of live dimensions. The style list names the dimensions to redraw, the click
// list is indexed by dimension id once, and each dimension is redrawn by the routine of its
// kind into a new group that then takes the old group's place; the old group goes only
// when its successor exists, so no dimension is ever lost to a failed redraw. The whole
// run costs one pass over the document's art and one redraw per dimension.
#include "dimensions/DimensionRegeneration.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "axonometric/AxonometricData.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseBlocks.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DrawnAlike.h"
#include "dimensions/DimensionTextList.h"
#include "dimensions/Plotwise2Conversion.h"
#include "geometry/BezierGeometry.h"
#include "geometry/CounterText.h"
#include "geometry/PointMath.h"
#include "artwork/LabelCounters.h"
#include "units/LayerScales.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr double kAxisAMarkerBound = 50.0, kAxisBMarkerBound = -50.0;

// A node of the style list: the record, and the group it was read from.
struct StyleNode {
    Plotwise3_Live_Dimension_Data data;
    AIArtHandle group;
};
static_assert(offsetof(StyleNode, data) == 0, "a record's address is its node's");

bool Hidden(AIArtHandle art) {
    uint32_t attr = 0;
    return sAIArt->GetArtUserAttr(art, kArtHidden, &attr) == kNoErr && (attr & kArtHidden) != 0;
}

AIErr QueryArt(PlotwiseProcessArtType which, int16_t type, std::vector<AIArtHandle>& out) {
    return MatchingArt(which == kProcessSelectedArt, out, type);
}

// The text records of the group's texts, as the node's list, and the formats they show; read
// only: what the node holds reaches the document with the redrawn group.
AIErr CollectTexts(StyleNode& node) {
    Plotwise3_Live_Dimension_Data& d = node.data;
    g->firstDimTextPtr = nullptr;
    if (g->resizingDimension || g->updatingPalettes) d.dimTextPrecedenceFlag = 1;
    AIArtHandle child = nullptr;
    if (AIErr err = sAIArt->GetArtFirstChild(node.group, &child)) return err;
    const bool label = d.dimensionLabelStr[0] != '\0';
    int32_t format = label ? d.labelFormat : d.dimensionFormat;
    const AIErr err = child ? CreateDimensionTextLinkedList(child, d.dimTextPrecedenceFlag, &format, label ? 1 : 0)
                            : kNoErr;
    d.dimTextDataListPtr = g->firstDimTextPtr;
    g->firstDimTextPtr = nullptr;
    if (err) return err;
    (label ? d.labelFormat : d.dimensionFormat) = format;
    return kNoErr;
}

void AppendStyleNode(StyleNode* node) {
    node->data.next = nullptr;
    if (g->lastLiveDimensionGroupDataPtr)
        g->lastLiveDimensionGroupDataPtr->next = &node->data;
    else
        g->firstLiveDimensionGroupDataPtr = &node->data;
    g->lastLiveDimensionGroupDataPtr = &node->data;
}

// ---------------------------------------------------------------------------------------
// The redraw

// Everything a redraw changes that its caller keeps: put back when the run ends.
class SavedState {
public:
    SavedState() : style_(g->prefs.style) { CopyCString(scaleStr_, g->prefs.scaleStr); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;
    ~SavedState() {
        g->prefs.style = style_;
        g->prefs.createLiveDimensions = createLive_;
        g->prefs.scale = scale_;
        g->prefs.scaler = scaler_;
        CopyCString(g->prefs.scaleStr, scaleStr_);
        g->updatingDimensions = updating_;
        g->labelToolSelected = label_;
        g->curTool = tool_;
        g->saveLayer = layer_;
        g->firstClick = firstClick_;
        g->secondClick = secondClick_;
        g->startingPoint = startingPoint_;
        g->endPoint = endPoint_;
        g->didFirstClick = didFirst_;
        g->didSecondClick = didSecond_;
        g->clickNum = clickNum_;
        g->curDimID = dimID_;
        g->curDimType = dimType_;
        g->slideDimTextOffset = slide_;
        g->textSize = textSize_;
        g->textLeading = textLeading_;
        g->drawingAxoDimension = axonometric_;
    }

private:
    Plotwise3_Live_Dimension_Data style_;
    char scaleStr_[32] = {};
    int createLive_ = g->prefs.createLiveDimensions;
    int32_t scale_ = g->prefs.scale;
    float scaler_ = g->prefs.scaler;
    int updating_ = g->updatingDimensions;
    int label_ = g->labelToolSelected;
    AIToolHandle tool_ = g->curTool;
    AILayerHandle layer_ = g->saveLayer;
    AIRealPoint firstClick_ = g->firstClick, secondClick_ = g->secondClick;
    AIRealPoint startingPoint_ = g->startingPoint, endPoint_ = g->endPoint;
    int didFirst_ = g->didFirstClick, didSecond_ = g->didSecondClick, axonometric_ = g->drawingAxoDimension;
    int32_t clickNum_ = g->clickNum, dimID_ = g->curDimID, dimType_ = g->curDimType;
    AIReal slide_ = g->slideDimTextOffset, textSize_ = g->textSize, textLeading_ = g->textLeading;
};

// Indexed by kind, as far as the highest kind a subsystem registers.
using KindTable = std::vector<const PlotwiseDimensionKindRow*>;

// The first row of each kind among the subsystems, as for services: those added after the
// module's own (a test's doubles) first, then the module's.
KindTable LoadKinds() {
    KindTable table;
    auto take = [&table](const PlotwiseSubsystem* s) {
        for (const PlotwiseDimensionKindRow& row : s->dimensionKinds) {
            if (row.kind < 0) continue;
            const auto kind = static_cast<size_t>(row.kind);
            if (kind >= table.size()) table.resize(kind + 1);
            if (!table[kind]) table[kind] = &row;
        }
    };
    const auto all = PlotwiseSubsystems();
    const size_t own = std::min(PlotwiseModuleSubsystems().size(), all.size());
    for (size_t i = own; i < all.size(); ++i) take(all[i]);
    for (size_t i = 0; i < own; ++i) take(all[i]);
    return table;
}

// Clicks after the first that make chain nodes: the chained linear kinds, the label with
// several leaders, the angle and the arc length (each of their clicks names the art and the
// place it measures).
bool ChainsLaterClicks(int32_t kind) {
    switch (kind) {
        case kAngle:
        case kArcLen:
        case kHorizontal:
        case kHorizontalDatum:
        case kVertical:
        case kVerticalDatum:
        case kIncline:
        case kInclineDatum:
        case kMutiLeaderLabel: return true;
        default: return false;
    }
}

}  // namespace

bool DragIsTheClick(int32_t kind) { return kind == kBezCurve || kind == kTangent; }

AIRealPoint EndOfDragRecord(const AIRealPoint& first, AIReal length, AIReal angle, bool alongAxes) {
    if (alongAxes && angle > kAxisAMarkerBound) angle = g->prefs.isoView.a;
    else if (alongAxes && angle < kAxisBMarkerBound) angle = g->prefs.isoView.b - kPi;
    AIRealPoint offset{};
    sAIRealMath->AIRealPointLengthAngle(length, angle, &offset);
    return {offset.h + first.h, offset.v + first.v};
}

namespace {

// The text a chain node draws, chosen by its text record's own format.
void NodeText(cdDataStruct& node, live_dimension_text_data& record, bool labelMode) {
    node.textData = record;
    node.textData.next = nullptr;
    preferences& p = g->prefs;
    char text[1024] = {};
    CopyCString(text, record.dimStr);
    switch (record.dimensionFormat) {
        case 0:
            if (labelMode) {
                if (record.alpha < 0) record.alpha = TakeCounter(p.incrementalLabelAlpha);
                CopyCString(text, GetAlphaLabelText(static_cast<int16_t>(record.alpha)).c_str());
            }
            break;
        case 1:
            if (labelMode) {
                if (record.numeric < 0) record.numeric = GetNextNumericLabelIncrement();
                CopyCString(text, GetNumericLabelText(static_cast<int16_t>(record.numeric)).c_str());
            } else {
                if (record.alpha < 0) record.alpha = TakeCounter(p.incrementalDimAlpha);
                CopyCString(text, GetAlphaLabelText(static_cast<int16_t>(record.alpha)).c_str());
            }
            break;
        case 2:
            if (!labelMode) {
                if (record.numeric < 0) record.numeric = TakeCounter(p.incrementalDimNumber);
                std::snprintf(text, sizeof text, "%d", static_cast<int>(record.numeric));
            }
            break;
        case 3: CopyCString(text, record.customStr); break;
        case 4:
            if (!labelMode) CopyCString(text, record.calloutStr);
            break;
        default: break;
    }
    CopyCString(node.textData.dimStr, text);
}

// The stored clicks of one dimension (in click-list order) made the current clicks, drag
// point and click chain.
AIErr PrepareClicks(const std::vector<Plotwise3_dimensioned_object_data*>& clicks, int32_t kind) {
    const Plotwise3_dimensioned_object_data& lead = *clicks.front();
    AIReal offsetLength = 0, offsetAngle = 0;  // each dimension from its own offset
    g->updateArt = lead.art;
    g->updateEndAsDrawn = 0;
    for (const Plotwise3_dimensioned_object_data* click : clicks) {
        AIRealPoint p{};
        if (AIErr err = RelocateDimensionClick(*click, &p)) return err;
        if (click->clickNum == 1 && click->clickType == kLiveDimClickedPath)
            g->liveDimSegNum = static_cast<uint32_t>(click->segNumAfter);
        if (click->clickNum == 1) {
            g->firstClick = p;
            if (AIErr err = insertChainDimNode(&p, click)) return err;
            if (kind == kDatumTarget)
                if (AIErr err = insertChainDimNode(&p, click)) return err;
        } else if (click->clickNum >= 2) {
            g->secondClick = p;
            if (ChainsLaterClicks(kind))
                if (AIErr err = insertChainDimNode(&p, click)) return err;
        } else if (click->clickNum == -1) {
            if (DragIsTheClick(kind)) {
                g->firstClick = p;
                offsetLength = offsetAngle = 0;
            } else {
                offsetLength = click->endPointOffsetLength;
                offsetAngle = click->endPointOffsetAngle;
                g->updateEndAsDrawn = click->endAsDrawn;
            }
        }
    }
    if (AIErr err = MoveFirstClickOntoLaterFaces()) return err;
    // The press, the last click, says whether the dimension was drawn on axonometric art (as
    // its recorder said then), which decides where its text slides to.
    const Plotwise3_dimensioned_object_data* press = nullptr;
    for (const Plotwise3_dimensioned_object_data* click : clicks)
        if (click->clickNum >= 1 && (!press || click->clickNum >= press->clickNum)) press = click;
    g->drawingAxoDimension = press && ClickTakesFace(*press) ? 1 : 0;
    bool alongAxes = lead.art && IsAxonometricArt(lead.art);
    if (g->resizingDimension) {  // the offset the drag has reached, at the cursor
        g->updateEndAsDrawn = 0;
        offsetLength = g->dimResizeEndPointOffsetLength;
        offsetAngle = g->dimResizeEndPointOffsetAngle;
        alongAxes = false;
    }
    g->liveDimClickedArt = lead.art;
    if (kind == kRadius || kind == kDiameter) {
        AIRealRect r{};
        if (AIErr err = GetUnstrokedArtBounds(lead.art, &r)) return err;
        g->firstClick = {r.left + (r.right - r.left) / 2.0f, r.bottom + (r.top - r.bottom) / 2.0f};
    }
    g->endPoint = EndOfDragRecord(g->firstClick, offsetLength, offsetAngle, alongAxes);
    if (g->resizingDimension && kind == kBezCurve) g->firstClick = g->endPoint;
    return kNoErr;
}

// The stored style made current, with the layer of the group, label mode, texts and
// modifier flags.
void LoadStyle(StyleNode& styleNode) {
    Plotwise3_Live_Dimension_Data& node = styleNode.data;
    const int32_t keys = g->prefs.style.modifiers;
    g->prefs.style = node;
    g->prefs.style.next = nullptr;
    // The dimension being resized takes the keys held during the drag (option turns it).
    if (g->setNewModifiers && node.id == g->dimResizeID) g->prefs.style.modifiers = keys;
    // The group's own layer: its stored title may name another layer of the same title.
    AILayerHandle layer = nullptr;
    if (sAIArt->GetLayerOfArt(styleNode.group, &layer) != kNoErr || !layer)
        if (sAILayer->GetLayerByTitle(&layer, node.layerStr) != kNoErr) layer = nullptr;
    if (layer) g->saveLayer = layer;
    const bool labelMode = node.dimensionLabelStr[0] != '\0';
    g->labelToolSelected = labelMode ? 1 : 0;
    // A label's text as it was drawn, which the group stores again unless its routine draws
    // another.
    if (labelMode) CopyCString(g->theText, node.dimensionLabelStr);
    live_dimension_text_data* record = node.dimTextDataListPtr;
    for (cdDataStruct* chain = g->firstChainDimDataPtr; chain && record; chain = chain->nextPtr, record = record->next)
        NodeText(*chain, *record, labelMode);
    g->slideDimTextOffset = node.slideDimTextOffset;
    g->perpendicularDimOptionDown = (node.modifiers & 2) ? 1 : 0;
    g->useAxoPerpendicularDims = (node.modifiers & 4) ? 1 : 0;
}

// The old group's tags that the new one lacks go with it: the selection to come back, and
// what an older version left on it that could not be converted, kept to be read again.
AIErr CarryTags(AIArtHandle old, AIArtHandle made) {
    int32_t count = 0;
    if (AIErr err = sAITag->CountTags(old, &count)) return err;
    for (int32_t i = 0; i < count; ++i) {
        const char* found = nullptr;
        if (AIErr err = sAITag->GetNthTag(old, i, &found)) return err;
        const std::string name = found ? found : "";
        const char* type = nullptr;
        if (name.empty() || sAITag->GetTagType(made, name.c_str(), &type) == kNoErr) continue;
        const char* text = nullptr;
        if (AIErr err = sAITag->GetTag(old, name.c_str(), kTagString, &text)) return err;
        if (AIErr err = sAITag->SetTag(made, name.c_str(), kTagString, text)) return err;
    }
    return kNoErr;
}

// A redrawn dimension's axonometric record keeps the number of the record it replaces: the
// drawing projects it afresh, which numbers it anew, but it names the same dimension.
AIErr KeepAxonometricNumber(AIArtHandle old, AIArtHandle made) {
    if (!IsAxonometricArt(old) || !IsAxonometricArt(made)) return kNoErr;
    depth_object_data before, after;
    if (AIErr err = GetAxonometricData(old, &before)) return err;
    if (AIErr err = GetAxonometricData(made, &after)) return err;
    if (before.id == after.id) return kNoErr;
    after.id = before.id;
    return SetAxonometricData(made, &after);
}

// Art of the user's in a dimension's group, which a redraw must not dispose of: art it
// measures, another dimension, or a group holding either.
bool IsUsersArt(AIArtHandle art) {
    if (IsDimensionedObject(art) || IsDimension(art)) return true;
    const std::vector<AIArtHandle> members = ArtMembers(art);
    return std::any_of(members.begin(), members.end(), IsUsersArt);
}

// The user's art in the old group goes into the new one, in its order, above the new parts.
AIErr MoveUsersArt(AIArtHandle old, AIArtHandle made) {
    const std::vector<AIArtHandle> members = ArtMembers(old);
    for (auto it = members.rbegin(); it != members.rend(); ++it)
        if (IsUsersArt(*it))
            if (AIErr err = sAIArt->ReorderArt(*it, kPlaceInsideOnTop, made)) return err;
    return kNoErr;
}

// The old group's own parts, hidden while its successor is drawn, so that no hit test or
// snap of the redraw lands on the drawing it replaces (a press or drag end lying on the old
// outline would move); the user's art in it stays as it is. Shown again when the old group
// outlives the redraw.
class OwnPartsHidden {
public:
    explicit OwnPartsHidden(AIArtHandle group) {
        if (!Hidden(group)) Collect(group);
        for (AIArtHandle part : parts_) sAIArt->SetArtUserAttr(part, kArtHidden, kArtHidden);
    }
    OwnPartsHidden(const OwnPartsHidden&) = delete;
    OwnPartsHidden& operator=(const OwnPartsHidden&) = delete;
    ~OwnPartsHidden() {
        for (AIArtHandle part : parts_)
            if (sAIArt->ValidArt(part, false)) sAIArt->SetArtUserAttr(part, kArtHidden, 0);
    }

private:
    void Collect(AIArtHandle group) {
        for (AIArtHandle member : ArtMembers(group)) {
            if (IsDimensionedObject(member) || IsDimension(member) || Hidden(member)) continue;
            if (IsUsersArt(member)) Collect(member);
            else parts_.push_back(member);
        }
    }
    std::vector<AIArtHandle> parts_;
};

// The new group takes the old one's place, with its selection, its tags, the number of its
// axonometric record and the user's art the old one held; then the old goes. When it cannot,
// the new group goes instead and the old one stays (with the user's art put back). A new
// group that draws what the old one draws goes too: the old one is already what the redraw
// asks for, and stays the very art it was (*alike).
bool Replace(AIArtHandle old, AIArtHandle made, bool* alike) {
    uint32_t attr = 0;
    const bool selected = sAIArt->GetArtUserAttr(old, kArtSelected, &attr) == kNoErr && (attr & kArtSelected);
    AIErr err = KeepAxonometricNumber(old, made);
    *alike = !err && DrawnAlike(old, made, &IsUsersArt);
    // What of the user's the redraw took along (a bubble's carrier) goes back first.
    if (*alike) {
        MoveUsersArt(made, old);
        return sAIArt->DisposeArt(made) == kNoErr;
    }
    if (!err) err = CarryTags(old, made);
    if (!err && selected) err = sAIArt->SetArtUserAttr(made, kArtSelected, kArtSelected);
    if (!err) err = sAIArt->ReorderArt(made, kPlaceAbove, old);
    if (!err) err = MoveUsersArt(old, made);
    if (!err) err = sAIArt->DisposeArt(old);
    if (err) {
        MoveUsersArt(made, old);
        sAIArt->DisposeArt(made);
    }
    return err == kNoErr;
}

// While a dimension is resized: the drag's drawing goes above the grabbed group (hidden
// meanwhile) in place of the last drag's.
bool ShowPreview(AIArtHandle grabbed, AIArtHandle made) {
    if (g->dimResizePreview && sAIArt->ValidArt(g->dimResizePreview, false)) sAIArt->DisposeArt(g->dimResizePreview);
    g->dimResizePreview = nullptr;
    if (sAIArt->ReorderArt(made, kPlaceAbove, grabbed)) {
        sAIArt->DisposeArt(made);
        return false;
    }
    g->dimResizePreview = made;
    return true;
}

// What became of a dimension given to its routine.
enum class Redraw {
    kReplaced,       // its new group took the old one's place
    kNothingToDraw,  // its kind draws no art again
    kNotDrawn,       // its routine drew nothing from its clicks, or (its clicks may be
                     // amiss) other texts than it shows
    kUnusable,       // its kind or a click of it cannot be used: a kind no subsystem knows, a
                     // click not found on its art as it is
    kPastCanvas,     // its routine drew it past the largest canvas
};

// The texts a dimension group draws itself (not those of the user's art it holds).
size_t OwnTexts(AIArtHandle group) {
    size_t n = 0;
    for (AIArtHandle member : ArtMembers(group)) {
        int16_t type = kUnknownArt;
        if (IsDimensionedObject(member) || IsDimension(member) || sAIArt->GetArtType(member, &type)) continue;
        if (type == kTextFrameArt || type == kLegacyTextArt) ++n;
        else if (type == kGroupArt) n += OwnTexts(member);
    }
    return n;
}

// Redraws one dimension. With `clicksMayBeAmiss` (a damaged record may have held one of its
// clicks, or given it another's), a redraw showing fewer or more texts than the dimension
// does lost or gained a click on the way, and the dimension stays as it is.
Redraw RedrawOne(StyleNode& node, const std::vector<Plotwise3_dimensioned_object_data*>& clicks,
                 const KindTable& kinds, bool clicksMayBeAmiss = false) {
    const int32_t kind = clicks.front()->dimType;
    const PlotwiseDimensionKindRow* row =
        kind >= 0 && static_cast<size_t>(kind) < kinds.size() ? kinds[static_cast<size_t>(kind)] : nullptr;
    // A kind of the format without a routine draws no art again (the crop marks); a later
    // kind no subsystem here knows cannot be drawn at all.
    if (!row || !row->redraw) return kind <= kFilletRadius ? Redraw::kNothingToDraw : Redraw::kUnusable;
    const Plotwise3_Live_Dimension_Data savedStyle = g->prefs.style;
    const int savedLabel = g->labelToolSelected;
    const AIToolHandle savedTool = g->curTool;
    bool replaced = false, alike = false, pastCanvas = false, otherTexts = false;
    const size_t texts = clicksMayBeAmiss ? OwnTexts(node.group) : 0;
    AIErr err = PrepareClicks(clicks, kind);
    const bool placed = !err || err == kOutOfMemoryErr;
    if (!err) {
        g->curDimID = node.data.id;
        LoadStyle(node);
        err = getPlatformCurrentTextSizeAndLeading(&g->textSize, &g->textLeading);
    }
    if (!err) err = setPathAndArrowheadStyles();
    if (!err) {
        g->didFirstClick = g->didSecondClick = 1;
        g->startingPoint = g->firstClick;
        // At the scale of the lead click's art, as the tool drew it; a damaged stored scale
        // is mended and named.
        err = LoadMeasuredArtScale(clicks.front()->art, /*mend=*/true);
    }
    if (!err) {
        g->curDimType = kind;
        if (row->tool) g->curTool = row->tool();
        g->group = nullptr;
        AIErr drawn = kNoErr;
        {
            const OwnPartsHidden hidden(node.group);
            drawn = row->redraw();
        }  // the old parts shown again, as they are compared with the new ones
        AIArtHandle made = g->group;
        const bool valid = made && sAIArt->ValidArt(made, false);
        if (!drawn && valid && IsDimension(made)) {
            pastCanvas = !DrawnOnCanvas(made);
            otherTexts = clicksMayBeAmiss && OwnTexts(made) != texts;
            if (pastCanvas || otherTexts) drawn = kCADErr;
        }
        if (!drawn && valid && IsDimension(made) && g->resizingDimension) {
            replaced = ShowPreview(node.group, made);
        } else if (!drawn && valid && IsDimension(made)) {
            replaced = Replace(node.group, made, &alike);
        } else if (valid) {
            sAIArt->DisposeArt(made);  // a failed redraw leaves nothing behind
        }
    }
    g->dimensionsRedrawnAlike += replaced && alike ? 1 : 0;
    doFreeHitLocs();
    g->didFirstClick = g->didSecondClick = 0;
    g->prefs.style = savedStyle;
    g->labelToolSelected = savedLabel;
    g->curTool = savedTool;
    if (pastCanvas) return Redraw::kPastCanvas;
    return replaced ? Redraw::kReplaced : placed ? Redraw::kNotDrawn : Redraw::kUnusable;
}

// Where a link's dimension was drawn: the end of its drag (the first click, or for the
// radial kinds the centre of the art, moved by the stored offset) when the link holds the
// drag, else its first click; as the art lies now, or (`asStored`) where a click on a path or
// in space was first taken.
AIRealPoint LinkPoint(const std::vector<Plotwise3_dimensioned_object_data*>& link, bool asStored = false) {
    const Plotwise3_dimensioned_object_data* first = link.front();
    const Plotwise3_dimensioned_object_data* drag = nullptr;
    for (const Plotwise3_dimensioned_object_data* c : link) {
        if (c->clickNum == -1) drag = c;
        else if (first->clickNum == -1 || (c->clickNum >= 1 && c->clickNum < first->clickNum)) first = c;
    }
    AIRealPoint p{first->x, first->y};
    if (!asStored || first->clickType == kLiveDimClickedFill) (void)RelocateDimensionClick(*first, &p);
    AIRealRect r{};
    if ((first->dimType == kRadius || first->dimType == kDiameter) && GetUnstrokedArtBounds(first->art, &r) == kNoErr)
        p = {(r.left + r.right) / 2, (r.bottom + r.top) / 2};
    // An offset along an axonometric axis is a marker, not an angle.
    if (!drag || DragIsTheClick(drag->dimType) || std::fabs(drag->endPointOffsetAngle) > kAxisAMarkerBound) return p;
    AIRealPoint offset{};
    sAIRealMath->AIRealPointLengthAngle(drag->endPointOffsetLength, drag->endPointOffsetAngle, &offset);
    return {p.h + offset.h, p.v + offset.v};
}

double DistanceToBounds(AIArtHandle group, const AIRealPoint& p) {
    AIRealRect r{};
    if (GetUnstrokedArtBounds(group, &r) != kNoErr) return HUGE_VAL;
    const double dx = std::max({static_cast<double>(r.left) - p.h, 0.0, p.h - static_cast<double>(r.right)});
    const double dy = std::max({static_cast<double>(r.bottom) - p.v, 0.0, p.v - static_cast<double>(r.top)});
    return std::hypot(dx, dy);
}

// How far from a dimension's lines and texts the end of a link's drag may lie and still be
// taken for that dimension's: it lies on its dimension line or text, within the rounding of
// the page's coordinates.
constexpr double kOnItsLine = 1;

double DistanceToPiece(const AIRealPoint& a, const AIRealPoint& b, const AIRealPoint& p) {
    const double dx = static_cast<double>(b.h) - a.h, dy = static_cast<double>(b.v) - a.v;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((p.h - a.h) * dx + (p.v - a.v) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(a.h + t * dx - p.h, a.v + t * dy - p.v);
}

// The distance from p to the nearest of the group's own texts and straight pieces between
// anchors of its paths (its lines, terminators and frames; not the user's art it holds).
double DistanceToLines(AIArtHandle group, const AIRealPoint& p) {
    double nearest = HUGE_VAL;
    for (AIArtHandle member : ArtMembers(group)) {
        int16_t type = kUnknownArt, count = 0;
        if (IsDimensionedObject(member) || IsDimension(member) || sAIArt->GetArtType(member, &type)) continue;
        if (type == kGroupArt) nearest = std::min(nearest, DistanceToLines(member, p));
        if (type == kTextFrameArt) nearest = std::min(nearest, DistanceToBounds(member, p));
        if (type != kPathArt || sAIPath->GetPathSegmentCount(member, &count) || count < 2) continue;
        std::vector<AIPathSegment> segments(static_cast<size_t>(count));
        if (sAIPath->GetPathSegments(member, 0, count, segments.data())) continue;
        for (size_t i = 1; i < segments.size(); ++i)
            nearest = std::min(nearest, DistanceToPiece(segments[i - 1].p, segments[i].p, p));
    }
    return nearest;
}

// Links of ids no dimension of the document has (the clicks of one id on one art each),
// readable ones only; none when the document's dimensions cannot all be read.
std::vector<ClickLink> LinksOfNoDimension(
    const std::unordered_map<int32_t, std::vector<Plotwise3_dimensioned_object_data*>>& clicksOf) {
    std::unordered_set<int32_t> held;
    bool complete = false;
    std::vector<ClickLink> links;
    if (DimensionIdsOfDocument(held, &complete) != kNoErr || !complete) return links;
    for (const auto& [id, clicks] : clicksOf) {
        if (id == 0 || held.contains(id)) continue;
        for (Plotwise3_dimensioned_object_data* c : clicks) {
            if (c->unreadable) continue;
            const auto link = std::find_if(links.begin(), links.end(), [c](const ClickLink& l) {
                return l.front()->art == c->art && l.front()->id == c->id;
            });
            if (link == links.end()) links.push_back({c});
            else link->push_back(c);
        }
    }
    return links;
}

// The groups that carry one id, in the document's order, and the links of that id.
struct IdUse {
    std::vector<AIArtHandle> groups;
    std::vector<ClickLink> links;
};

// The group (its index) each link was drawn nearest to.
std::vector<size_t> Owners(const IdUse& use) {
    std::vector<size_t> owners;
    for (const ClickLink& link : use.links) {
        const AIRealPoint p = LinkPoint(link);
        size_t nearest = 0;
        double best = HUGE_VAL;
        for (size_t i = 0; i < use.groups.size(); ++i)
            if (const double d = DistanceToBounds(use.groups[i], p); d < best) std::tie(nearest, best) = std::tie(i, d);
        owners.push_back(nearest);
    }
    return owners;
}

// Every dimension of the document keeps an id of its own. Of the dimensions sharing an id
// (copied where no paste was seen, or given one id twice), each takes the links of the art
// it was drawn nearest to; the first that has any keeps the id, and every other one is
// given a new id with its links, told to the user. So none is redrawn from another's
// clicks, and one without links keeps its drawing. New ids start above every id of a group
// or a click; once none is left there, the lowest free ones are given, and when none is
// free at all the user is told which dimensions still share an id.
AIErr GiveSharedIdsNewOnes() {
    std::vector<AIArtHandle> groups;
    if (AIErr err = QueryArt(kProcessAllArt, kGroupArt, groups)) return err;
    std::vector<int32_t> ids;  // in the order first met
    std::unordered_map<int32_t, IdUse> uses;
    int32_t highest = 0;
    for (AIArtHandle group : groups) {
        int32_t id = 0;
        if (!IsDimension(group) || ReadDimensionID(group, &id) != kNoErr) continue;
        IdUse& use = uses[id];
        if (use.groups.empty()) ids.push_back(id);
        use.groups.push_back(group);
        highest = std::max(highest, id);
    }
    for (Plotwise3_dimensioned_object_data* c = g->firstDimensionedObjectDataPtr; c; c = c->next) {
        highest = std::max(highest, c->id);
        const auto use = uses.find(c->id);
        if (use == uses.end() || use->second.groups.size() < 2) continue;
        std::vector<ClickLink>& links = use->second.links;
        const auto link = std::find_if(links.begin(), links.end(), [c](const ClickLink& l) { return l.front()->art == c->art; });
        if (link == links.end()) links.push_back({c});
        else link->push_back(c);
    }
    NewDimensionIds fresh(highest);
    for (int32_t id : ids) {
        const IdUse& use = uses[id];
        if (use.groups.size() < 2) continue;
        const std::vector<size_t> owners = Owners(use);
        const size_t keeper = owners.empty() ? 0 : *std::min_element(owners.begin(), owners.end());
        for (size_t i = 0; i < use.groups.size(); ++i) {
            if (i == keeper) continue;
            int32_t given = 0;
            if (AIErr err = fresh.Take(&given)) return err;
            if (given == 0) {  // every id is in use: the dimensions keep sharing theirs
                NoteForUser(kNoFreeDimensionIdNote, std::to_string(id));
                break;
            }
            if (AIErr err = SetDimensionID(use.groups[i], given)) return err;
            NoteForUser(kRenumberedDimensionsNote, std::to_string(id) + " " + std::to_string(given));
            for (size_t j = 0; j < use.links.size(); ++j) {
                if (owners[j] != i) continue;
                if (AIErr err = RenumberDimensionLink(use.links[j].front()->art, id, given)) return err;
                for (Plotwise3_dimensioned_object_data* c : use.links[j]) c->id = given;
            }
        }
    }
    if (g->prefs.style.id < fresh.Highest()) g->prefs.style.id = fresh.Highest();
    return kNoErr;
}

}  // namespace

bool DrawnOnCanvas(AIArtHandle group) {
    AIRealRect r{};
    if (GetUnstrokedArtBounds(group, &r) != kNoErr) return true;
    for (AIReal side : {r.left, r.top, r.right, r.bottom})
        if (!IsRecordLength(side)) return false;
    return true;
}

std::string DimensionName(AIArtHandle group, int32_t kind) {
    // The kinds that draw no text.
    static constexpr std::pair<int32_t, const char*> kTextless[] = {
        {kCircleCenter, "a centre mark"},
        {kIsoCircleCenter, "an axonometric centre mark"},
        {kCenterLine, "a centre line"},
        {kIsoCenterLine, "an axonometric centre line"},
    };
    const auto* textless = std::find_if(std::begin(kTextless), std::end(kTextless),
                                        [kind](const auto& row) { return row.first == kind; });
    std::string name = textless != std::end(kTextless) ? textless->second : "a dimension without text";
    AIArtHandle child = nullptr;
    if (sAIArt->GetArtFirstChild(group, &child) != kNoErr || !child) return name;
    char text[256] = {};
    (void)ForEachDimensionText(child, false, [&](AIArtHandle art, int16_t) -> AIErr {
        if (GetStringFromTextObject(art, text, sizeof text) == kNoErr && text[0]) name = '"' + std::string(text) + '"';
        return kCanceledErr;  // the first text names it
    });
    return name;
}

bool LinkLiesAt(const ClickLink& link, AIArtHandle group) {
    return !link.empty() && DistanceToLines(group, LinkPoint(link, /*asStored=*/true)) <= kOnItsLine;
}

AIErr DimensionIdsOfDocument(std::unordered_set<int32_t>& ids, bool* complete) {
    std::vector<AIArtHandle> groups;
    if (AIErr err = QueryArt(kProcessAllArt, kGroupArt, groups)) return err;
    *complete = true;
    for (AIArtHandle group : groups) {
        if (!IsDimension(group)) continue;
        int32_t id = 0;
        if (ReadDimensionID(group, &id) == kNoErr) ids.insert(id);
        else *complete = false;
    }
    return kNoErr;
}

AIErr AppendClick(const Plotwise3_dimensioned_object_data& click) {
    Plotwise3_dimensioned_object_data* node = nullptr;
    if (AIErr err = NewBlock(&node)) return err;
    *node = click;
    node->used = 0;
    node->next = nullptr;
    node->prev = g->lastDimensionedObjectDataPtr;
    if (g->lastDimensionedObjectDataPtr)
        g->lastDimensionedObjectDataPtr->next = node;
    else
        g->firstDimensionedObjectDataPtr = node;
    g->lastDimensionedObjectDataPtr = node;
    return kNoErr;
}

AIErr AppendUnreadableClick(int32_t id, AIArtHandle art) {
    Plotwise3_dimensioned_object_data unread{};
    unread.id = id;
    unread.art = art;
    unread.unreadable = 1;
    return AppendClick(unread);
}

namespace {

// Gives back the style records linked from `node`, each with its texts.
AIErr DisposeStyleNodes(Plotwise3_Live_Dimension_Data* node) {
    return DisposeBlockList(node, &Plotwise3_Live_Dimension_Data::next, [](Plotwise3_Live_Dimension_Data* n) {
        return FreeDimensionTextLinkedList(n->dimTextDataListPtr);
    });
}

}  // namespace

AIErr FreeLiveDimensionGroupDataList() {
    if (!g) return kNoErr;
    Plotwise3_Live_Dimension_Data* node = g->firstLiveDimensionGroupDataPtr;
    g->firstLiveDimensionGroupDataPtr = g->lastLiveDimensionGroupDataPtr = nullptr;
    return DisposeStyleNodes(node);
}

AIErr FreeDimensionedObjectDataList() {
    if (!g) return kNoErr;
    Plotwise3_dimensioned_object_data* node = g->firstDimensionedObjectDataPtr;
    g->firstDimensionedObjectDataPtr = g->lastDimensionedObjectDataPtr = nullptr;
    return DisposeBlockList(node, &Plotwise3_dimensioned_object_data::next);
}

namespace {

// The ids of the dimensions that the run redraws; none: every one of its scope.
using IdSet = std::unordered_set<int32_t>;

bool OutsideIds(AIArtHandle group, const IdSet* ids) {
    int32_t id = 0;
    return ids && (ReadDimensionID(group, &id) != kNoErr || !ids->contains(id));
}

// Each visible live dimension group of `which` (and of `ids`, when given) read into a node
// with its texts, handed to `take`, which owns it from then on; static and unreadable
// groups are counted as kept.
AIErr ReadStyleNodes(PlotwiseProcessArtType which, const IdSet* ids, const std::function<AIErr(StyleNode*)>& take) {
    std::vector<AIArtHandle> groups;
    if (AIErr err = QueryArt(which, kGroupArt, groups)) return err;
    for (AIArtHandle group : groups) {
        if (Hidden(group) || !IsDimension(group) || OutsideIds(group, ids)) continue;
        StyleNode* node = nullptr;
        if (AIErr err = NewBlock(&node)) return err;
        node->group = group;
        // A static dimension is left alone, and so is one whose records cannot be read. Memory
        // that runs out is no damaged record: it stops the update before anything is redrawn.
        AIErr err = GetDimensionData(group, &node->data);
        const bool live = !err && node->data.live != 0;
        if (live) err = CollectTexts(*node);
        if (!live || err) {
            if (live) FreeDimensionTextLinkedList(node->data.dimTextDataListPtr);
            sAIBlock->DisposeBlock(node);
            if (err == kOutOfMemoryErr) return err;
            if (err) NoteForUser(kUnreadableDimensionsNote, DimensionName(group));
            ++g->dimensionsKept;
            continue;
        }
        if (AIErr err = take(node)) return err;
    }
    return kNoErr;
}

}  // namespace

namespace {

AIErr CreateStyleList(PlotwiseProcessArtType which, const IdSet* ids) {
    if (!g || !sAIBlock) return kCADErr;
    if (AIErr err = FreeLiveDimensionGroupDataList()) return err;
    return ReadStyleNodes(which, ids, [](StyleNode* node) {
        AppendStyleNode(node);
        return kNoErr;
    });
}

}  // namespace

AIErr CreateStyleLinkedList(PlotwiseProcessArtType which) { return CreateStyleList(which, nullptr); }

AIErr ForEachLiveDimensionStyle(PlotwiseProcessArtType which,
                                const std::function<void(const Plotwise3_Live_Dimension_Data&)>& visit) {
    if (!g || !sAIBlock) return kCADErr;
    if (AIErr err = FreeLiveDimensionGroupDataList()) return err;
    return ReadStyleNodes(which, nullptr, [&](StyleNode* node) {
        visit(node->data);
        return DisposeStyleNodes(&node->data);  // read alone: it links to no other
    });
}

AIErr CreateDimensionedObjectLinkedList(PlotwiseProcessArtType which) {
    if (!g || !sAIBlock) return kCADErr;
    if (AIErr err = FreeDimensionedObjectDataList()) return err;
    std::vector<AIArtHandle> arts;
    if (AIErr err = QueryArt(which, kAnyArt, arts)) return err;
    for (AIArtHandle art : arts) {
        const auto unreadable = [art](int32_t id) { return AppendUnreadableClick(id, art); };
        // A click tag an older version left that could not be converted is a click its
        // dimension lacks.
        if (ForEachLeftLegacyClick(art, unreadable) == kOutOfMemoryErr) return kOutOfMemoryErr;
        if (!IsDimensionedObject(art)) continue;
        // A click or link that cannot be read stands in the list for its dimension (id 0 when
        // it names none), which is then kept as drawn; the other clicks are read all the same.
        const AIErr err = ForEachDimensionedObjectData(art, AppendClick, unreadable);
        if (err == kOutOfMemoryErr) return err;
    }
    return kNoErr;
}

namespace {

// Clicks a dimension can be redrawn from: each one read, none stored twice (a copy of its
// art, or of its link, carries the same clicks again), and all of one kind (a click of
// another would have it drawn as a kind it is not).
bool Readable(const std::vector<Plotwise3_dimensioned_object_data*>& clicks) {
    std::unordered_set<int32_t> numbers;
    return std::all_of(clicks.begin(), clicks.end(), [&](const Plotwise3_dimensioned_object_data* c) {
        return c->unreadable == 0 && numbers.insert(c->clickNum).second && c->dimType == clicks.front()->dimType;
    });
}

// Whether the numbered clicks run from 1 without a gap; the drag apart (read clicks, each
// number once).
bool NoClickMissing(const std::vector<Plotwise3_dimensioned_object_data*>& clicks) {
    int32_t count = 0, last = 0;
    for (const Plotwise3_dimensioned_object_data* c : clicks)
        if (c->clickNum >= 1) {
            ++count;
            last = std::max(last, c->clickNum);
        }
    return last == count;
}

// Redraws a dimension from its clicks, or tells why it is kept as drawn. With a damaged
// record in the document, the clicks of any dimension may be amiss (one held by the damaged
// record, or one of another's given to it): a dimension whose numbers leave a gap, whose
// routine draws nothing from what is left, or other texts than it shows, is kept.
bool RedrawOrName(StyleNode& node, const std::vector<Plotwise3_dimensioned_object_data*>& clicks,
                  const KindTable& kinds, bool anyMayBeAmiss) {
    Redraw outcome = Redraw::kUnusable;
    if (Readable(clicks) && (!anyMayBeAmiss || NoClickMissing(clicks)))
        outcome = RedrawOne(node, clicks, kinds, anyMayBeAmiss);
    // Named by the kind its clicks that can be read give.
    const auto read = std::find_if(clicks.begin(), clicks.end(), [](const auto* c) { return !c->unreadable; });
    const int32_t kind = read != clicks.end() ? (*read)->dimType : kDummyDimType;
    if (outcome == Redraw::kPastCanvas)
        NoteForUser(kPastCanvasDimensionsNote, DimensionName(node.group, kind));
    else if (outcome == Redraw::kUnusable || (outcome == Redraw::kNotDrawn && anyMayBeAmiss))
        NoteForUser(kUnreadableDimensionsNote, DimensionName(node.group, kind));
    return outcome == Redraw::kReplaced;
}

}  // namespace

AIErr DrawAssociativeDimensions() {
    if (!g) return kCADErr;
    // Every dimension's clicks, by id, in list order. Any damaged record may have held a click
    // of any dimension, or given one to another.
    std::unordered_map<int32_t, std::vector<Plotwise3_dimensioned_object_data*>> clicksOf;
    bool anyMayBeAmiss = false;
    for (Plotwise3_dimensioned_object_data* c = g->firstDimensionedObjectDataPtr; c; c = c->next) {
        clicksOf[c->id].push_back(c);
        anyMayBeAmiss = anyMayBeAmiss || c->unreadable != 0;
    }
    // A damaged record that names no dimension may have held the clicks of any that has none.
    const auto unowned = clicksOf.find(0);
    const bool anyMayBeUnread = unowned != clicksOf.end() && !Readable(unowned->second);
    const KindTable kinds = LoadKinds();
    // A dimension no click names, drawn where clicks of a dimension the document does not
    // hold were taken, may be theirs, its id or theirs damaged.
    std::optional<std::vector<ClickLink>> strays;
    const auto straysLieAt = [&](AIArtHandle group) {
        if (!strays) strays = LinksOfNoDimension(clicksOf);
        return std::any_of(strays->begin(), strays->end(), [group](const ClickLink& l) { return LinkLiesAt(l, group); });
    };
    std::unordered_set<int32_t> drawn;
    for (Plotwise3_Live_Dimension_Data* d = g->firstLiveDimensionGroupDataPtr; d; d = d->next) {
        StyleNode& node = *reinterpret_cast<StyleNode*>(d);
        const auto found = clicksOf.find(d->id);
        // One dimension per id: a second group of the same id is kept as it is.
        const bool first = drawn.insert(d->id).second;
        bool replaced = false;
        if (first && found != clicksOf.end()) {
            const std::vector<Plotwise3_dimensioned_object_data*>& clicks = found->second;
            for (Plotwise3_dimensioned_object_data* c : clicks) c->used = 1;
            replaced = RedrawOrName(node, clicks, kinds, anyMayBeAmiss);
        } else if (first && (anyMayBeUnread || straysLieAt(node.group))) {
            NoteForUser(kUnreadableDimensionsNote, DimensionName(node.group));
        }
        ++(replaced ? g->dimensionsRedrawn : g->dimensionsKept);
    }
    return kNoErr;
}

namespace {

// The art is one of `arts` or lies inside one of them.
bool Within(AIArtHandle art, const std::unordered_set<AIArtHandle>& arts) {
    while (art && !arts.contains(art))
        if (sAIArt->GetArtParent(art, &art) != kNoErr) return false;
    return art != nullptr;
}

// The ids of the clicks of the click list on one of `arts` or on art inside one of them.
IdSet IdsMeasuring(const std::unordered_set<AIArtHandle>& arts) {
    IdSet ids;
    for (const Plotwise3_dimensioned_object_data* c = g->firstDimensionedObjectDataPtr; c; c = c->next)
        if (!ids.contains(c->id) && Within(c->art, arts)) ids.insert(c->id);
    return ids;
}

// The regeneration of the dimensions of `which`, or, when `measured` is given, of only the
// dimensions with a click on that art: a run that finds none of those leaves everything,
// the counts included, as it was.
AIErr Regenerate(PlotwiseProcessArtType which, const std::unordered_set<AIArtHandle>* measured) {
    if (!g) return kCADErr;
    const SavedState saved;
    g->prefs.createLiveDimensions = 1;
    g->updatingDimensions = 1;
    AIErr err = CreateDimensionedObjectLinkedList(kProcessAllArt);
    if (!err && measured && IdsMeasuring(*measured).empty()) return kNoErr;
    g->dimensionsRedrawn = g->dimensionsKept = g->dimensionsRedrawnAlike = 0;
    if (!err) err = GiveSharedIdsNewOnes();
    // Taken after the ids are repaired, which may give a click another.
    const IdSet ids = !err && measured ? IdsMeasuring(*measured) : IdSet{};
    if (!err) err = CreateStyleList(which, measured ? &ids : nullptr);
    if (!err) err = DrawAssociativeDimensions();
    // The lists stay until they are built again; their text records are given back now.
    for (Plotwise3_Live_Dimension_Data* d = g->firstLiveDimensionGroupDataPtr; d; d = d->next) {
        FreeDimensionTextLinkedList(d->dimTextDataListPtr);
        d->dimTextDataListPtr = nullptr;
    }
    return err;
}

}  // namespace

AIErr UpdateAssociativeDimensions(PlotwiseProcessArtType which) { return Regenerate(which, nullptr); }

AIErr UpdateDimensionsMeasuring(std::span<const AIArtHandle> arts) {
    const std::unordered_set<AIArtHandle> measured(arts.begin(), arts.end());
    return Regenerate(kProcessAllArt, &measured);
}
