// The version of the plug-in's data format a document carries ("ZA3_Version" in the document
// dictionary, now 700), checked when a document opens: documents of a newer format are
// warned about, those of formats 3 to 6 are upgraded in place, one of a version no format
// wrote is left alone with a message, and the data of format-2
// documents is converted or deleted, as the user chooses. Each upgrade runs once per
// document, and one that was interrupted finishes at the next opening.
#pragma once

#include <cstdint>

#include "AITypes.h"

constexpr int32_t kPlotwiseDocumentVersion = 700;
// Versions below this no format wrote (format 3 began at 300): such a document is left as it
// is, and the user told.
constexpr int32_t kOldestUpgradedVersion = 300;
// Below this, layer scale ids are those of formats 3 and 4.
constexpr int32_t kShiftedScaleIdsVersion = 500;

// String list 17000 and 17400 entries of the check's alerts.
constexpr int32_t kNewerFormatMessage = 61;       // 17061
constexpr int32_t kConvertPlotwise2Question = 46;  // 17046
constexpr int32_t kSkippedLegacyTagsMessage = 77;  // 17077
constexpr int32_t kConvertWord = 21;              // 17421
constexpr int32_t kDoNotConvertWord = 22;         // 17422

// The check, run on the document-opened notification before the subsystems' other work.
AIErr CheckPlotwiseDocumentVersion();
// A document made with new holds the current format from the start, so its first opening
// finds nothing to upgrade or draw again.
AIErr StampPlotwiseDocumentVersion();

// Layer scale ids of formats 3 and 4 (5 and above) move up by 5, with the scale table's
// scaler and label of the new id. A layer whose scale cannot be read is left alone, and a
// layer that had no scale of its own gets the default, which is already current. Returns
// the first error of a write (or of counting the layers); the walk goes on past it.
AIErr ConvertZA3AndPW4LayerScalesToPW5();
// The unit codes of formats 3 to 6 in every dimension group's style record, and once per
// user in the unit preferences. The new entry is written before the old one goes, and a
// record without the old entry is already upgraded, so an interrupted upgrade can finish.
AIErr ConvertZA3_4_5_6UnitsToPW7();
// The remap of one code of formats 3 to 6; codes outside 1 to 15 stay. Always 0.
AIErr ConvertZA3_4_5_6UnitsToPW7(int32_t oldCode, int32_t* newCode);
