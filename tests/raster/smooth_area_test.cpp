#include "random_pixels.h"
#include "raster/px_smooth_area.h"
#include "reference_raster.h"

#include <gtest/gtest.h>
#include <random>

TEST(SmoothArea, OnePixelWideOrHighAreaChangesNothing) {
    std::mt19937 rng(1);
    TestBitmap bitmap(8, 8);
    FillRandom(bitmap, rng);
    const std::vector<uint32_t> before = bitmap.Storage();
    PX_SmoothArea(&bitmap, &bitmap, 1, 8);
    PX_SmoothArea(&bitmap, &bitmap, 8, 1);
    EXPECT_EQ(bitmap.Storage(), before);
}

TEST(SmoothArea, SinglePointSpreadsByTheKernelWeights) {
    TestBitmap src(3, 3);
    TestBitmap dest(3, 3);
    src.At(1, 1) = 0xFFFFFFFF;
    PX_SmoothArea(&dest, &src, 3, 3);
    EXPECT_EQ(dest.At(1, 1), 0x7F7F7F7Fu);
    EXPECT_EQ(dest.At(1, 0), 0x3F3F3F3Fu); // top row: the lower neighbour weighs a quarter
    EXPECT_EQ(dest.At(0, 1), 0x3F3F3F3Fu); // first column: the right neighbour weighs a quarter
    EXPECT_EQ(dest.At(0, 0), 0u);
}

TEST(SmoothArea, MatchesTheKernelOnRandomAreasInPlaceAndBetweenBitmaps) {
    std::mt19937 rng(99);
    for (int round = 0; round < 600; ++round) {
        TestBitmap src = RandomBitmap(rng, 20);
        const bool inPlace = rng() % 2 == 0;
        TestBitmap other = RandomBitmap(rng, 20);
        TestBitmap& dest = inPlace ? src : other;
        TestBitmap expected = dest;
        TestBitmap original = src;
        const int width = int(rng() % 26) - 2;
        const int height = int(rng() % 26) - 2;
        PX_SmoothArea(&dest, &src, width, height);
        ReferenceSmoothArea(expected, original, width, height);
        ASSERT_EQ(dest.Storage(), expected.Storage()) << "round " << round;
    }
}

TEST(SmoothArea, WideAreaInPlaceSmoothsFromUnsmoothedPixels) {
    // Wider than the fixed two-row buffer.
    std::mt19937 rng(5);
    TestBitmap bitmap(1500, 4, true);
    FillRandom(bitmap, rng);
    TestBitmap original = bitmap;
    TestBitmap expected = bitmap;
    PX_SmoothArea(&bitmap, &bitmap, 1500, 4);
    ReferenceSmoothArea(expected, original, 1500, 4);
    EXPECT_EQ(bitmap.Storage(), expected.Storage());
}
