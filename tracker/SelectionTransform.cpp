// The walk that transforms the selected art, the full-selection test and the reference
// points of a rectangle.
#include "tracker/SelectionTransform.h"

#include <cmath>

#include "AIPath.h"
#include "AITransformArt.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"
#include "tracker/TrackerGlobals.h"

namespace {

constexpr GlobalsView<TrackerGlobals> g;

constexpr int32_t kTransformFlags = kTransformObjects | kTransformChildren;  // 0x41
// A grid's extra rows or columns held as a real: whole numbers up to this many count.
constexpr AIReal kMostGridSteps = 32767;

bool CopyMode() { return g->moveCopy || g->transformCopy || (g->trackerModifiers & kTrackerCopy); }

bool Attribute(AIArtHandle art, uint32_t mask, AIErr* err) {
    uint32_t attr = 0;
    *err = sAIArt->GetArtUserAttr(art, mask, &attr);
    return (attr & mask) != 0;
}

bool PureTranslation(const AIRealMatrix& m) { return m.a == 1.0f && m.b == 0.0f && m.c == 0.0f && m.d == 1.0f; }

bool CylinderType(int32_t type) {
    return type == kAxoCylinderGroup || type == kAxoCylinderBase || type == kAxoCylinderBody;
}

bool IsFace(int32_t face) { return face == kAxoLeftFace || face == kAxoRightFace || face == kAxoTopFace; }

// Whole extra steps of a grid, 0 for anything that is not a count the grid can hold.
int32_t GridSteps(AIReal steps) {
    return steps >= 0 && steps <= kMostGridSteps ? static_cast<int32_t>(steps) : 0;
}

AIErr Transform(AIArtHandle art, const AIRealMatrix* m) { return sAITransformArt->TransformArt(art, m, 1.0f, kTransformFlags); }

// Takes the selection tag off the art and everything in it: a copy made while a redraw's
// selection waits to be restored must not be selected with it.
void ForgetSelectionTag(AIArtHandle art) {
    const char* type = nullptr;
    if (sAITag->GetTagType(art, kObjectWasSelectedTag, &type) == kNoErr)
        (void)sAITag->RemoveTag(art, kObjectWasSelectedTag);
    AIArtHandle member = nullptr;
    for (sAIArt->GetArtFirstChild(art, &member); member; sAIArt->GetArtSibling(member, &member))
        ForgetSelectionTag(member);
}

// A copy in the destination group, below the copies made before it, without the links
// of live dimensions (those stay with the source) and without a tag it was not given.
AIErr CopyIntoGroup(AIArtHandle art, AIArtHandle* copy) {
    if (AIErr err = sAIArt->DuplicateArt(art, kPlaceInsideOnBottom, g->group, copy)) return err;
    (void)DeleteDimObjectDictionary(*copy);
    ForgetSelectionTag(*copy);
    return kNoErr;
}

// One fully selected object: copied or not, flattened when axonometric and the matrix does
// more than move it, transformed, projected back, then given the second matrix.
AIErr TransformObject(AIArtHandle art, const AIRealMatrix* first, const AIRealMatrix* second) {
    AIArtHandle target = art;
    if (CopyMode()) {
        if (AIErr err = CopyIntoGroup(art, &target)) return err;
        if (!g->moveCopy) (void)TagForSelectionRestore(target);
    }
    int32_t face = kAxoNoFace;
    if (IsAxonometricArt(art) && !PureTranslation(*first)) {
        // The source's record: a copy of a member of an axonometric group has no holder.
        depth_object_data data{};
        if (AIErr err = GetAxonometricData(art, &data)) return err;
        if (!CylinderType(data.type) && IsFace(data.face)) {
            if (AIErr err = invertAxonometricArt(target, &data)) return err;
            face = data.face;
        }
    }
    if (AIErr err = Transform(target, first)) return err;
    if (face != kAxoNoFace)
        if (AIErr err = ProjectAxonometric(target, face, &g->prefs.isoView)) return err;
    return second ? Transform(target, second) : kNoErr;
}

// Row by row, every cell of the grid but the source's own: a translated copy of the source.
AIErr RepeatGrid(AIArtHandle art, AIRealMatrix* first) {
    const int32_t rows = GridSteps(g->vRepeats), columns = GridSteps(g->hRepeats);
    for (int32_t row = 0; row <= rows; ++row) {
        for (int32_t column = 0; column <= columns; ++column) {
            if (row == 0 && column == 0) continue;
            sAIRealMath->AIRealMatrixSetTranslate(first, static_cast<AIReal>(column) * g->hInc,
                                                  static_cast<AIReal>(row) * g->vInc);
            AIArtHandle copy = nullptr;
            if (AIErr err = CopyIntoGroup(art, &copy)) return err;
            if (AIErr err = Transform(copy, first)) return err;
        }
    }
    return kNoErr;
}

// One art of the chain (not a layer group).
AIErr WalkOne(AIArtHandle art, AIRealMatrix* first, const AIRealMatrix* second) {
    AIErr err = kNoErr;
    if (Attribute(art, kArtHidden, &err) || err) return err;
    if (Attribute(art, kArtLocked, &err) || err) return err;
    if (!Attribute(art, kArtSelected, &err) || err) return err;
    int16_t full = 0;
    if ((err = IsArtFullySelected(art, art, &full))) return err;
    int16_t type = 0;
    if ((err = sAIArt->GetArtType(art, &type))) return err;
    AIArtHandle child = nullptr;
    if (!full) {
        if (type != kGroupArt) {
            // A grid is made of whole objects: the selected anchors of a partly selected
            // path have no step of their own to take.
            return g->repeatCopy ? kNoErr : ApplyCADtrackerSegmentTransformation(art, first);
        }
        if ((err = sAIArt->GetArtFirstChild(art, &child))) return err;
        return ApplyCADtrackerTransformation(child, first, second);
    }
    if (g->repeatCopy) return RepeatGrid(art, first);
    if (type == kGroupArt && !IsAxonometricArt(art)) {
        if ((err = sAIArt->GetArtFirstChild(art, &child))) return err;
        return ApplyCADtrackerTransformation(child, first, second);
    }
    return TransformObject(art, first, second);
}

}  // namespace

