// Storage of the global record pointer; the record itself is allocated at start-up.
#include "PlotwiseGlobals.h"

PlotwiseGlobals* g = nullptr;
