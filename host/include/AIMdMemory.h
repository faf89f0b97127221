// Memory handles: the host's movable blocks, as returned by the matching-art queries.
// Every handle is disposed exactly once; the host counts them.
#pragma once

#include "AITypes.h"

#define kAIMdMemorySuite "AI MdMemory Suite"
#define kAIMdMemorySuiteVersion 1

struct AIMdMemorySuite {
    AIErr (*MdMemoryNewHandle)(size_t size, AIMdMemoryHandle* handle);
    // Disposing a null handle is allowed and does nothing.
    AIErr (*MdMemoryDisposeHandle)(AIMdMemoryHandle handle);
    AIErr (*MdMemoryGetSize)(AIMdMemoryHandle handle, size_t* size);
    AIErr (*MdMemoryResize)(AIMdMemoryHandle handle, size_t newSize);
    // The block's address; valid until the handle is resized or disposed.
    AIErr (*MdMemoryLock)(AIMdMemoryHandle handle, void** block);
    AIErr (*MdMemoryUnLock)(AIMdMemoryHandle handle);
};
