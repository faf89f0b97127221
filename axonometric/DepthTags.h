// The record counter after a document is opened: one more than the highest record id of
// the art that carries a depth tag ("ZMK_Depth_Tag_" and a number, as documents of older
// versions carry them), so new records do not repeat the ids already in the document.
#pragma once

#include <cstdint>

#include "AITypes.h"

#define kDepthTagPrefix "ZMK_Depth_Tag_"

// The highest id plus 1: 1 when no tagged art has a record, 0 when the walk failed.
int32_t GetUniqueTagID(const char* prefix);
// Raises highest to the record id of every art under art and its following siblings that
// carries a tag matching the prefix over its first 13 characters; groups are entered, not
// examined themselves.
AIErr WalkArtworkTreeForUniqueTagID(AIArtHandle art, const char* prefix, int32_t* highest);
