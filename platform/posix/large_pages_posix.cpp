// Transparent huge pages where the system offers them on request: only the whole 2 MB pages
// inside the block are advised, so memory around it keeps its small pages.
#include "platform/large_pages.h"

#include <cstdint>
#include <sys/mman.h>

namespace {

constexpr std::uintptr_t LargePage = std::uintptr_t{2} << 20;

} // namespace

void AdviseLargePages(void* data, std::size_t bytes) {
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + LargePage - 1) & ~(LargePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(LargePage - 1);
    if (data != nullptr && last > first) {
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
}
