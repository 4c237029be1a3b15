// A rectangle laid out as a Win32 RECT: right and bottom are exclusive.
#pragma once

#include <cstdint>

struct PX_Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
