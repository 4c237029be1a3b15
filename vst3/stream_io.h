// Whole-stream reads and writes for the component state: hosts' streams may hand over fewer bytes
// per call than asked, so both loop until done (UI thread).
#pragma once

#include "framework/byte_block.h"
#include "vst3/vst3_abi.h"

namespace vst3 {

// Reads from the stream's position to its end into `block`. False, with `block` in an
// unspecified state, when the stream fails or holds more than `maxBytes`.
bool ReadToEnd(IBStream* stream, ByteBlock& block, std::int32_t maxBytes);
bool WriteAll(IBStream* stream, const ByteBlock& block);

} // namespace vst3
