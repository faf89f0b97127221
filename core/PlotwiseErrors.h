// The plug-in's own error codes, shared by every subsystem; the host's codes are in
// AITypes.h.
#pragma once

#include "AITypes.h"

constexpr AIErr kCADErr = 'CADE';                   // a required argument is null, no result, or an alert was shown
constexpr AIErr kBadDimensionDataErr = 'BDDE';      // a legacy click string lacks some of its 11 fields
constexpr AIErr kBadLiveDimensionDataErr = 'BLDE';  // a legacy style or sub-record string lacks fields
