// Transforming the selected art with a matrix, as the tracker's transform, move, repeat and
// area actions do: whole objects or only the selected anchors of a partly selected path,
// the art itself or copies (which give up the links of live dimensions), a grid of copies,
// and axonometric art flattened, transformed and projected back onto its face. Beside it,
// whether an object is fully selected and the nine reference points of a rectangle.
#pragma once

#include <cstdint>

#include "AITypes.h"

// Reference-point codes, row by row from the top: 0 top-left ... 4 centre ... 8 bottom-right.
constexpr int32_t kReferencePointCount = 9;

// Walks the art and its following siblings, entering layer groups and partly selected
// groups, and transforms each selected, visible, unlocked object. Its controls are in the
// global record: transformCopy, moveCopy and trackerModifiers bit 0x2 (copies), repeatCopy
// with hRepeats, vRepeats, hInc and vInc (a grid of copies), and `group`, which receives
// the copies and which the walk never enters while it copies.
// `second`, when given, is applied after the first matrix (and after an axonometric
// object is projected back) to whole objects only. In repeat mode the first matrix is
// overwritten. The first host error ends the walk; what was done stays done.
AIErr ApplyCADtrackerTransformation(AIArtHandle art, AIRealMatrix* first, const AIRealMatrix* second);
// The walk as a tool or dialog outside the panel calls it (the proportion tool and the
// scale assistant, through the services): copies only while transformCopy is set, never
// because of a key held at the last press in the panel, and no grid.
AIErr ApplyTransformationForTool(AIArtHandle art, AIRealMatrix* first, const AIRealMatrix* second);
// Holds the walk's copy controls to an in-place walk while it lives, and gives them back
// after: the copy key of the last press in the panel, moveCopy and repeatCopy are cleared,
// transformCopy too unless kept.
class ScopedInPlaceWalk {
public:
    explicit ScopedInPlaceWalk(bool keepTransformCopy);
    ~ScopedInPlaceWalk();
    ScopedInPlaceWalk(const ScopedInPlaceWalk&) = delete;
    ScopedInPlaceWalk& operator=(const ScopedInPlaceWalk&) = delete;

private:
    int32_t modifiers_ = 0, transformCopy_ = 0;
    int moveCopy_ = 0, repeatCopy_ = 0;
};
// Sets *full to 1 when the art (with its contents) is fully selected: it is selected, and
// every path in it, at any depth, has every anchor selected (a group is judged by its first
// member being selected). The walk covers the art's following siblings up to `stop`;
// callers pass the art itself. Art the host does not know counts as fully selected.
AIErr IsArtFullySelected(AIArtHandle art, AIArtHandle stop, int16_t* full);
// Moves the selected anchors of a path, each with both its handles; a group passes this to
// its first member, other art is left alone.
AIErr ApplyCADtrackerSegmentTransformation(AIArtHandle art, const AIRealMatrix* m);
// The point of the rectangle a reference-point code names; another code leaves it as it was.
void GetTransformPoint(int32_t code, const AIRealRect* rect, AIRealPoint* point);
