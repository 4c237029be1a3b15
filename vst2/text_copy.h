// Copying texts into buffers a host provides: hosts pass buffers as small as the VST 2.4 sizes,
// so every copy is cut to the size given, terminator included.
#pragma once

#include <cstddef>
#include <cstring>

// Buffer sizes every host provides, terminator included.
constexpr std::size_t ProgramNameBytes = 24;
constexpr std::size_t EffectNameBytes = 32;
constexpr std::size_t VendorTextBytes = 64;
constexpr std::size_t ProductTextBytes = 64;
constexpr std::size_t ParamNameBytes = 32;
constexpr std::size_t ParamShortTextBytes = 8; // labels and displays

// Copies at most size - 1 characters of text (null counts as "") and a terminator.
inline void CopyText(char* target, const char* text, std::size_t size) {
    if (target == nullptr || size == 0) {
        return;
    }
    const std::size_t length = text != nullptr ? strnlen(text, size - 1) : 0;
    if (length > 0) {
        std::memcpy(target, text, length);
    }
    target[length] = '\0';
}
