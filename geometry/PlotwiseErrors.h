// The plug-in's own error codes, four-character codes like the host's. A routine returns 0
// on success; a sequence stops at the first error.
#pragma once

#include "AITypes.h"

constexpr AIErr kCADErr = 'CADE';                   // no result, a missing argument, or an alert was shown
constexpr AIErr kBadDimensionDataErr = 'BDDE';      // a legacy click string lacks some of its fields
constexpr AIErr kBadLiveDimensionDataErr = 'BLDE';  // a legacy style, sub-record or scale string lacks fields
constexpr AIErr kNotApplicableErr = 'NAPL';         // e.g. parallel lines
constexpr AIErr kNoIntersectionErr = 'NINT';
constexpr AIErr kArtWithNoHandlesErr = 'AWNH';
constexpr AIErr kCantErr = 'CANT';
constexpr AIErr kPluginFaultErr = 'PFLT';           // the work stopped at an exception of the plug-in's own
