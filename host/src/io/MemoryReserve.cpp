// The reserve behind MemoryReserve.h: a block from malloc (no allocation of the program's
// own counts it), handed out through the new-handler.
#include "io/MemoryReserve.h"

#include <cstdlib>

namespace standin::io {

namespace {

MemoryReserve* active = nullptr;

}  // namespace

MemoryReserve::MemoryReserve(std::size_t bytes)
    : block_(std::malloc(bytes)), previous_(std::set_new_handler(&MemoryReserve::giveUp)), outer_(active) {
    active = this;
}

MemoryReserve::~MemoryReserve() {
    active = outer_;
    std::set_new_handler(previous_);
    std::free(block_);
}

void MemoryReserve::giveUp() {
    // The innermost reserve left, else whatever handled failures before.
    for (MemoryReserve* r = active; r; r = r->outer_)
        if (r->block_) {
            std::free(r->block_);
            r->block_ = nullptr;
            return;
        }
    MemoryReserve* outermost = active;
    while (outermost && outermost->outer_) outermost = outermost->outer_;
    if (outermost && outermost->previous_) return outermost->previous_();
    throw std::bad_alloc();
}

}  // namespace standin::io
