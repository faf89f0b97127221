// Regeneration of live dimensions: each dimension group is drawn again from its stored style
// and the click records on the art it measures, by the routine of its kind, so it follows
// a changed style, scale or view, or measured art that moved. A dimension that cannot be
// drawn again (static, of a kind without a routine, with clicks that are gone or cannot be
// found on their art, or whose routine fails) keeps its group as it was. Also the removal of
// links that no dimension answers any more, and the repair of ids after a paste.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"

// The whole regeneration of the dimension groups of `which` (all, or the selected ones):
// the style list, the click list of every measured art, and the redraw. Live dimensions
// are made whatever the user's setting, and alerts stay silent; both are as they were
// afterwards, as are the current style, tool, layer to draw on, scale and click state. The
// counts of g->dimensionsRedrawn, g->dimensionsRedrawnAlike and g->dimensionsKept say what
// was done; a dimension whose redraw draws what it drew stays the art it was. A host error that
// stops the whole run is returned; a dimension that cannot be redrawn is not an error.
AIErr UpdateAssociativeDimensions(PlotwiseProcessArtType which);
// The same regeneration for only the dimensions with a click on one of `arts` or on art
// inside one (art that a change of view re-projected): nothing at all when none has.
AIErr UpdateDimensionsMeasuring(std::span<const AIArtHandle> arts);

// The style list (firstLiveDimensionGroupDataPtr): one node per visible live dimension group
// of `which` whose stored `live` is not 0, in the host's matching order, with the text
// records of its texts. Freed first. Static groups and groups whose record cannot be read
// are left out, and counted in g->dimensionsKept.
AIErr CreateStyleLinkedList(PlotwiseProcessArtType which);
// The same records, each handed to `visit` as it is read and given back at once, so a
// reading of thousands of dimensions holds one record at a time. The style list is freed
// first and left empty.
AIErr ForEachLiveDimensionStyle(PlotwiseProcessArtType which,
                                const std::function<void(const Plotwise3_Live_Dimension_Data&)>& visit);
// The click list (firstDimensionedObjectDataPtr): every click record of the measured art of
// `which` (hidden art included, so its dimensions are not lost). Freed first. A damaged
// record stands in the list for its dimension (AppendUnreadableClick).
AIErr CreateDimensionedObjectLinkedList(PlotwiseProcessArtType which);
AIErr FreeDimensionedObjectDataList();
// Appends a copy of the click to the click list, not used yet.
AIErr AppendClick(const Plotwise3_dimensioned_object_data& click);
// Appends a stand-in for a click of dimension `id` on the art that cannot be read: the
// redraw keeps that dimension as it was and names it (id 0: a record that names no
// dimension, which may have been any dimension's that has no clicks).
AIErr AppendUnreadableClick(int32_t id, AIArtHandle art);
AIErr FreeLiveDimensionGroupDataList();
// Redraws every dimension of the style list from the click list, each in its old group's
// place, and disposes of the old group once the new one is made.
AIErr DrawAssociativeDimensions();
// The curve radius and tangent line kinds measure where their drag ended: their one click
// is that point, and they store no drag record (one that a document of earlier versions
// holds names the point instead of the click).
bool DragIsTheClick(int32_t kind);
// Where a redraw puts the end of a dimension whose first click it finds at `first`, from the
// drag record's length and angle; `alongAxes` (its art is axonometric) reads the angle
// markers as the view's receding axes.
AIRealPoint EndOfDragRecord(const AIRealPoint& first, AIReal length, AIReal angle, bool alongAxes);

// Whether the group lies on the host's largest canvas, 16383 points each way from the origin
// (as far as its bounds can be read). A tool keeps only what lies there, and a redraw that
// would leave it keeps the dimension as drawn: what a tool draws is never taken for damage.
bool DrawnOnCanvas(AIArtHandle group);
// A dimension as the user knows it: by the text it shows, else by what its kind draws ("a
// centre mark"; "a dimension without text" when its kind is not known).
std::string DimensionName(AIArtHandle group, int32_t kind = kDummyDimType);
// The clicks of one id on one art.
using ClickLink = std::vector<Plotwise3_dimensioned_object_data*>;
// Whether the link's dimension was drawn where `group` lies: the end of its drag (else its
// first click) as it was first clicked, on one of the group's lines or texts.
bool LinkLiesAt(const ClickLink& link, AIArtHandle group);
// The id of every dimension group of the document, hidden and static ones included;
// *complete false when one cannot be read.
AIErr DimensionIdsOfDocument(std::unordered_set<int32_t>& ids, bool* complete);

// Removes from all visible measured art every link of a dimension that no longer exists
// (hidden and static dimensions exist), and "ZA3_Object" where no link is left; a link lying
// where a dimension no link names is drawn (LinkLiesAt) stays, as that one's with an id damaged. When the
// document's dimensions cannot all be listed, nothing is removed and the error returned.
AIErr CleanupAssociativeDimensions();
// After a paste (the pasted art is selected): a pasted dimension whose measured art was
// pasted with it gets a new id on both sides (link keys renamed), pasted measured art
// whose dimension was not pasted loses that link, and a pasted dimension without any
// pasted measured art becomes plain art (message 17035, once).
AIErr DoAfterPaste();
