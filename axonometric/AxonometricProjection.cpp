// Face projection and flattening of host art, with the record that remembers how.
#include "axonometric/AxonometricProjection.h"

#include <cmath>

#include "AIArt.h"
#include "axonometric/AxonometricGlobals.h"
#include "axonometric/CylinderBody.h"
#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseSuites.h"
#include "geometry/AxonometricMath.h"
#include "geometry/IsoViewDerivation.h"
#include "geometry/PlotwiseErrors.h"
#include "artwork/PathEditing.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

// Options of the host's transform: the art itself, and groups with their children.
constexpr int32_t kTransformWithChildren = kTransformObjects | kTransformChildren;  // 0x41

// Only moves a text frame, by how far m takes its point-text anchor.
AIErr MoveTextByItsAnchor(AIArtHandle text, const AIRealMatrix& m) {
    AIRealMatrix frame{};
    if (AIErr err = sAITextFrame->GetTextFrameMatrix(text, &frame)) return err;
    const AIRealPoint anchor{frame.tx, frame.ty};
    const AIRealPoint moved = XformRealPoint(m, anchor);
    const AIRealMatrix shift = Translation(moved.h - anchor.h, moved.v - anchor.v);
    return sAITransformArt->TransformArt(text, &shift, 1.0f, kTransformObjects);
}

// Keeps the flat bounds of a primitive's face for the depth tools.
void KeepPrimitiveFaceBounds(const AIRealRect& flat) {
    if (!g->drawingPrimitive) return;
    if (g->firstMouseNotYetUp) {
        g->primitiveFirstFaceFlatLeft = flat.left;
        g->primitiveFirstFaceFlatRight = flat.right;
        g->primitiveFirstFaceFlatBottom = flat.bottom;
        g->primitiveFirstFaceFlatTop = flat.top;
    } else {
        g->primitiveSecondFaceFlatLeft = flat.left;
        g->primitiveSecondFaceFlatRight = flat.right;
        g->primitiveSecondFaceFlatBottom = flat.bottom;
        g->primitiveSecondFaceFlatTop = flat.top;
    }
}

// A cylinder group is flattened through its base: the group's record goes, the base
// (type 6) becomes the art to flatten and lends its face data, the body (type 7) is
// disposed. Only the first two members are looked at.
AIErr TakeCylinderBase(AIArtHandle group, AIArtHandle* art, depth_object_data* data) {
    if (AIErr err = DeleteAxonometricData(group)) return err;
    AIArtHandle child = nullptr;
    if (AIErr err = sAIArt->GetArtFirstChild(group, &child)) return err;
    for (int visited = 0; child && visited < 2; ++visited) {
        AIArtHandle next = nullptr;
        if (AIErr err = sAIArt->GetArtSibling(child, &next)) return err;
        depth_object_data member;
        if (AIErr err = GetAxonometricData(child, &member)) return err;
        if (member.type == kAxoCylinderBase) {
            *art = child;
            data->offset = member.offset;
            data->matrix = member.matrix;
            data->face = member.face;
            data->noForeshortening = member.noForeshortening;
        } else if (member.type == kAxoCylinderBody) {
            if (AIErr err = sAIArt->DisposeArt(child)) return err;
        }
        child = next;
    }
    return kNoErr;
}

// The move that puts the flat art's pivot corner onto q.
AIRealMatrix PivotOnto(const AIRealRect& flat, int32_t face, const AIRealPoint& q) {
    const bool tiltUp = g->prefs.isoView.t > 0;
    const AIReal x = face == kAxoRightFace ? flat.left : flat.right;
    const AIReal y = face == kAxoTopFace ? (tiltUp ? flat.bottom : flat.top) : (tiltUp ? flat.top : flat.bottom);
    return Translation(q.h - x, q.v - y);
}

// Where the flat art goes: the record's matrix turned back, the point its pivot corner
// lands on (the projected art's corner plus the record's offset, so art moved since its
// projection flattens where it is now), and the art's bounds under the turned matrix with
// the move that puts their pivot corner there.
struct Flattening {
    AIRealMatrix inverse{}, move{};
    AIRealPoint q{};
    AIRealRect turned{};
};

// kMatrixNotInvertibleErr (nothing to do) for a matrix whose face collapses to a line, or
// flat art that would not lie on the canvas: the art would come back blown up to nonsense,
// or be sent past the canvas.
AIErr FlatteningOf(AIArtHandle art, const depth_object_data& data, Flattening* f) {
    AIRealRect projected{};
    if (AIErr err = GetAxonometricArtBounds(art, &projected)) return err;
    f->inverse = data.matrix;
    if (!WellConditioned(f->inverse) || !InvertRealMatrix(&f->inverse)) return kMatrixNotInvertibleErr;
    if (AIErr err = sAIArt->GetArtTransformBounds(art, &f->inverse, kVisibleBounds, &f->turned)) return err;
    f->q = {projected.left + data.offset.h, projected.top + data.offset.v};
    f->move = PivotOnto(f->turned, data.face, f->q);
    const AIRealRect& t = f->turned;
    for (AIReal side : {t.left + f->move.tx, t.top + f->move.ty, t.right + f->move.tx, t.bottom + f->move.ty})
        if (!IsRecordLength(side)) return kMatrixNotInvertibleErr;
    return kNoErr;
}

}  // namespace

