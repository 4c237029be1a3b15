#include "vst3/stream_io.h"

namespace vst3 {

bool ReadToEnd(IBStream* stream, ByteBlock& block, std::int32_t maxBytes) {
    block.Clear();
    if (stream == nullptr) {
        return false;
    }
    unsigned char piece[4096];
    for (;;) {
        int32 got = 0;
        if (stream->read(piece, sizeof(piece), &got) != kResultOk || got < 0 ||
            got > static_cast<int32>(sizeof(piece))) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        const std::int32_t before = block.Size();
        if (got > maxBytes - before || block.AppendBytes(piece, got) != before + got) {
            return false;
        }
    }
}

bool WriteAll(IBStream* stream, const ByteBlock& block) {
    if (stream == nullptr) {
        return false;
    }
    std::int32_t done = 0;
    while (done < block.Size()) {
        int32 wrote = 0;
        auto* from = const_cast<unsigned char*>(block.Data() + done);
        if (stream->write(from, block.Size() - done, &wrote) != kResultOk || wrote <= 0 ||
            wrote > block.Size() - done) {
            return false;
        }
        done += wrote;
    }
    return true;
}

} // namespace vst3
