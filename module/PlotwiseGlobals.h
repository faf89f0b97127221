// The whole global record: the fields of every subsystem, each folder's record extending the
// one below it. Only the module and the tests see it whole.
#pragma once

#include "tracker/TrackerGlobals.h"

struct PlotwiseGlobals final : TrackerGlobals {};
