// Softens the top-left width x height area of src into the same area of dest with a fixed 3 x 3
// kernel; dest and src may be the same bitmap.
#pragma once

#include "raster/px_bitmap.h"

void PX_SmoothArea(PX_Bitmap* dest, PX_Bitmap* src, int width, int height);
