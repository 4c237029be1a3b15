// Seeded random bitmaps whose alphas favour the values the kernels treat specially (0 and 255).
#pragma once

#include "test_bitmap.h"

#include <random>

inline uint32_t RandomPixel(std::mt19937& rng) {
    const uint32_t colour = rng() & 0x00FFFFFF;
    switch (rng() % 4) {
    case 0:
        return colour;
    case 1:
        return colour | 0xFF000000u;
    default:
        return colour | (rng() & 0xFF000000u);
    }
}

inline void FillRandom(TestBitmap& bitmap, std::mt19937& rng) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            bitmap.At(x, y) = RandomPixel(rng);
        }
    }
}

// A bitmap of random size (1..maxSide), orientation and padding, with random pixels; padding words
// get a marker so a write outside the rows shows up when storages are compared.
inline TestBitmap RandomBitmap(std::mt19937& rng, int maxSide) {
    const int width = 1 + int(rng() % maxSide);
    const int height = 1 + int(rng() % maxSide);
    TestBitmap bitmap(width, height, rng() % 2 == 0, int(rng() % 5));
    FillRandom(bitmap, rng);
    return bitmap;
}
