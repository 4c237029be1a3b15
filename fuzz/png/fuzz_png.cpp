// Any byte string must decode to a bitmap of a sane size or to null, without a leak or a fault.
// Each input is decoded as given and once more with its chunk checksums repaired.
#include "chunk_crc_repair.h"
#include "raster/px_read_png.h"
#include "raster/px_size_limits.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void DecodeAndCheck(const uint8_t* data, size_t size) {
    PX_MemBitmap* bitmap = PX_ReadPngFromMemory(data, static_cast<int>(size));
    if (bitmap == nullptr) {
        return;
    }
    const int64_t pixels = int64_t{bitmap->Width()} * bitmap->Height();
    if (bitmap->PixelData() == nullptr || pixels < 1 || pixels > PX_MAX_IMAGE_PIXELS) {
        std::abort();
    }
    // Touch every pixel so the sanitizers see any row that was not fully written.
    volatile PX_Pixel32 sum = 0;
    for (int y = 0; y < bitmap->Height(); ++y) {
        const PX_Pixel32* row = bitmap->PixelData() + int64_t{y} * bitmap->RowStride();
        for (int x = 0; x < bitmap->Width(); ++x) {
            sum = sum + row[x];
        }
    }
    delete bitmap;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0x7FFFFFFF) {
        return 0;
    }
    DecodeAndCheck(data, size);
    std::vector<uint8_t> repaired(data, data + size);
    RepairChunkCrcs(repaired);
    DecodeAndCheck(repaired.data(), repaired.size());
    return 0;
}
