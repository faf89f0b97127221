// What makes a dimension live, as stored in art dictionaries: the style record on the
// dimension's group ("ZA3_Dimension"), the click records on the art it measures
// ("ZA3_Object"), the text records on its texts ("PW4_DimText"); and the services that
// tell dimensions apart, read and write their ids and find legacy dimension art.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "AITypes.h"
#include "dimensions/LegacyDimensionStrings.h"
#include "core/PlotwiseDimensionData.h"

// --- style record on the dimension's group ---

// Writes the record into the "ZA3_Dimension" sub-dictionary of dict (the group's art
// dictionary), creating it when absent. With stringsFlag 0 the custom colour name, text
// face and label text are written only where absent, so strings already there stay.
AIErr ConvertLiveDimensionDataToDictionary(const Plotwise3_Live_Dimension_Data* data, AIDictionaryRef dict,
                                           int stringsFlag);
// Fills the record from the group: layerStr always, the style fields when the group is a
// live dimension. Keys of later formats that an older record lacks take their defaults, and
// so does a number outside its field's domain (StyleField::HoldsOnArt), named to the user.
// An entry of another type, a missing one that has no default, or an id below
// kFirstDimensionId ('BDDE') is the read's error.
AIErr GetDimensionData(AIArtHandle art, Plotwise3_Live_Dimension_Data* data);
// Gives every number of the record outside its field's domain the default GetDimensionData
// reads for it, named to the user, as a record about to be stored from elsewhere (a format-2
// style) is held.
void HoldStyleToDomains(Plotwise3_Live_Dimension_Data* style, const Plotwise3_Live_Dimension_Data& current);
// Makes the group live with the given record, or with the current style under curDimID when
// data is null. Does nothing while prefs.createLiveDimensions is off.
AIErr SetDimensionData(AIArtHandle art, const Plotwise3_Live_Dimension_Data* data);
// Turns a dimension group back into plain art.
AIErr DeleteDimensionData(AIArtHandle art);
// Single-string writers used by the conversion of format-2 documents.
AIErr ConvertLiveDimensionCustomColorDataToDictionary(const live_dimension_custom_color_data* data,
                                                      AIDictionaryRef dict);
AIErr ConvertLiveDimensionFaceDataToDictionary(const live_dimension_face_data* data, AIDictionaryRef dict);
AIErr ConvertLiveDimensionLabelDataToDictionary(const live_dimension_label_data* data, AIDictionaryRef dict);

// --- click records on measured art ---

AIErr SetDimensionedObjectData(AIArtHandle art, const Plotwise3_dimensioned_object_data* data);
AIErr ConvertDimensionedObjectDataToDictionary(AIDictionaryRef clickDict, const Plotwise3_dimensioned_object_data* data);
AIErr ConvertDimensionedObjectDictionaryToData(AIDictionaryRef clickDict, Plotwise3_dimensioned_object_data* data);
int IsDimensionedObject(AIArtHandle art);
// Whether the click, kept on art of the type, is one a tool could have stored: every field
// in its domain (the rows of ClickEntries; no click is numbered 0) and a click type the art
// can hold (an anchor or piece on a path, a text click on text, space and fill on any art).
bool ClickRecordHolds(const Plotwise3_dimensioned_object_data& click, int16_t artType);

// Visits every click record stored on the art: links are the entries of "ZA3_Object" whose
// key begins with "ZA3_Obj_data_", clicks the entries of a link whose key begins with
// "ZA3_Click_data_"; everything else is passed over and no digits of a key are parsed. The
// record handed over has art set and prev/next null. Damaged are: a "ZA3_Object" or link
// that is no dictionary, a click that cannot be read, one its art could not have been given
// (ClickRecordHolds) or kept under another key than its number gives, and in a link whose
// stored ids disagree each click storing another id than most of them (its key's, its own
// and its clicks'), and the link itself when the rest outvote its key; a link holding no
// click is damaged too. Damage stops the walk with its error,
// unless `damaged` is given: it is then told the id of the dimension the damaged record
// belongs to (a link by its key's digits or its own id, an odd click by the id most of its
// link's name; 0 when none can be told), and the walk goes on.
// Running out of memory always stops it. A non-zero result of a visitor stops it and is
// returned.
using ClickRecordVisitor = std::function<AIErr(const Plotwise3_dimensioned_object_data&)>;
using DamagedClickVisitor = std::function<AIErr(int32_t id)>;
AIErr ForEachDimensionedObjectData(AIArtHandle art, const ClickRecordVisitor& visit,
                                   const DamagedClickVisitor& damaged = {});

