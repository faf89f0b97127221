// The walk over selected art that applies a tracker transformation, object by object.
#include "panels/TrackerTransformation.h"

#include "AIPath.h"
#include "AITag.h"
#include "AITransformArt.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"
#include "panels/PanelGlobals.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

// Objects and their children; stroke weights and patterns stay as they are.
constexpr int32_t kTransformFlags = kTransformObjects | kTransformChildren;

AIErr Transform(AIArtHandle art, const AIRealMatrix* m) {
    return sAITransformArt->TransformArt(art, m, 1.0f, kTransformFlags);
}

bool PureTranslation(const AIRealMatrix& m) { return m.a == 1.0f && m.b == 0.0f && m.c == 0.0f && m.d == 1.0f; }

// Cylinder records are rebuilt from their group, never flattened member by member.
bool FlattensForTransform(const depth_object_data& data) {
    return data.type != kAxoCylinderGroup && data.type != kAxoCylinderBase && data.type != kAxoCylinderBody;
}

// One fully selected object, or its copy at the bottom of the copies' group: the matrix
// between flattening and projecting back when it is axonometric and more than a move, then
// the second matrix.
AIErr TransformObject(AIArtHandle art, const AIRealMatrix* m, const AIRealMatrix* second) {
    AIArtHandle target = art;
    if (g->transformCopy) {
        if (AIErr err = sAIArt->DuplicateArt(art, kPlaceInsideOnBottom, g->group, &target)) return err;
        (void)DeleteDimObjectDictionary(target);  // the live dimensions stay with the source
        (void)sAITag->SetTag(target, kObjectWasSelectedTag, kTagString, "");
    }
    bool flattened = false;
    int32_t face = kAxoNoFace;
    if (!PureTranslation(*m) && IsAxonometricArt(target)) {
        depth_object_data data{};
        InitializeAxonometricData(&data);
        if (AIErr err = GetAxonometricData(target, &data)) return err;
        if (FlattensForTransform(data)) {
            face = data.face;
            if (AIErr err = invertAxonometricArt(target, &data)) return err;
            flattened = true;
        }
    }
    if (AIErr err = Transform(target, m)) return err;
    if (flattened)
        if (AIErr err = ProjectAxonometric(target, face, &g->prefs.isoView)) return err;
    return second ? Transform(target, second) : kNoErr;
}

AIErr FirstChild(AIArtHandle art, AIArtHandle* child) { return sAIArt->GetArtFirstChild(art, child); }

// The walk over a group's members.
AIErr WalkMembers(AIArtHandle group, AIRealMatrix* matrix, const AIRealMatrix* second) {
    AIArtHandle child = nullptr;
    if (AIErr err = FirstChild(group, &child)) return err;
    return ApplyCADtrackerTransformation(child, matrix, second);
}

}  // namespace

AIErr IsArtFullySelected(AIArtHandle art, AIArtHandle stop, int16_t* fully) {
    *fully = 1;
    if (!sAIArt->ValidArt(art, true)) return kNoErr;
    uint32_t attr = 0;
    if (AIErr err = sAIArt->GetArtUserAttr(art, kArtSelected, &attr)) return err;
    if (!(attr & kArtSelected)) {
        *fully = 0;
        return kNoErr;
    }
    for (AIArtHandle a = art; a;) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(a, &type)) return err;
        if (type == kGroupArt) {
            AIArtHandle child = nullptr;
            if (AIErr err = FirstChild(a, &child)) return err;
            if (child)
                if (AIErr err = IsArtFullySelected(child, stop, fully); err || !*fully) return err;
        } else if (type == kPathArt) {
            int16_t count = 0;
            if (AIErr err = sAIPath->GetPathSegmentCount(a, &count)) return err;
            for (int16_t i = 0; i < count; ++i) {
                int16_t state = kSegmentNotSelected;
                if (AIErr err = sAIPath->GetPathSegmentSelected(a, i, &state)) return err;
                if (state != kSegmentPointSelected) {
                    *fully = 0;
                    return kNoErr;
                }
            }
        }
        if (a == stop) break;
        if (AIErr err = sAIArt->GetArtSibling(a, &a)) return err;
    }
    return kNoErr;
}

AIErr ApplyCADtrackerSegmentTransformation(AIArtHandle art, const AIRealMatrix* matrix) {
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    if (type == kGroupArt) {
        AIArtHandle child = nullptr;
        if (AIErr err = FirstChild(art, &child)) return err;
        return child ? ApplyCADtrackerSegmentTransformation(child, matrix) : kNoErr;
    }
    if (type != kPathArt) return kNoErr;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(art, &count)) return err;
    for (int16_t i = 0; i < count; ++i) {
        int16_t state = kSegmentNotSelected;
        if (AIErr err = sAIPath->GetPathSegmentSelected(art, i, &state)) return err;
        if (state != kSegmentPointSelected) continue;
        AIPathSegment s{};
        if (sAIPath->GetPathSegments(art, i, 1, &s) != kNoErr) continue;  // a segment that cannot be read stays
        for (AIRealPoint* p : {&s.p, &s.in, &s.out}) sAIRealMath->AIRealMatrixXformPoint(matrix, p, p);
        (void)sAIPath->SetPathSegments(art, i, 1, &s);
    }
    return kNoErr;
}

AIErr ApplyCADtrackerTransformation(AIArtHandle art, AIRealMatrix* matrix, const AIRealMatrix* second) {
    for (AIArtHandle a = art; a;) {
        ASBoolean layerGroup = false;
        if (AIErr err = sAIArt->IsArtLayerGroup(a, &layerGroup)) return err;
        if (layerGroup) {
            if (AIErr err = WalkMembers(a, matrix, second)) return err;
        } else {
            uint32_t attr = 0;
            if (AIErr err = sAIArt->GetArtUserAttr(a, kArtHidden | kArtLocked | kArtSelected, &attr)) return err;
            // The group the copies go into is never walked: its copies are transformed once.
            const bool wanted =
                (attr & kArtSelected) && !(attr & (kArtHidden | kArtLocked)) && !(g->transformCopy && a == g->group);
            if (wanted) {
                int16_t fully = 0, type = kUnknownArt;
                if (AIErr err = IsArtFullySelected(a, a, &fully)) return err;
                if (AIErr err = sAIArt->GetArtType(a, &type)) return err;
                const bool whole = fully && (type != kGroupArt || IsAxonometricArt(a));
                AIErr err = kNoErr;
                if (whole)
                    err = TransformObject(a, matrix, second);
                else if (type == kGroupArt)  // its members judged one by one
                    err = WalkMembers(a, matrix, second);
                else
                    err = ApplyCADtrackerSegmentTransformation(a, matrix);
                if (err) return err;
            }
        }
        if (AIErr err = sAIArt->GetArtSibling(a, &a)) return err;
    }
    return kNoErr;
}
