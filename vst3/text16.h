// Text between our UTF-8 strings and the UTF-16 fields of the VST3 records (String128 and its
// kin). Characters beyond the Basic Multilingual Plane and malformed bytes become '?'.
#pragma once

#include "vst3/vst3_abi.h"

namespace vst3 {

// Writes `text` into `out` (capacity units, terminator included; capacity > 0).
void ToUtf16(const char* text, char16* out, int capacity);
// Writes the UTF-16 text, read up to its terminator or `maxUnits` units, into `out` as UTF-8
// (size bytes, terminator included; size > 0). A null text gives "".
void ToUtf8(const char16* text, int maxUnits, char* out, int size);

} // namespace vst3
