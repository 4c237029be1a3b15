// Turning a glyph drawn white on black into its coverage mask, and the mask effects of the font
// flags. A mask is width x height bytes, row by row: 0 empty, 255 full.
#pragma once

#include "raster/px_bitmap.h"

#include <cstdint>

// Copies the red bytes of the box (0, 0, boxWidth, boxHeight) of image into mask (rows boxWidth
// apart), inverted when asked. Answers the used width: at least advance, and reaching past every
// column at or beyond it that holds ink (before inversion).
int TakeCoverage(PX_Bitmap& image, int advance, int boxWidth, int boxHeight, bool invert,
                 uint8_t* mask);

// Moves rows of fromWidth bytes together to rows of toWidth bytes (toWidth <= fromWidth).
void CompactMask(uint8_t* mask, int fromWidth, int toWidth, int height);

// Turns the mask 90 degrees, clockwise or counter-clockwise, swapping width and height. False
// (mask unchanged) when no working memory can be had.
bool RotateMask(uint8_t* mask, int& width, int& height, bool counterClockwise);

// Bytes above 130 become 255, the others 0.
void ThresholdMask(uint8_t* mask, int width, int height);

// After thresholding: an empty byte becomes 128 when its left, upper-left or upper neighbour is
// full (a shadow down and to the right)...
void AddShadow(uint8_t* mask, int width, int height);
// ...or when its upper, lower, left or right neighbour is full (an outline).
void AddOutline(uint8_t* mask, int width, int height);
