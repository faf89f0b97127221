// The block suite: plain memory blocks. Live blocks are counted so tests can check that
// every list is freed.
#pragma once

#include "AITypes.h"

#define kAIBlockSuite "AI Block Suite"
#define kAIBlockSuiteVersion 1

struct AIBlockSuite {
    // A zero size gives a valid one-byte block; a failed allocation kOutOfMemoryErr.
    AIErr (*AllocateBlock)(size_t size, void** block);
    // Null is allowed and does nothing; a block the host did not hand out is refused.
    AIErr (*DisposeBlock)(void* block);
    AIErr (*ReallocateBlock)(void* block, size_t newSize, void** newBlock);
    AIErr (*SizeOfMemoryBlock)(void* block, size_t* size);
};