// Visits every dimension link of the art with its key text and the link's own "ZA3_Obj_id".
using DimensionLinkVisitor = std::function<AIErr(const char* key, int32_t id)>;
AIErr ForEachDimensionLink(AIArtHandle art, const DimensionLinkVisitor& visit);
// Removes every link of the art whose "ZA3_Obj_id" `drop` names, however many there are;
// when that leaves no link at all, "ZA3_Object" goes too (one without any link to begin with
// stays). *removed, when given, counts the links removed. An art without links is left alone.
// A link that names another dimension too (its key does not end in its id, or a click of it
// stores another id) may be that one's: it stays, and `kept`, when given, is told its key,
// its id and the other ids its clicks store.
using DisagreeingLinkVisitor = std::function<void(const char* key, int32_t id, const std::vector<int32_t>& clickIds)>;
AIErr RemoveDimensionLinks(AIArtHandle art, const std::function<bool(int32_t id)>& drop, int32_t* removed = nullptr,
                           const DisagreeingLinkVisitor& kept = nullptr);
// Gives the art's link of dimension `from` to dimension `to`: the link's key is renamed
// ("ZA3_Obj_data_<to>"), and its "ZA3_Obj_id" and the id of every click in it become `to`.
// An art without that link is left alone.
AIErr RenumberDimensionLink(AIArtHandle art, int32_t from, int32_t to);
// Removes "ZA3_Object" from the art and from its direct children (not deeper).
AIErr DeleteDimObjectDictionary(AIArtHandle art);

// --- text records on the texts of a dimension ---

AIErr SetDimensionTextData(AIArtHandle art, const live_dimension_text_data* data);
AIErr GetDimensionTextData(AIArtHandle art, live_dimension_text_data* data);
// Whether the text art carries a record holding the text as drawn (GetDimensionTextData
// reads defaults where not).
bool HasDimensionTextData(AIArtHandle art);

// --- identity and lookups ---

int IsDimension(AIArtHandle art);
int isDimensionPart(AIArtHandle art);
// The dimension's id; 0 when it has none or it cannot be read.
int32_t GetDimensionID(AIArtHandle art);
// The id, or the reason it cannot be read ('NOKY' for art that is no dimension, 'BDDE' for
// an id below kFirstDimensionId).
AIErr ReadDimensionID(AIArtHandle art, int32_t* id);
AIErr SetDimensionID(AIArtHandle art, int32_t id);
// Makes the dimension static: an update keeps it as drawn, whatever its clicks say.
AIErr KeepDimensionAsDrawn(AIArtHandle art);
// The highest id of any live dimension in the document (0 when there is none). When the
// host cannot list the document's art the answer is unknown: the current counter
// prefs.style.id is returned, so that assigning the result to the counter keeps it, and
// ids already given are never handed out again.
int32_t GetHighestDimensionID();
// As above, reporting a failed query instead of answering for it.
AIErr FindHighestDimensionID(int32_t* highest);
// The highest id the front document holds, worked out again only when the document changed
// since it was last known. The dimension-id counter never stands below it.
int32_t HighestDimensionIdHeld();

// Fresh dimension ids: those above `highest` while any are left, then the lowest ids no
// dimension and no link on measured art uses, found in one walk of the document when first
// needed and handed out in rising order, so no id is given twice and none twice over.
class NewDimensionIds {
public:
    explicit NewDimensionIds(int32_t highest) : highest_(highest) {}
    // A fresh id in *id, 0 when none is left; a failed walk of the document is returned.
    AIErr Take(int32_t* id);
    // The highest id given or held: what the dimension counter stands at afterwards.
    int32_t Highest() const { return highest_; }

private:
    int32_t highest_;
    bool gathered_ = false;
    std::vector<int32_t> used_;  // sorted
    size_t nextUsed_ = 0;
    int64_t candidate_ = 1;
};
// The id a new dimension takes, after the dimension counter prefs.style.id; 0 when every id
// is in use. The counter is left at the highest id: a lower free one taken once the ids
// above ran out must never be counted on from. A failed walk of the document is returned.
AIErr IdForNewDimension(int32_t* id);
AIErr GetDimArtFromDimID(int32_t id, AIArtHandle* result);
AIErr walkArtworkTreeForSpecificDimArt(AIArtHandle start, const char* tagName, AIArtHandle* result);
AIErr walkArtworkTreeForFirstDimObject(AIArtHandle start, AIArtHandle* result);
