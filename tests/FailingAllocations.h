// Memory that runs out on demand, for tests of what a program does then: a test program
// built with FailingAllocations.cpp replaces the global operator new, and an armed count
// makes one allocation fail as if the system had no memory left for it (the new-handler is
// asked first, as the library's operator new asks it, then std::bad_alloc is thrown).
// Allocations are counted in the calling thread only.
#pragma once

#include <cstdint>

namespace failing_allocations {

// Counts allocations while it lives and fails the `nth` from its making (1: the next one);
// 0 fails none and only counts.
class FailAt {
public:
    explicit FailAt(uint64_t nth);
    ~FailAt();
    FailAt(const FailAt&) = delete;
    FailAt& operator=(const FailAt&) = delete;

    // Whether the allocation it was to fail came (the work asked for that many).
    bool failed() const;
    // Allocations asked for since it was made.
    uint64_t count() const;
};

}  // namespace failing_allocations
