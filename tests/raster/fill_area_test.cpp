#include "random_pixels.h"
#include "raster/px_fill_area.h"
#include "reference_raster.h"

#include <gtest/gtest.h>
#include <random>

namespace {

TestBitmap Solid(int width, int height, uint32_t pixel, bool bottomUp = false) {
    TestBitmap bitmap(width, height, bottomUp);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.At(x, y) = pixel;
        }
    }
    return bitmap;
}

} // namespace

TEST(FillArea, FullWeightWritesTheColourWordIncludingAlpha) {
    TestBitmap dest = Solid(3, 3, 0xFFFFFFFF);
    PX_FillArea(&dest, 1, 1, 1, 1, 0x12345678, 1.0f, PX_COMBINE_COPY);
    EXPECT_EQ(dest.At(1, 1), 0x12345678u);
    EXPECT_EQ(dest.At(0, 1), 0xFFFFFFFFu);
    EXPECT_EQ(dest.At(2, 1), 0xFFFFFFFFu);
}

TEST(FillArea, SourceAlphaWithTransparentColourDrawsNothing) {
    TestBitmap dest = Solid(2, 2, 0x55667788);
    PX_FillArea(&dest, 0, 0, 2, 2, 0x00FFFFFF, 1.0f, PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA);
    EXPECT_EQ(dest.At(1, 1), 0x55667788u);
}

TEST(FillArea, NegativePositionShortensTheFill) {
    TestBitmap dest = Solid(8, 1, 0);
    PX_FillArea(&dest, -5, 0, 10, 1, 0xFFFFFFFF, 1.0f, PX_COMBINE_COPY);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(dest.At(x, 0), 0xFFFFFFFFu);
    }
    EXPECT_EQ(dest.At(5, 0), 0u);
}

TEST(FillArea, QuarterWeightsTakeTheMaskedShortcutsPerChannel) {
    TestBitmap quarter = Solid(1, 1, 0xFFFFFFFF);
    TestBitmap threeQuarters = Solid(1, 1, 0);
    PX_FillArea(&quarter, 0, 0, 1, 1, 0, 0.25f, PX_COMBINE_COPY);
    PX_FillArea(&threeQuarters, 0, 0, 1, 1, 0xFFFFFFFF, 0.75f, PX_COMBINE_COPY);
    EXPECT_EQ(quarter.At(0, 0), 0xBEBEBEBEu);       // 127 + 0 + 63
    EXPECT_EQ(threeQuarters.At(0, 0), 0xBEBEBEBEu); // 63 + 0 + 127
}

TEST(FillArea, ExtremeSizesNeitherOverflowNorDrawOutside) {
    TestBitmap dest = Solid(4, 4, 0);
    PX_FillArea(&dest, INT32_MIN, INT32_MIN, INT32_MIN + 10, 5, 0xFFFFFFFF, 1.0f, 0);
    PX_FillArea(&dest, -3, -3, INT32_MAX, INT32_MAX, 0xFF0000FF, 1.0f, 0);
    PX_FillArea(&dest, INT32_MAX, 0, INT32_MAX, 1, 0xFFFFFFFF, 1.0f, 0);
    EXPECT_EQ(dest.At(3, 3), 0xFF0000FFu);
    EXPECT_EQ(dest.Storage().size(), 16u);
}

TEST(FillArea, EveryKernelMatchesThePlainFormulasOnRandomFills) {
    std::mt19937 rng(424242);
    const int modes[] = {0,       1,       2,       3, 4,    0x10000, 0x10001,
                         0x10002, 0x10003, 0x10004, 6, 0xF3, 0x100};
    const float alphas[] = {1.0f, 0.5f, 0.25f, 0.75f, 0.999f, 0.3f, 0.01f, 0.6180339f};
    for (int round = 0; round < 3000; ++round) {
        TestBitmap dest = RandomBitmap(rng, 30);
        TestBitmap expected = dest;
        const int x = int(rng() % 40) - 12;
        const int y = int(rng() % 40) - 12;
        const int width = int(rng() % 40) - 4;
        const int height = int(rng() % 40) - 4;
        const uint32_t colour = RandomPixel(rng);
        const float alpha = rng() % 2 ? alphas[rng() % 8] : float(1 + rng() % 1000) / 1000.0f;
        const int mode = modes[rng() % (sizeof(modes) / sizeof(modes[0]))];
        PX_FillArea(&dest, x, y, width, height, colour, alpha, mode);
        ReferenceFillArea(expected, x, y, width, height, colour, alpha, mode);
        ASSERT_EQ(dest.Storage(), expected.Storage())
            << "round " << round << " mode " << mode << " alpha " << alpha;
    }
}

TEST(FillArea, HueShiftWritesTheLowByteOfTheWeightAsAlpha) {
    TestBitmap dest = Solid(1, 1, PX_MakePixel(255, 60, 60, 60));
    PX_FillArea(&dest, 0, 0, 1, 1, PX_MakePixel(0, 128, 128, 128), 0.5f, PX_COMBINE_HSV_ADJUST);
    EXPECT_EQ(dest.At(0, 0), PX_MakePixel(128, 60, 60, 60));
}
