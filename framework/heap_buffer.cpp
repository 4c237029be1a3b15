#include "framework/heap_buffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Bytes the allocator keeps in front of a block; large allocations plus this fill whole pages.
constexpr std::int64_t AllocatorOverhead = 96;
constexpr std::int64_t PageSize = 4096;
constexpr std::int64_t MaxSpareRoom = 4194304;

std::int64_t RoundDownToPage(std::int64_t n) {
    return n / PageSize * PageSize;
}

} // namespace

HeapBuffer::HeapBuffer(std::int32_t granularity) : granularity_(std::max(granularity, 1)) {}

HeapBuffer::~HeapBuffer() {
    std::free(data_);
}

std::int64_t HeapBuffer::AllocationFor(std::int64_t n) const {
    if (n < 1) {
        return 0;
    }
    std::int64_t allocation;
    if (granularity_ < PageSize) {
        allocation = n + std::max<std::int64_t>(n / 2, granularity_);
    } else {
        const std::int64_t spare = std::clamp(
            RoundDownToPage(std::max<std::int64_t>(n / 2, granularity_)), PageSize, MaxSpareRoom);
        allocation = RoundDownToPage(n + AllocatorOverhead + spare) - AllocatorOverhead;
    }
    // Sizes are 32-bit: a request whose allocation would not fit is refused.
    return allocation > INT32_MAX ? -1 : allocation;
}

void* HeapBuffer::Resize(std::int32_t newSize, bool allowShrink) {
    const std::int32_t n = std::max(newSize, 0);
    if (n != used_) {
        std::int64_t threshold = 0;
        if (allowShrink && n < used_) {
            threshold = std::max<std::int64_t>(
                1, std::min<std::int64_t>(allocated_ / 2,
                                          allocated_ - 4 * std::int64_t{granularity_}));
        }
        if (n <= allocated_ && n >= threshold) {
            used_ = n;
        } else {
            const std::int64_t allocation = AllocationFor(n);
            if (allocation == allocated_) {
                used_ = n;
            } else if (allocation == 0) {
                std::free(data_);
                data_ = nullptr;
                allocated_ = 0;
                used_ = 0;
            } else if (allocation > 0) {
                // realloc moves the block (copying what it held) when it cannot grow in place.
                void* block = std::realloc(data_, static_cast<std::size_t>(allocation));
                if (block != nullptr) {
                    data_ = block;
                    allocated_ = static_cast<std::int32_t>(allocation);
                    used_ = n;
                }
            }
        }
    }
    return used_ > 0 ? data_ : nullptr;
}
