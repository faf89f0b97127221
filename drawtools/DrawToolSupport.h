// What the drawing tools share: snapping a point onto an anchor under it (or the grid),
// the new path a tool draws into, the modifier keys as the tools read them, and the tracker
// read-out, which goes to the panels when they offer it and is skipped otherwise.
#pragma once

#include <cstdint>

#include "AIHitTest.h"
#include "AITypes.h"

// A hit reference given back to the host on every way out.
class HitRef {
public:
    HitRef() = default;
    ~HitRef();
    HitRef(const HitRef&) = delete;
    HitRef& operator=(const HitRef&) = delete;
    AIHitRef* put() { return &ref_; }
    AIHitRef get() const { return ref_; }

private:
    AIHitRef ref_ = nullptr;
};

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

// A new, empty path inside `group` on top, or above `firstArt` when there is no group.
AIErr NewToolPath(AIArtHandle* path);

// Shift counts only while `ignoreShift` is 0.
bool ShiftInForce();
bool OptionHeld();
bool CommandHeld();

// The tracker read-out (kMissingValue for an empty field) and its length and perimeter
// captions (indexes of list 17400); nothing happens while the panels offer no tracker.
AIErr updateTrackerWindow(AIReal x, AIReal y, AIReal w, AIReal h, AIReal width, AIReal height, AIReal seventh,
                          AIReal angle, AIReal length, AIReal perimeter, AIReal area);
AIErr updateTrackerWindowLabels(int32_t lengthCaption, int32_t perimeterCaption);

// Degrees of an angle in radians, as the host converts them.
AIReal RadiansToDegrees(AIReal radians);
AIReal DegreesToRadians(AIReal degrees);
