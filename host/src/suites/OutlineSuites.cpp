// The outline-stroke suite: a path's stroke expanded into filled outline art, made in the
// path's place (the geometry is model/Outline's).
#include "AIOutlineStroke.h"
#include "AIPath.h"
#include "model/Outline.h"
#include "suites/Suites.h"

namespace standin::suites {
namespace {

// The stroke's paint as a fill, unstroked.
AIPathStyle strokeAsFill(const AIPathStyle& stroked) {
    AIPathStyle s = stroked;
    s.fillPaint = true;
    s.fill.color = stroked.stroke.color;
    s.fill.overprint = stroked.stroke.overprint;
    s.strokePaint = false;
    s.evenodd = false;
    return s;
}

AIErr addContour(Document& d, ObjId into, const std::vector<AIPathSegment>& segs, const AIPathStyle& style) {
    ObjId id = 0;
    if (AIErr e = d.newArt(kPathArt, kPlaceInsideOnBottom, into, &id)) return e;
    Art* a = d.editArt(id);
    a->segments = segs;
    a->segmentSelection.assign(segs.size(), kSegmentNotSelected);
    a->closed = true;
    a->style = style;
    return kNoErr;
}

// The group holding the outline, directly above `path`.
AIErr makeOutline(Document& d, ObjId path, const outline::Contours& c, const AIPathStyle& style, ObjId* group) {
    if (AIErr e = d.newArt(kGroupArt, kPlaceAbove, path, group)) return e;
    ObjId into = *group;
    if (c.contours.size() > 1) {
        if (AIErr e = d.newArt(kCompoundPathArt, kPlaceInsideOnTop, *group, &into)) return e;
        d.editArt(into)->style = style;
    }
    for (const auto& contour : c.contours)
        if (AIErr e = addContour(d, into, contour, style)) return e;
    return kNoErr;
}

AIErr OutlineStroke(AIArtHandle path, AIArtHandle* result) {
    if (!result) return kBadParameterErr;
    *result = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(path, &r)) return e;
    const Art& a = *r.art;
    if (a.type != kPathArt || r.doc->art(a.parent)->type == kCompoundPathArt) return kBadParameterErr;
    const AIPathStyle& style = a.style;
    if (!style.strokePaint || style.stroke.color.kind == kNoneColor) return kBadParameterErr;
    const outline::StrokeShape shape{style.stroke.width / 2.0, style.stroke.cap, style.stroke.join,
                                     style.stroke.miterLimit};
    outline::Contours c;
    if (AIErr e = outline::outlineStroke(a.segments, a.closed, shape, &c)) return e;
    if (c.contours.empty()) return kBadParameterErr;
    for (const auto& contour : c.contours)
        if (contour.size() > 32767) return kOutOfRangeErr;
    const AIPathStyle fill = strokeAsFill(style);  // copied: making art moves the records
    Document& d = *r.doc;
    ObjId group = 0;
    if (AIErr e = makeOutline(d, r.id, c, fill, &group)) {
        if (group) d.disposeArt(group);
        return e;
    }
    d.disposeArt(r.id);
    *result = artHandle(group);
    return kNoErr;
}

const AIOutlineStrokeSuite kOutlineStrokeSuite = {OutlineStroke};

}  // namespace

void addOutlineSuites(SuiteRegistry& r) { r.add(kAIOutlineStrokeSuite, kAIOutlineStrokeSuiteVersion, &kOutlineStrokeSuite); }

}  // namespace standin::suites
