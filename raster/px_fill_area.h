// Fills or combines a rectangle of a bitmap with one colour, clipped to the bitmap.
#pragma once

#include "raster/px_bitmap.h"
#include "raster/px_combine.h"

// With PX_COMBINE_SOURCE_ALPHA the colour's own alpha scales the weight.
void PX_FillArea(PX_Bitmap* dest, int x, int y, int width, int height, PX_Pixel32 colour,
                 float alpha, int mode);
