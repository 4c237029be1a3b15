// Row kernels of the fill: one small function per combine mode, chosen once per call.
#pragma once

#include "raster/px_pixel32.h"

// Combines cols destination pixels with the colour k at the integer weight ia (1..256); the
// colour's blue, green and red are the source for those channels, ia itself for alpha.
using FillRowKernel = void (*)(PX_Pixel32* dest, int cols, PX_Pixel32 k, int ia);

// The kernel of mode & 0xFF at weight ia, or null for a mode that draws nothing. Copy at the
// weights 256, 128, 64 and 192 takes whole-word shortcuts.
FillRowKernel SelectFillKernel(int mode, int ia);
