// The editor's scale: the sizes it is drawn at (100, 150 and 200 percent) and how the layout's
// lengths and rectangles, made at 100 percent, grow with it. 200 percent has artwork of its own;
// 150 percent is resampled from it.
#pragma once

#include "editor/bounds.h"

namespace EditorScale {

constexpr int Base = 100;
constexpr int OneAndAHalf = 150;
constexpr int Double = 200;

// The supported scale nearest to factor (1.0 = 100 percent), halfway cases going up. Factors
// below 1 give 100, above 2 give 200; a factor that is not a finite positive number gives 100.
int Nearest(double factor);

// length * percent / 100, rounded to the nearest pixel (halves up).
int Length(int length, int percent);

// The rectangle at percent: its corner's coordinates and its size each rounded on their own, so
// a control's area keeps exactly the size of its scaled image.
Bounds Rect(const Bounds& rect, int percent);

// The resource id of an image's 200 percent artwork: its own id plus this.
constexpr int DoubleArtworkIdOffset = 100;

} // namespace EditorScale