AIErr ProjectAxonometric(AIArtHandle art, int32_t face, const iso_view* view) {
    if (!art || !view) return kBadParameterErr;
    if (!IsAxonometricFace(face)) return kCADErr;
    if (!IsoViewIsUsable(*view)) return RefuseIsoView(*view);
    if ((IsAxonometricArt(art) || IsDrum(art)) && !g->drawingCADradius) {
        depth_object_data old;
        if (AIErr err = GetProjectionRecord(art, &old)) return err;
        // A cylinder is rebuilt on the face; its body is the rebuild's business.
        if (old.type == kAxoCylinderGroup) return UpdateAxoCylinder(art, face);
        if (old.type == kAxoCylinderBody) return kNoErr;
        g->axoGroup = art;
        if (AIErr err = ApplyAxonometricInvert(art)) return err;
    }

    AIReal area = 0, compoundArea = 0, perimeter = 0;
    if (AIErr err = getGroupAreaAndPerimeter(art, art, 0, &area, &compoundArea, &perimeter)) return err;
    area += std::fabs(compoundArea);
    AIRealRect flat{};
    if (AIErr err = GetAxonometricArtBounds(art, &flat)) return err;

    AIRealMatrix m{};
    AIRealPoint pivot{};
    AxonometricFaceMatrix(*view, face, flat, &m, &pivot);
    if (AIErr err = sAITransformArt->TransformArt(art, &m, 1.0f, kTransformWithChildren)) return err;
    KeepPrimitiveFaceBounds(flat);

    depth_object_data data;
    InitializeAxonometricData(&data);
    data.id = g->depthObjNum++;
    data.type = kAxoFaceArt;
    data.face = face;
    data.flatSize = {flat.right - flat.left, flat.top - flat.bottom};
    data.area = area;
    data.perimeter = perimeter;
    data.matrix = m;
    data.noForeshortening = g->prefs.noAxoForeshortening;
    AIRealRect projected{};
    if (AIErr err = GetAxonometricArtBounds(art, &projected)) return err;
    data.offset = {pivot.h - projected.left, pivot.v - projected.top};
    data.axoSize = {projected.right - projected.left, projected.top - projected.bottom};
    if (AIErr err = KeepDocumentIsoView(view)) return err;
    if (g->prefs.autoExpandAxoArt) return kNoErr;
    return SetAxonometricData(art, &data);
}

AIErr UpdateAxoCylinder(AIArtHandle group, int32_t face) { return RebuildCylinder(group, face, &ProjectAxonometric); }

AIErr ProjectAxonometricFromData(AIArtHandle art, const depth_object_data* data) {
    if (!art || !data) return kBadParameterErr;
    g->axoGroup = art;
    if (AIErr err = ApplyAxonometricTransformation(art, &data->matrix)) return err;
    if (g->prefs.autoExpandAxoArt) return kNoErr;
    return SetAxonometricData(art, data);
}

AIErr ApplyAxonometricTransformation(AIArtHandle art, const AIRealMatrix* m) {
    if (!m) return kBadParameterErr;
    return WalkArtTreeLeaves(art, g->axoGroup, [m](AIArtHandle leaf) -> AIErr {
        if (g->prefs.style.useUniversalTextAngle) {
            int16_t type = kUnknownArt;
            if (AIErr err = sAIArt->GetArtType(leaf, &type)) return err;
            if (type == kTextFrameArt) return MoveTextByItsAnchor(leaf, *m);
        }
        return sAITransformArt->TransformArt(leaf, m, 1.0f, kTransformObjects);
    });
}

AIErr invertAxonometricArt(AIArtHandle art, depth_object_data* data) {
    if (!art || !data) return kBadParameterErr;
    if (data->type == kAxoCylinderGroup)
        if (AIErr err = TakeCylinderBase(art, &art, data)) return err;
    if (!IsAxonometricFace(data->face)) return kCADErr;

    Flattening f;
    if (AIErr err = FlatteningOf(art, *data, &f)) return err;
    if (AIErr err = sAITransformArt->TransformArt(art, &f.inverse, 1.0f, kTransformWithChildren)) return err;
    AIRealRect flat{};
    if (AIErr err = GetAxonometricArtBounds(art, &flat)) return err;
    const AIRealMatrix move = PivotOnto(flat, data->face, f.q);
    if (AIErr err = sAITransformArt->TransformArt(art, &move, 1.0f, kTransformWithChildren)) return err;
    return DeleteAxonometricData(art);
}