AIErr ApplyCADtrackerTransformation(AIArtHandle art, AIRealMatrix* first, const AIRealMatrix* second) {
    if (!g || !first) return kBadParameterErr;
    // The copies made so far are selected like their sources: the group that receives them
    // is never walked while copying, or its copies would be copied without end.
    const bool copying = CopyMode() || g->repeatCopy;
    return WalkThroughSublayers(art, [&](AIArtHandle cur) {
        return copying && cur == g->group ? kNoErr : WalkOne(cur, first, second);
    });
}

AIErr ApplyTransformationForTool(AIArtHandle art, AIRealMatrix* first, const AIRealMatrix* second) {
    if (!g) return kBadParameterErr;
    const ScopedInPlaceWalk controls(true);
    return ApplyCADtrackerTransformation(art, first, second);
}

ScopedInPlaceWalk::ScopedInPlaceWalk(bool keepTransformCopy) {
    if (!g) return;
    modifiers_ = g->trackerModifiers;
    transformCopy_ = g->transformCopy;
    moveCopy_ = g->moveCopy;
    repeatCopy_ = g->repeatCopy;
    g->trackerModifiers &= ~kTrackerCopy;
    if (!keepTransformCopy) g->transformCopy = 0;
    g->moveCopy = g->repeatCopy = 0;
}

ScopedInPlaceWalk::~ScopedInPlaceWalk() {
    if (!g) return;
    g->trackerModifiers = modifiers_;
    g->transformCopy = transformCopy_;
    g->moveCopy = moveCopy_;
    g->repeatCopy = repeatCopy_;
}

AIErr IsArtFullySelected(AIArtHandle art, AIArtHandle stop, int16_t* full) {
    if (!full) return kBadParameterErr;
    *full = 1;
    if (!sAIArt->ValidArt(art, true)) return kNoErr;
    AIErr err = kNoErr;
    if (!Attribute(art, kArtSelected, &err) || err) {
        *full = 0;
        return err;
    }
    for (AIArtHandle cur = art; cur;) {
        int16_t type = 0;
        if ((err = sAIArt->GetArtType(cur, &type))) return err;
        if (type == kGroupArt) {
            AIArtHandle member = nullptr;
            if ((err = sAIArt->GetArtFirstChild(cur, &member))) return err;
            if ((err = IsArtFullySelected(member, stop, full)) || !*full) return err;
        } else if (type == kPathArt) {
            int16_t count = 0;
            if ((err = sAIPath->GetPathSegmentCount(cur, &count))) return err;
            for (int16_t i = 0; i < count; ++i) {
                int16_t state = kSegmentNotSelected;
                if ((err = sAIPath->GetPathSegmentSelected(cur, i, &state))) return err;
                if (state != kSegmentPointSelected) {
                    *full = 0;
                    return kNoErr;
                }
            }
        }
        if (cur == stop) break;
        if ((err = sAIArt->GetArtSibling(cur, &cur))) return err;
    }
    return kNoErr;
}

AIErr ApplyCADtrackerSegmentTransformation(AIArtHandle art, const AIRealMatrix* m) {
    if (!m) return kBadParameterErr;
    int16_t type = 0;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    if (type == kGroupArt) {
        AIArtHandle member = nullptr;
        if (AIErr err = sAIArt->GetArtFirstChild(art, &member)) return err;
        return member ? ApplyCADtrackerSegmentTransformation(member, m) : kNoErr;
    }
    if (type != kPathArt) return kNoErr;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(art, &count)) return err;
    for (int16_t i = 0; i < count; ++i) {
        int16_t state = kSegmentNotSelected;
        if (AIErr err = sAIPath->GetPathSegmentSelected(art, i, &state)) return err;
        if (state != kSegmentPointSelected) continue;
        AIPathSegment s{};
        if (sAIPath->GetPathSegments(art, i, 1, &s) != kNoErr) continue;
        for (AIRealPoint* p : {&s.p, &s.in, &s.out}) sAIRealMath->AIRealMatrixXformPoint(m, p, p);
        (void)sAIPath->SetPathSegments(art, i, 1, &s);
    }
    return kNoErr;
}

void GetTransformPoint(int32_t code, const AIRealRect* rect, AIRealPoint* point) {
    if (!rect || !point || code < 0 || code >= kReferencePointCount) return;
    const double centre = rect->left + (static_cast<double>(rect->right) - rect->left) / 2.0;
    const double middle = rect->bottom + (static_cast<double>(rect->top) - rect->bottom) / 2.0;
    const double columns[] = {rect->left, centre, rect->right};
    const double rows[] = {rect->top, middle, rect->bottom};
    point->h = static_cast<AIReal>(columns[code % 3]);
    point->v = static_cast<AIReal>(rows[code / 3]);
}
