// Memory held back while a file is written, and given up to the first allocation that fails
// meanwhile, which is then tried again. JSON trees allocate as an ordered object grows and
// as a tree that holds anything is dropped, in destructors among other places, where a
// failure would end the program: with the reserve to take from, the writing goes on and
// ends as it would have. A failure once the reserve is spent is thrown as ever.
#pragma once

#include <cstddef>
#include <new>

namespace standin::io {

class MemoryReserve {
public:
    explicit MemoryReserve(std::size_t bytes = std::size_t(4) << 20);
    ~MemoryReserve();
    MemoryReserve(const MemoryReserve&) = delete;
    MemoryReserve& operator=(const MemoryReserve&) = delete;

private:
    static void giveUp();

    void* block_;
    std::new_handler previous_;
    MemoryReserve* outer_;
};

}  // namespace standin::io
