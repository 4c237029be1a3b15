// HeapBuffer: a block of raw memory that grows and shrinks by a fixed policy. Small growth steps
// leave spare room (half the size, at least one granularity step) so appending an item at a time
// rarely reallocates; large blocks are sized to whole 4096-byte pages including the allocator's
// own overhead; memory is given back only when the buffer shrank well below its allocation.
#pragma once

#include <cstdint>

class HeapBuffer {
public:
    explicit HeapBuffer(std::int32_t granularity);
    ~HeapBuffer();
    HeapBuffer(const HeapBuffer&) = delete;
    HeapBuffer& operator=(const HeapBuffer&) = delete;

    // Sets the used size to newSize bytes (negative counts as 0). Answers the block, or null when
    // the used size is 0 afterwards. When memory cannot be had, or the size arithmetic would not
    // fit 32 bits, nothing changes and the caller sees the old used size.
    void* Resize(std::int32_t newSize, bool allowShrink);

    void* Data() const { return data_; }
    template <class T>
    T* As() const {
        return static_cast<T*>(data_);
    }
    std::int32_t Allocated() const { return allocated_; }
    std::int32_t Used() const { return used_; }
    std::int32_t Granularity() const { return granularity_; }

private:
    // The allocation for n bytes in use, or -1 when it does not fit 32 bits.
    std::int64_t AllocationFor(std::int64_t n) const;

    void* data_ = nullptr;
    std::int32_t allocated_ = 0;
    std::int32_t used_ = 0;
    std::int32_t granularity_;
};
