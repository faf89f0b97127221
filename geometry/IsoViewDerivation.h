// An axonometric view from the rotation and tilt the isometric panel's pad shows: the
// cube turned about the vertical axis by the rotation and then about the horizontal axis
// by the tilt, and its x, -z and y axes projected onto the drawing give the right and left
// receding axes and the vertical with their foreshortening; and whether a view can be
// drawn on at all (no face seen edge-on).
#pragma once

#include "geometry/AxonometricMath.h"

// The view of rotation r and tilt t (degrees): a and b the angles of the projected x and
// -z axes, c that of the projected y axis (pi / 2), af, bf and cf their lengths, or 1 each
// when the view is drawn without foreshortening.
iso_view DeriveIsoView(AIReal r, AIReal t, bool foreshortened = true);

// True when every face of the view can be projected onto and flattened again: finite
// values, and no face squashed to (nearly) a line.
bool IsoViewIsUsable(const iso_view& view);