AIErr MeasureFlatAxonometricArt(AIArtHandle art, depth_object_data* data, AIRealRect* flat) {
    if (!art || !data || !flat) return kBadParameterErr;
    depth_object_data record = *data;
    if (record.type == kAxoCylinderGroup) {  // a cylinder flattens through its base
        AIArtHandle child = nullptr;
        if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
        for (int visited = 0; child && visited < 2; ++visited) {
            depth_object_data member;
            if (AIErr err = GetAxonometricData(child, &member)) return err;
            if (member.type == kAxoCylinderBase) {
                art = child;
                record = member;
                break;
            }
            if (AIErr err = sAIArt->GetArtSibling(child, &child)) return err;
        }
    }
    if (!IsAxonometricFace(record.face)) return kCADErr;
    Flattening f;
    if (AIErr err = FlatteningOf(art, record, &f)) return err;
    const AIRealRect& turned = f.turned;
    const AIRealMatrix& move = f.move;
    *flat = {turned.left + move.tx, turned.top + move.ty, turned.right + move.tx, turned.bottom + move.ty};
    // The record's matrix took the flat art to where it was projected; art moved since lies
    // where the matrix, less the flat move, takes the flat rectangle.
    AIRealMatrix& m = record.matrix;
    m.tx -= m.a * move.tx + m.c * move.ty;
    m.ty -= m.b * move.tx + m.d * move.ty;
    *data = record;
    return kNoErr;
}

AIErr ApplyAxonometricInvert(AIArtHandle art) {
    while (art) {
        ASBoolean layerGroup = false;
        if (AIErr err = sAIArt->IsArtLayerGroup(art, &layerGroup)) return err;
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (!layerGroup && type == kGroupArt) {
            AIArtHandle flattened = art;
            if (IsAxonometricArt(art) || IsDrum(art)) {
                depth_object_data data;
                if (AIErr err = GetProjectionRecord(art, &data)) return err;
                if (data.type == kAxoCylinderGroup) {
                    // invertAxonometricArt takes the base out of the group; the walk goes on
                    // inside the base.
                    AIArtHandle child = nullptr;
                    if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
                    for (int visited = 0; child && visited < 2; ++visited) {
                        depth_object_data member;
                        if (AIErr err = GetAxonometricData(child, &member)) return err;
                        if (member.type == kAxoCylinderBase) flattened = child;
                        if (AIErr err = sAIArt->GetArtSibling(child, &child)) return err;
                    }
                }
                if (AIErr err = invertAxonometricArt(art, &data)) return err;
            }
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(flattened, &child)) return err;
            if (child)
                if (AIErr err = ApplyAxonometricInvert(child)) return err;
        } else if (!layerGroup && IsAxonometricArt(art)) {
            depth_object_data data;
            if (AIErr err = GetAxonometricData(art, &data)) return err;
            if (AIErr err = invertAxonometricArt(art, &data)) return err;
        }
        if (art == g->axoGroup) break;
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return kNoErr;
}

AIErr invertAxonometricPoint(const depth_object_data* data, const AIRealPoint* in, AIRealPoint* out) {
    if (!data || !in || !out) return kNoErr;
    AIRealMatrix inverse = data->matrix;
    if (InvertRealMatrix(&inverse)) *out = XformRealPoint(inverse, *in);
    return kNoErr;
}

AIErr projectAxonometricPoint(const depth_object_data* data, const AIRealPoint* in, AIRealPoint* out) {
    if (data && in && out) *out = XformRealPoint(data->matrix, *in);
    return kNoErr;
}

PointError FlatPointError(const depth_object_data* data, const AIRealPoint& in) {
    AIRealMatrix inverse = data ? data->matrix : IdentityRealMatrix();
    if (!data || !InvertRealMatrix(&inverse)) return HeldError(in);
    const AIRealPoint flat = XformRealPoint(inverse, in);
    return XformError(inverse, in, XformError(data->matrix, flat, HeldError(flat)));
}

AIErr InvertIsometricBoundingCorners(const iso_view* view, int32_t face, AIRealPoint* p1, AIRealPoint* p2,
                                     AIRealPoint* p3, AIRealPoint* p4) {
    if (!view || !p1 || !p2 || !p3 || !p4) return kBadParameterErr;
    if (!FlattenFaceCorners(*view, face, p1, p2, p3, p4)) return kCantErr;
    AIRealRect artboard{};
    if (AIErr err = sAIDocument->GetDocumentMaxArtboardBounds(&artboard)) return err;
    return FlatCornersInside(artboard, *p1, *p2, *p3, *p4) ? kNoErr : kCantErr;
}
