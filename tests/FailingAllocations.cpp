// The replaced global allocation functions behind FailingAllocations.h. Memory comes from
// malloc and goes back to free, so the sanitizers still see every block.
#include "FailingAllocations.h"

#include <cstdlib>
#include <new>

namespace {

struct Armed {
    bool counting = false;
    uint64_t count = 0;
    uint64_t nth = 0;
    bool failed = false;
};
thread_local Armed armed;

// Whether the allocation asked for now is the one to fail.
bool failsNow() {
    if (!armed.counting) return false;
    ++armed.count;
    if (armed.count != armed.nth) return false;
    armed.failed = true;
    return true;
}

void* allocate(std::size_t size, std::size_t alignment) {
    if (size == 0) size = 1;
    for (;;) {
        void* p = nullptr;
        if (!failsNow())
            p = alignment ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment)
                          : std::malloc(size);
        if (p) return p;
        const std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

void* allocateOrNull(std::size_t size, std::size_t alignment) noexcept {
    try {
        return allocate(size, alignment);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

namespace failing_allocations {

FailAt::FailAt(uint64_t nth) { armed = {true, 0, nth, false}; }
FailAt::~FailAt() { armed = {}; }
bool FailAt::failed() const { return armed.failed; }
uint64_t FailAt::count() const { return armed.count; }

}  // namespace failing_allocations

void* operator new(std::size_t size) { return allocate(size, 0); }
void* operator new[](std::size_t size) { return allocate(size, 0); }
void* operator new(std::size_t size, std::align_val_t a) { return allocate(size, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return allocate(size, static_cast<std::size_t>(a)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size, 0); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size, 0); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocateOrNull(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept {
    return allocateOrNull(size, static_cast<std::size_t>(a));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
