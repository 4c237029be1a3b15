// Resampling written plainly from its formula, for the library's separable filter to be compared
// with: every output pixel is the two-dimensional weighted sum of the source pixels, weighted by
// the product of a three-lobe Lanczos window across and down, over premultiplied colour, in double
// precision.
#pragma once

#include <cstdint>
#include <vector>

// A width x height frame of straight-colour words (row by row) resampled to toWidth x toHeight.
std::vector<uint32_t> ReferenceResample(const std::vector<uint32_t>& frame, int width, int height,
                                        int toWidth, int toHeight);
