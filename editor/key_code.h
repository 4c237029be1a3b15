// KeyCode: the editor's key numbers, as the window hands them to HandleKey.
#pragma once

#include <cstdint>

enum KeyCode : std::int32_t {
    KeySpace = 0,
    KeyUp = 1,
    KeyDown = 2,
    KeyLeft = 3,
    KeyRight = 4,
    KeyDigit0 = 5,   // the digits 0..9 are 5..14
    KeyLetterA = 15, // the letters A..Z are 15..40
    KeyLetterZ = 40,
};
