// Storage of the pointer to the running record; the record itself is allocated at start-up
// (with the start-up values its fields are declared with) and handed to the host across
// unload and reload.
#include "core/CoreGlobals.h"

CoreGlobals* plotwiseRecord = nullptr;
