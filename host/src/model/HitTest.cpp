// Hit testing: collects the candidate art in paint order (topmost first, the order of a
// depth-first walk from the top; from the document's index of bounds, near the point),
// then tries anchors, curves, fills and text boxes in
// turn. Request 0 takes everything, request 1 (snapping) anchors and curves of any art,
// request 8 only path segments, reporting t = -1 for anchor hits.
#include "model/HitTest.h"

#include <algorithm>
#include <cmath>

#include "model/Geometry.h"

namespace standin {

namespace {

// The art a hit could land on, topmost first: below the target, or anywhere in the document
// (hidden and locked art left out) whose bounds come within `reach` of the point.
std::vector<const Art*> candidates(const Document& doc, ObjId target, AIRealPoint p, double reach) {
    std::vector<const Art*> out;
    if (target) {
        doc.walk(
            [&](const Art& a, int) {
                if (!a.isContainer()) out.push_back(&a);
            },
            target);
        return out;
    }
    const auto r = static_cast<AIReal>(reach);
    for (ObjId id : doc.artIn({p.h - r, p.v + r, p.h + r, p.v - r}))
        if (!doc.effectivelyHidden(id) && !doc.effectivelyLocked(id)) out.push_back(doc.art(id));
    return out;
}

bool filled(const Art& a, const Document& doc) {
    // A compound path's members paint with the compound's style.
    const Art* parent = doc.art(a.parent);
    const AIPathStyle& s = parent && parent->type == kCompoundPathArt ? parent->style : a.style;
    return s.fillPaint && s.fill.color.kind != kNoneColor;
}

bool insideFill(const Document& doc, const Art& a, AIRealPoint p, ObjId* object) {
    const Art* parent = doc.art(a.parent);
    const geom::Pt q = geom::toPt(p);
    if (parent && parent->type == kCompoundPathArt) {
        int w = 0;
        for (ObjId c : doc.children(parent->id)) {
            const Art* m = doc.art(c);
            if (m->type == kPathArt && m->segments.size() > 2) w += geom::winding(m->segments, q);
        }
        *object = parent->id;
        return parent->style.evenodd ? (w % 2) != 0 : w != 0;
    }
    if (a.segments.size() < 3) return false;
    const int w = geom::winding(a.segments, q);
    *object = a.id;
    return a.style.evenodd ? (w % 2) != 0 : w != 0;
}

}  // namespace

bool hitTest(const Document& doc, ObjId target, AIRealPoint point, int32_t request, AIToolHitData* data,
             const HitTolerances& tol) {
    *data = AIToolHitData{};
    data->type = kNoHitType;
    data->point = point;
    if (target && !doc.isArt(target)) return false;
    if (request != kAllHitRequest && request != kSnapHitRequest && request != kSegmentHitRequest) return false;
    const std::vector<const Art*> arts = candidates(doc, target, point, std::max(tol.anchor, tol.curve));
    const geom::Pt p = geom::toPt(point);

    auto finish = [&](const Art& a, ObjId object, int16_t type, int16_t segment, AIRealPoint at, AIReal t) {
        data->hit = 1;
        data->type = type;
        data->segment = segment;
        data->object = toHandle<AIArtHandle>(object);
        const Art* hitArt = doc.art(object);
        data->group = toHandle<AIArtHandle>(hitArt ? hitArt->parent : a.parent);
        data->point = at;
        data->t = t;
        return true;
    };

    // Anchors.
    for (const Art* a : arts) {
        if (a->type != kPathArt) continue;
        double best = tol.anchor;
        int found = -1;
        for (size_t i = 0; i < a->segments.size(); ++i) {
            const double d = std::hypot(a->segments[i].p.h - p.x, a->segments[i].p.v - p.y);
            if (d <= best) {
                best = d;
                found = static_cast<int>(i);
            }
        }
        if (found >= 0) {
            const AIReal t = request == kSegmentHitRequest ? -1.0f : 0.0f;
            return finish(*a, a->id, kSegAnchorType, static_cast<int16_t>(found), a->segments[found].p, t);
        }
    }
    // Curves: the piece ending at anchor k reports k; the closing piece reports 0.
    for (const Art* a : arts) {
        if (a->type != kPathArt) continue;
        const std::vector<geom::Cubic> pieces = geom::pieces(a->segments, a->closed);
        double best = tol.curve;
        int found = -1;
        double foundT = 0;
        for (size_t i = 0; i < pieces.size(); ++i) {
            double t = 0;
            const double d = geom::nearest(pieces[i], p, &t);
            if (d <= best) {
                best = d;
                found = static_cast<int>(i);
                foundT = t;
            }
        }
        if (found >= 0) {
            const int16_t segment =
                static_cast<size_t>(found) + 1 == a->segments.size() ? 0 : static_cast<int16_t>(found + 1);
            const geom::Pt at = geom::evaluate(pieces[static_cast<size_t>(found)], foundT);
            return finish(*a, a->id, kSegCurveType, segment, geom::toReal(at), static_cast<AIReal>(foundT));
        }
    }
    if (request != kAllHitRequest) return false;
    // Fills.
    for (const Art* a : arts) {
        if (a->type != kPathArt || !filled(*a, doc)) continue;
        ObjId object = 0;
        if (insideFill(doc, *a, point, &object)) return finish(*a, object, kFillHitType, 0, point, 0);
    }
    // Text frames, by their boxes.
    for (const Art* a : arts) {
        if (a->type != kTextFrameArt) continue;
        AIRealRect r{};
        if (!doc.bounds(a->id, &r)) continue;
        if (point.h >= r.left && point.h <= r.right && point.v >= r.bottom && point.v <= r.top)
            return finish(*a, a->id, kTextHitType, 0, point, 0);
    }
    return false;
}

}  // namespace standin
