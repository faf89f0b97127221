// The lines of a dimension: witness (extension) lines, dimension lines and the
// terminators at the ends of a dimension line in every terminator style of the style
// (1 filled arrowhead, 2 filled dot, 3 slash rising to the right, 4 none, 5 filled half
// arrowhead, 6 open arrowhead, 7 outline arrowhead, 8 slash falling to the right), and the
// datum form (an origin circle and an open arrowhead). Each primitive makes one path
// inside `prep` on top, or above firstArt when prep is null, painted with the path styles
// setPathAndArrowheadStyles prepared.
#pragma once

#include "AITypes.h"

AIErr drawWitnessLine(AIRealPoint a, AIRealPoint b, AIArtHandle prep);
AIErr drawDimensionLine(AIRealPoint a, AIRealPoint b, AIArtHandle prep);
AIErr drawSlashTerminator(AIRealPoint a, AIRealPoint b, AIArtHandle prep);
// Three anchors barb1, tip, barb2; closed for terminator styles 1, 2, 5 and 7, open for
// 3, 4, 6 and 8.
AIErr drawArrowhead(AIRealPoint barb1, AIRealPoint barb2, AIRealPoint tip, AIArtHandle prep);
// A closed circle of diameter arrowheadLength about centre.
AIErr drawDots(AIRealPoint centre, AIArtHandle prep);

// Terminators of the dimension line p1-p2 at p1 (atP1) and p2 (atP2): inside non-zero puts
// them between the points pointing out, zero outside pointing in. Slashes turn on vertical
// dimensions (the vertical linear tools, or the horizontal ones with the option key) when
// the text sits to the side (vTextPlacement 2 or 3) unless forceSlashDirection is set.
// A failure at p1 is returned before p2 is drawn.
AIErr doLineEndpointGraphics(AIRealPoint p1, AIRealPoint p2, int16_t atP1, int16_t atP2, int16_t inside,
                             AIArtHandle prep);
// The same with the way the line runs given (as from p1 to p2), for a line whose ends may
// lie together or a rounding apart and so say no way of their own.
AIErr LineEndpointGraphicsAlong(AIRealPoint p1, AIRealPoint p2, AIReal direction, int16_t atP1, int16_t atP2,
                                int16_t inside, AIArtHandle prep);
// The datum form: a white-filled origin circle at p1 and an open arrowhead at p2 pointing
// away from p1. The terminator style and the path styles are as they were afterwards,
// whatever failed.
AIErr doJISEndpointGraphics(AIRealPoint p1, AIRealPoint p2, int16_t atP1, int16_t atP2, AIArtHandle prep);
