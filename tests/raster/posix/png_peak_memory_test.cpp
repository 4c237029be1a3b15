// What a forged stream costs in memory: the process's peak resident size before and after (CTest
// runs each case in a process of its own, so the peak before is this case's own).
#include "../png_writer.h"
#include "raster/px_read_png.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(ReadPngMemory, ATextChunkDeclaringGigabytesRaisesThePeakByMebibytesAtMost) {
    const std::vector<uint8_t> png = TextChunkBeyondEnd();
    const long before = PeakResidentKiB();
    EXPECT_EQ(PX_ReadPngFromMemory(png.data(), int(png.size())), nullptr);
    // Allocator and sanitizer noise stays far below this; honouring the length field costs 1.9 GB.
    EXPECT_LT(PeakResidentKiB() - before, 16 * 1024);
}
