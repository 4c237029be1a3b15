// The blit, fill and smoothing formulas written once, plainly, pixel by pixel, as the reference the
// library's kernels are compared with. Clipping is expressed as "draw the pixels that land inside
// both bitmaps" rather than as the library's edge arithmetic.
#pragma once

#include "raster/px_rect.h"
#include "test_bitmap.h"

#include <cstdint>

// One destination pixel after a blit of source pixel s with the given alpha and mode.
uint32_t ReferenceBlitPixel(uint32_t d, uint32_t s, float alpha, int mode);

void ReferenceBlitRect(TestBitmap& dest, TestBitmap& src, int dstX, int dstY,
                       const PX_Rect* srcRect, float alpha, int mode);

// One destination pixel after a fill with colour k at the integer weight ia.
uint32_t ReferenceFillPixel(uint32_t d, uint32_t k, int ia, int mode);

void ReferenceFillArea(TestBitmap& dest, int x, int y, int width, int height, uint32_t colour,
                       float alpha, int mode);

// Smooths the top-left area of a copy of src into dest.
void ReferenceSmoothArea(TestBitmap& dest, TestBitmap& src, int width, int height);
