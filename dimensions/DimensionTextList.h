// The text records of one dimension or label collected before it is redrawn: each text's
// record, with user edits detected (a retyped text becomes custom text) and letter and
// number texts derived again from their counters; and the rewrite of the records when the
// user switches a dimension's text format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"

// Walks art and its following siblings (into groups) and adds the record of every text to
// the list at firstDimTextPtr, ascending by id (equal ids in the order met). precedence 1:
// the text as it stands in the document wins over the stored record. *format is the
// style's dimensionFormat (isLabel 0; ends as -1 when the texts differ in format; each text
// is judged against the format it came with, and in a dimension already at -1 a text that
// is not custom keeps the letter, number or value it shows) or labelFormat (isLabel 1;
// takes a text's format that differs). The records stored on the texts are only read: the
// list carries what the redraw stores with its new texts (letters and numbers taken from
// the counters included). Host errors end the walk; records already collected stay in the
// list. A dimension's text without a record gives 'NOKY' before anything is read.
AIErr CreateDimensionTextLinkedList(AIArtHandle art, int32_t precedence, int32_t* format, int isLabel);
// Gives back every node from list on and empties firstDimTextPtr, also when a node cannot
// be given back (it is left, never pointed at). The first error is returned.
AIErr FreeDimensionTextLinkedList(live_dimension_text_data* list);
// Rewrites the records of every text frame under art and its following siblings for a new
// format; texts without a letter or number take base + their id, and the counter advances.
AIErr SetAlphaNumericDimTextData(AIArtHandle art, int32_t format, int32_t base, int isLabel);
// The text's contents, at most size - 1 bytes, into out.
AIErr GetStringFromTextObject(AIArtHandle text, char* out, size_t size = 1024);
// Visits every text art under art and its following siblings, groups entered first (legacy
// text too with withLegacy); the visitor's error stops the walk and is returned.
AIErr ForEachDimensionText(AIArtHandle art, bool withLegacy, const std::function<AIErr(AIArtHandle, int16_t)>& visit);
