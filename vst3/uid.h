// Interface and class ids: comparison with the raw bytes a host passes, and the 32-digit text
// form (the four 32-bit words in hex, the same on every platform) that scanners and caches show.
#pragma once

#include "vst3/vst3_abi.h"

#include <string>

namespace vst3 {

// True when the 16 bytes at `bytes` are `id` (a null pointer matches nothing).
bool IsUid(const char* bytes, const Uid& id);

std::string UidText(const Uid& id);
// Parses 32 hex digits (either case) into `id`; anything else is refused with `id` unchanged.
bool UidFromText(const std::string& text, Uid* id);

} // namespace vst3
