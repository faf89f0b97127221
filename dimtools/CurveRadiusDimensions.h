// Curve radius dimensions and tangent lines: the radius of curvature of a curved piece of a
// path at the point under the cursor, and the tangent and normal lines there, each a live
// dimension redrawn at its stored point.
#pragma once

#include <cstdint>

#include "AITypes.h"

// The curve radius dimension at firstClick (drawArc 1: with the arc): a radius line from
// the centre of curvature O to the curve point P (a closed two-anchor path), a cross of
// arms min(R / 3, 9) at O, a terminator at P where it fits (arrowheads and dots only where
// twice their length is less than R), the value with its radius label beyond O on the side
// away from the curve, and about O the 120-degree arc of the circle of curvature centred
// on P. A true arc (its end normals' crossing keeping p0's distance r0 at its end and at
// t = 0.25, 0.75, 0.5 within r0 / 24) measures r0 wherever it is clicked. Nothing under the
// cursor: the ruler marks stop following it and nothing is drawn; a straight piece or
// nothing measurable there: 0, no group.
AIErr doAutoCurveTool(int16_t drawArc);
// The tangent line tool at firstClick, from the same measure: by the keys of the style
// (shift counted unless ignoreShift) the tangent 2R long centred on P and the normal R long
// (shift), the normal alone (option) or the tangent alone; ctrl turns the normal to the
// convex side. The argument changes nothing.
AIErr doTangentTool(int16_t unused);

// The tools' own steps. The curve radius tool draws at the cursor on every drag (ctrl: no
// arc), the last drawing staying; the tangent tool likewise, and at the release removes
// the drawing of its own drags (never a group an earlier gesture left) and draws once more
// at the release point, or at the press after a click.
AIErr CurveToolDrag();
AIErr TangentToolMouseDown();
AIErr TangentToolDrag();
AIErr TangentToolMouseUp();
