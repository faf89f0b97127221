// Fillet radius dimensions: the radius of the circular arc a clicked piece of a path lies
// on, such as a fillet between two straight edges, with a leader that ends on the arc
// towards the drag point, a level shelf and the value with its radius label.
#pragma once

#include "AITypes.h"

// The fillet radius tool's drag, and the redraw of a stored fillet radius. The clicked
// piece is the one the press hit (the stored click's while redrawing). Its circle is fitted
// near B(0.3) and its nine samples must lie within half a point of it; the pieces before
// and after it on the same circle make the arc, walked across a closed path's first anchor.
// The leader ends on the arc in the direction of the drag point from the centre, or at the
// arc's nearer end when that direction misses the arc (never clamped on a whole circle); it
// starts at the drag point's distance (option: at the centre) with a terminator on the arc.
// The shelf goes right when the arc lies left of the leader's start, left otherwise (ctrl:
// the other way; always left straight above or below). Nothing is drawn, and 0 returned,
// for a press on nothing of a path; a piece that is no circular arc gets message 17067
// (once: the rest of the gesture draws nothing; silent, the dimension kept, in a redraw).
AIErr doFilletDimTool();
