// What the drawing tools share: snapping a point onto an anchor under it (or the grid),
// the new path a tool draws into, the modifier keys as the tools read them, and the tracker
// read-out, which goes to the panels when they offer it and is skipped otherwise.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "AIHitTest.h"
#include "AITypes.h"

#include "artwork/PathEditing.h"
#include "core/PlotwiseHitTest.h"

// Message 17014: the trim and extend tools work on open paths only.
constexpr int32_t kSelectOpenPathMessage = 14;
// Message 17017: the editing tools leave dimensions and labels alone.
constexpr int32_t kDimensionNotEditedMessage = 17;

// What a snap found under the point.
struct AnchorHit {
    bool any = false;              // something was hit
    bool anchor = false;           // an anchor was hit: the point moved onto it
    AIArtHandle art = nullptr;     // the art whose anchor it is
    int16_t segment = -1;          // the anchor's index
};

// Hit-tests the document at the point (hit request 1). An anchor hit moves the point onto
// the anchor; when nothing is hit and `gridSnap` is set, the grid snap may move it; a hit
// of another kind leaves it. Host errors are returned with the point unchanged.
AIErr SnapToAnchorOrGrid(AIRealPoint* point, bool gridSnap, AnchorHit* hit = nullptr);
// The grid snap alone: true when it moved the point.
bool GridSnap(AIRealPoint* point);
// The hit at the point for a tool that edits the art it is pressed on, as a press
// (HitPressedArt: art of a locked layer there is refused, the layer named). Dimensions and
// labels are drawn over the drafter's art and drawn again from what they measure, so an edit
// of their parts, or a result put among them, would be lost at the next update: the host's
// hit passing over them to the art beneath (as a measuring click does), and none where only a
// dimension lies (any part of it, a text too, whatever the request), which `onDimension`, when
// given, then says. Host errors are returned.
AIErr HitEditedArt(const AIRealPoint& point, int32_t request, AIToolHitData* hit, bool* onDimension = nullptr);
// A click that hit no art the tool edits: the dimension message when it lay on a dimension,
// else the art-must-be-clicked tip; 'CADE' either way.
AIErr RefuseClick(bool onDimension);
// Makes the scale of the art's layer current, storing nothing, as a press on the art does. A
// tool takes its typed or dragged length at the scale of the layer its result lands on, which
// need not be the layer of the art last pressed. A host error finding the layer is returned.
AIErr LoadEditedArtScale(AIArtHandle art);
// A tool that works on the art clicked asks for nothing when its click lands on none: kNoErr,
// with the scale of the art's layer made current for the length it asks for, when
// HitEditedArt finds art at the point; else the refusal of RefuseClick. Host errors are
// returned.
AIErr RequireArtUnder(const AIRealPoint& point, int32_t request);

// A click on a path as the editing tools read it: the path with its anchors as they were,
// the segment under the click and the click's parameter on it.
struct PathClick {
    AIArtHandle path = nullptr;
    bool onDimension = false;      // nothing was clicked but a dimension's part
    AIArtHandle group = nullptr;   // the path's container, as the hit reported it
    AIRealPoint point{};           // the point of the path under the click
    int16_t segment = 0;           // start anchor of the clicked segment; -1: the closing one
    AIReal t = 0;                  // the click's parameter on that segment
    bool closed = false;
    std::vector<AIPathSegment> anchors;

    int16_t count() const { return static_cast<int16_t>(anchors.size()); }
    const AIPathSegment& start() const;  // the clicked segment's anchors
    const AIPathSegment& end() const;
    AIRealBezier bezier() const;
};

// HitEditedArt at the point with the request. `clicked` is set only when an anchor or the
// curve of a path is under it (a path of one anchor has that anchor as both ends of its
// segment); an anchor counts as the end of the segment arriving at it (anchor 0 of an open
// path as the start of the first segment). Host errors are returned. `hit`, when given,
// receives that hit, whatever was hit.
AIErr HitPathSegment(const AIRealPoint& point, int32_t request, PathClick* click, bool* clicked,
                     AIToolHitData* hit = nullptr);
// Writing a path's anchors back whole (ReadPathSegments reads them).
AIErr WritePathSegments(AIArtHandle path, const std::vector<AIPathSegment>& anchors, bool closed);
// Splits span k of the anchors (k = size - 1: the closing span) at the increasing
// parameters ts of the span as it is, putting the new anchors at k + 1, k + 2, ...: a
// straight span gets corner anchors with their handles on them, a curved one the exact de
// Casteljau pieces (smooth anchors, the neighbours' handles shortened). The handles shape the
// span whatever the anchors' corner flags say, as the host draws it.
void SplitSpan(std::vector<AIPathSegment>& anchors, size_t k, std::span<const double> ts);
inline void SplitSpan(std::vector<AIPathSegment>& anchors, size_t k, double t) { SplitSpan(anchors, k, {&t, 1}); }
// The anchors in the opposite order, each with its handles exchanged.
std::vector<AIPathSegment> ReversedSegments(std::vector<AIPathSegment> anchors);

// A new, empty path inside `group` on top, or above `firstArt` when there is no group.
AIErr NewToolPath(AIArtHandle* path);

// Shift counts only while `ignoreShift` is 0.
bool ShiftInForce();
bool OptionHeld();
bool CommandHeld();

// The tracker read-out (kMissingValue for an empty field) and its length and perimeter
// captions (indexes of list 17400); nothing happens while the panels offer no tracker.
AIErr updateTrackerWindow(double x, double y, double w, double h, double width, double height, double seventh,
                          double angle, double length, double perimeter, double area);
AIErr updateTrackerWindowLabels(int32_t lengthCaption, int32_t perimeterCaption);
