#include "chunk_crc_repair.h"

#include <zlib.h>

void RepairChunkCrcs(std::vector<uint8_t>& png) {
    size_t at = 8; // after the signature
    while (at + 12 <= png.size()) {
        const uint64_t length = uint64_t{png[at]} << 24 | uint64_t{png[at + 1]} << 16 |
                                uint64_t{png[at + 2]} << 8 | png[at + 3];
        if (length > png.size() - at - 12) {
            return;
        }
        const size_t end = at + 8 + size_t(length);
        const uLong crc = crc32(0, png.data() + at + 4, uInt(length + 4));
        png[end] = uint8_t(crc >> 24);
        png[end + 1] = uint8_t(crc >> 16);
        png[end + 2] = uint8_t(crc >> 8);
        png[end + 3] = uint8_t(crc);
        at = end + 4;
    }
}
