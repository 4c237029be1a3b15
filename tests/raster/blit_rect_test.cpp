#include "random_pixels.h"
#include "raster/px_blit_rect.h"
#include "raster/px_mem_bitmap.h"
#include "reference_raster.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
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

// Source pixel x carries its column number in blue, so placements can be read back.
TestBitmap ColumnNumbered(int width) {
    TestBitmap bitmap(width, 1);
    for (int x = 0; x < width; ++x) {
        bitmap.At(x, 0) = 0xFF000000u | uint32_t(x + 1);
    }
    return bitmap;
}

const int kModes[] = {
    PX_COMBINE_COPY,
    PX_COMBINE_ADD,
    PX_COMBINE_DODGE,
    PX_COMBINE_MULTIPLY,
    PX_COMBINE_OVERLAY,
    PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA,
    PX_COMBINE_ADD | PX_COMBINE_SOURCE_ALPHA,
    PX_COMBINE_DODGE | PX_COMBINE_SOURCE_ALPHA,
    PX_COMBINE_MULTIPLY | PX_COMBINE_SOURCE_ALPHA,
    PX_COMBINE_OVERLAY | PX_COMBINE_SOURCE_ALPHA,
    PX_ChannelCopyMode(0, 3),
    PX_ChannelCopyMode(3, 3),
    PX_ChannelCopyMode(2, 1),
    PX_ChannelCopyMode(1, 0) | PX_COMBINE_SOURCE_ALPHA,
    6,
    0xEF,
    PX_COMBINE_COPY | 0x100, // bits outside the mode and the flag are ignored
    PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA | 0x40000,
};

float RandomAlpha(std::mt19937& rng) {
    const float exact[] = {1.0f, 0.5f, 0.75f, 0.25f, 0.999f, 1.0f / 256.0f, 0.001f, 0.9999999f};
    if (rng() % 2 == 0) {
        return exact[rng() % (sizeof(exact) / sizeof(exact[0]))];
    }
    return float(1 + rng() % 1000) / 1000.0f;
}

} // namespace

TEST(BlitRect, PlainCopyAtFullWeightCopiesEveryByteIncludingAlpha) {
    TestBitmap src = Solid(3, 2, 0x12345678);
    TestBitmap dest = Solid(4, 4, 0xFFFFFFFF);
    PX_BlitRect(&dest, &src, 1, 1, nullptr, 1.0f, PX_COMBINE_COPY);
    EXPECT_EQ(dest.At(1, 1), 0x12345678u);
    EXPECT_EQ(dest.At(3, 2), 0x12345678u);
    EXPECT_EQ(dest.At(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(dest.At(1, 3), 0xFFFFFFFFu);
}

TEST(BlitRect, NegativeDestinationPositionDrawsOnlyTheVisiblePart) {
    TestBitmap src = ColumnNumbered(10);
    TestBitmap dest = Solid(12, 1, 0);
    PX_BlitRect(&dest, &src, -3, 0, nullptr, 1.0f, PX_COMBINE_COPY);
    for (int x = 0; x <= 6; ++x) {
        EXPECT_EQ(dest.At(x, 0) & 0xFF, uint32_t(x + 3 + 1)) << "column " << x;
    }
    EXPECT_EQ(dest.At(7, 0), 0u);
}

TEST(BlitRect, NegativeSourceRectangleLeftMovesTheDrawingRight) {
    TestBitmap src = ColumnNumbered(4);
    TestBitmap dest = Solid(12, 1, 0);
    const PX_Rect rect{-2, 0, 4, 1};
    PX_BlitRect(&dest, &src, 5, 0, &rect, 1.0f, PX_COMBINE_COPY);
    EXPECT_EQ(dest.At(6, 0), 0u);
    EXPECT_EQ(dest.At(7, 0) & 0xFF, 1u);
    EXPECT_EQ(dest.At(10, 0) & 0xFF, 4u);
    EXPECT_EQ(dest.At(11, 0), 0u);
}

TEST(BlitRect, SourceRectangleWiderThanTheSourceIsCutAtItsWidth) {
    TestBitmap src = ColumnNumbered(4);
    TestBitmap dest = Solid(10, 1, 0);
    const PX_Rect rect{1, 0, 100, 1};
    PX_BlitRect(&dest, &src, 0, 0, &rect, 1.0f, PX_COMBINE_COPY);
    EXPECT_EQ(dest.At(0, 0) & 0xFF, 2u);
    EXPECT_EQ(dest.At(2, 0) & 0xFF, 4u);
    EXPECT_EQ(dest.At(3, 0), 0u);
}

TEST(BlitRect, BlitEntirelyOutsideTheDestinationChangesNothing) {
    TestBitmap src = Solid(5, 5, 0xFF00FF00);
    TestBitmap dest = Solid(8, 8, 0x11223344);
    const std::vector<uint32_t> before = dest.Storage();
    PX_BlitRect(&dest, &src, 8, 0, nullptr, 1.0f, PX_COMBINE_COPY);
    PX_BlitRect(&dest, &src, 0, -5, nullptr, 1.0f, PX_COMBINE_COPY);
    PX_BlitRect(&dest, &src, -5, 2, nullptr, 0.75f, PX_COMBINE_ADD);
    EXPECT_EQ(dest.Storage(), before);
}

TEST(BlitRect, SourceAlphaCopySkipsTransparentAndWritesOpaquePixels) {
    TestBitmap src(3, 1);
    src.At(0, 0) = 0x00FFFFFF;
    src.At(1, 0) = 0xFF102030;
    src.At(2, 0) = PX_MakePixel(128, 0, 100, 200);
    TestBitmap dest = Solid(3, 1, 0xFF000000);
    dest.At(0, 0) = 0x80405060;
    PX_BlitRect(&dest, &src, 0, 0, nullptr, 1.0f, PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA);
    EXPECT_EQ(dest.At(0, 0), 0x80405060u);
    EXPECT_EQ(dest.At(1, 0), 0xFF102030u);
    EXPECT_EQ(dest.At(2, 0), PX_MakePixel(255, 0, 51, 101));
}

TEST(BlitRect, HalfAlphaCopyAveragesWithFloorPerChannel) {
    TestBitmap src = Solid(1, 1, 0xFFFFFFFF);
    TestBitmap dest = Solid(1, 1, 0);
    PX_BlitRect(&dest, &src, 0, 0, nullptr, 0.5f, PX_COMBINE_COPY);
    EXPECT_EQ(dest.At(0, 0), 0x7F7F7F7Fu);
}

TEST(BlitRect, ThreeQuarterAlphaCopyUsesWeight192) {
    TestBitmap src = Solid(1, 1, 0xFFFFFFFF);
    TestBitmap dest = Solid(1, 1, 0);
    PX_BlitRect(&dest, &src, 0, 0, nullptr, 0.75f, PX_COMBINE_COPY);
    EXPECT_EQ(dest.At(0, 0), 0xC0C0C0C0u);
}

TEST(BlitRect, ChannelCopyMovesOneByteAndIgnoresAlpha) {
    TestBitmap src = Solid(2, 1, 0x11223344);
    TestBitmap dest = Solid(2, 1, 0xAABBCCDD);
    PX_BlitRect(&dest, &src, 0, 0, nullptr, 0.01f, PX_ChannelCopyMode(2, 3));
    EXPECT_EQ(dest.At(1, 0), 0x22BBCCDDu);
}

TEST(BlitRect, UnknownModesDrawNothing) {
    TestBitmap src = Solid(2, 2, 0xFF808080);
    TestBitmap dest = Solid(2, 2, 0x10203040);
    for (int mode : {6, 0x7F, 0xEF, 6 | PX_COMBINE_SOURCE_ALPHA}) {
        PX_BlitRect(&dest, &src, 0, 0, nullptr, 0.6f, mode);
        EXPECT_EQ(dest.At(1, 1), 0x10203040u) << "mode " << mode;
    }
}

TEST(BlitRect, ZeroNegativeAndNonFiniteAlphasDrawNothing) {
    TestBitmap src = Solid(2, 2, 0xFF808080);
    TestBitmap dest = Solid(2, 2, 0x10203040);
    const float alphas[] = {0.0f, -0.5f, 0.001f, std::numeric_limits<float>::quiet_NaN(),
                            -std::numeric_limits<float>::infinity()};
    for (float alpha : alphas) {
        for (int mode : {0, 1, 2, 3, 4, 5, 0x10000, 0x10001, 0x10003}) {
            PX_BlitRect(&dest, &src, 0, 0, nullptr, alpha, mode);
            EXPECT_EQ(dest.At(0, 0), 0x10203040u) << "alpha " << alpha << " mode " << mode;
        }
    }
}

TEST(BlitRect, AlphaAboveOneWeighsAsOne) {
    TestBitmap src = Solid(1, 1, 0x80FF4020);
    for (int mode : {0, 1, 2, 3, 4, 0x10000, 0x10001, 0x10004}) {
        TestBitmap over = Solid(1, 1, 0x40608090);
        TestBitmap full = Solid(1, 1, 0x40608090);
        PX_BlitRect(&over, &src, 0, 0, nullptr, 3.0f, mode);
        PX_BlitRect(&full, &src, 0, 0, nullptr, 1.0f, mode);
        EXPECT_EQ(over.At(0, 0), full.At(0, 0)) << "mode " << mode;
    }
}

TEST(BlitRect, NullOrEmptyBitmapsDrawNothing) {
    TestBitmap dest = Solid(2, 2, 7);
    PX_MemBitmap empty;
    PX_BlitRect(&dest, nullptr, 0, 0, nullptr, 1.0f, PX_COMBINE_COPY);
    PX_BlitRect(nullptr, &dest, 0, 0, nullptr, 1.0f, PX_COMBINE_COPY);
    PX_BlitRect(&dest, &empty, 0, 0, nullptr, 1.0f, PX_COMBINE_COPY);
    PX_BlitRect(&empty, &dest, 0, 0, nullptr, 1.0f, PX_COMBINE_COPY);
    EXPECT_EQ(dest.At(1, 1), 7u);
}

TEST(BlitRect, ExtremePositionsAndRectanglesPlaceExactlyAsTheirSumsSay) {
    // Positions and rectangle edges near the int limits: the placement is computed without
    // overflow, e.g. left INT_MIN at dstX INT_MIN puts source column 0 at column 0.
    const int big = std::numeric_limits<int>::max();
    const int small = std::numeric_limits<int>::min();
    const PX_Rect rects[] = {{small, small, big, big},
                             {big, big, small, small},
                             {small, 0, 0, 4},
                             {0, small, 3, big},
                             {-1, -1, big, big}};
    const int positions[] = {big, small, 0, -1, big - 2, small + 2};
    std::mt19937 rng(17);
    for (const PX_Rect& rect : rects) {
        for (int x : positions) {
            for (int y : positions) {
                TestBitmap src = RandomBitmap(rng, 6);
                TestBitmap dest = RandomBitmap(rng, 6);
                TestBitmap expected = dest;
                PX_BlitRect(&dest, &src, x, y, &rect, 0.3f, PX_COMBINE_ADD);
                ReferenceBlitRect(expected, src, x, y, &rect, 0.3f, PX_COMBINE_ADD);
                ASSERT_EQ(dest.Storage(), expected.Storage()) << x << "," << y;
            }
        }
    }
}

TEST(BlitRect, EveryKernelMatchesThePlainFormulasOnRandomBlits) {
    std::mt19937 rng(20261209);
    for (int round = 0; round < 4000; ++round) {
        TestBitmap src = RandomBitmap(rng, round % 10 == 0 ? 70 : 24);
        TestBitmap dest = RandomBitmap(rng, round % 10 == 0 ? 70 : 24);
        TestBitmap expected = dest;
        const int dstX = int(rng() % 40) - 15;
        const int dstY = int(rng() % 40) - 15;
        PX_Rect rect{int(rng() % 30) - 8, int(rng() % 30) - 8, 0, 0};
        rect.right = rect.left + int(rng() % 40) - 4;
        rect.bottom = rect.top + int(rng() % 40) - 4;
        const PX_Rect* rectArg = rng() % 3 == 0 ? nullptr : &rect;
        const float alpha = RandomAlpha(rng);
        const int mode = kModes[rng() % (sizeof(kModes) / sizeof(kModes[0]))];

        PX_BlitRect(&dest, &src, dstX, dstY, rectArg, alpha, mode);
        ReferenceBlitRect(expected, src, dstX, dstY, rectArg, alpha, mode);
        ASSERT_EQ(dest.Storage(), expected.Storage())
            << "round " << round << " mode " << mode << " alpha " << alpha;
    }
}

TEST(BlitRect, SourceAlphaAtFullWeightMatchesTheFormulaForEveryByteCombination) {
    // Every source alpha, source channel and destination channel, in rows long enough for the
    // four-pixel kernel and its tail.
    std::mt19937 rng(7);
    TestBitmap src(263, 1);
    TestBitmap dest(263, 1);
    for (int sa = 0; sa < 256; ++sa) {
        for (int sc = 0; sc < 256; ++sc) {
            for (int x = 0; x < 263; ++x) {
                const int dc = x % 256;
                src.At(x, 0) = PX_MakePixel(sa, sc, 255 - sc, sc ^ 0x5A);
                dest.At(x, 0) = PX_MakePixel(rng() & 0xFF, dc, 255 - dc, dc ^ 0xA5);
            }
            TestBitmap expected = dest;
            PX_BlitRect(&dest, &src, 0, 0, nullptr, 1.0f,
                        PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA);
            ReferenceBlitRect(expected, src, 0, 0, nullptr, 1.0f,
                              PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA);
            ASSERT_EQ(dest.Storage(), expected.Storage()) << "sa " << sa << " s " << sc;
        }
    }
}

TEST(BlitRect, BlitWithinOneBitmapCopiesOverlappingRowsIntact) {
    TestBitmap bitmap(16, 2);
    for (int x = 0; x < 16; ++x) {
        bitmap.At(x, 0) = uint32_t(x);
    }
    const PX_Rect rect{0, 0, 10, 1};
    PX_BlitRect(&bitmap, &bitmap, 3, 0, &rect, 1.0f, PX_COMBINE_COPY);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(bitmap.At(x + 3, 0), uint32_t(x));
    }
}

TEST(BlitRect, HueShiftWithNeutralSourceKeepsGreysAndTakesTheSourceAlpha) {
    // Red 128, green 128 and blue 128 move hue, saturation and value by nothing.
    TestBitmap src = Solid(4, 1, PX_MakePixel(77, 128, 128, 128));
    TestBitmap dest(4, 1);
    dest.At(0, 0) = PX_MakePixel(255, 0, 0, 0);
    dest.At(1, 0) = PX_MakePixel(255, 90, 90, 90);
    dest.At(2, 0) = PX_MakePixel(10, 255, 255, 255);
    dest.At(3, 0) = PX_MakePixel(0, 200, 200, 200);
    PX_BlitRect(&dest, &src, 0, 0, nullptr, 0.8f, PX_COMBINE_HSV_ADJUST);
    EXPECT_EQ(dest.At(0, 0), PX_MakePixel(77, 0, 0, 0));
    EXPECT_EQ(dest.At(1, 0), PX_MakePixel(77, 90, 90, 90));
    EXPECT_EQ(dest.At(2, 0), PX_MakePixel(77, 255, 255, 255));
    EXPECT_EQ(dest.At(3, 0), PX_MakePixel(77, 200, 200, 200));
}

TEST(BlitRect, HueShiftRaisesValueAndDesaturatesAsTheSourceAsks) {
    TestBitmap brighter = Solid(1, 1, PX_MakePixel(255, 128, 128, 255));
    TestBitmap greyer = Solid(1, 1, PX_MakePixel(255, 128, 0, 128));
    TestBitmap rotated = Solid(1, 1, PX_MakePixel(255, 255, 128, 128));
    TestBitmap a = Solid(1, 1, PX_MakePixel(255, 100, 50, 50));
    TestBitmap b = a;
    TestBitmap c = a;
    PX_BlitRect(&a, &brighter, 0, 0, nullptr, 0.999f, PX_COMBINE_HSV_ADJUST);
    PX_BlitRect(&b, &greyer, 0, 0, nullptr, 0.999f, PX_COMBINE_HSV_ADJUST);
    PX_BlitRect(&c, &rotated, 0, 0, nullptr, 0.999f, PX_COMBINE_HSV_ADJUST);
    EXPECT_GT((a.At(0, 0) >> 16) & 0xFF, 100u); // value up: the brightest channel rises
    const uint32_t bp = b.At(0, 0);
    EXPECT_EQ((bp >> 16) & 0xFF, bp & 0xFF); // saturation to 0: a grey
    EXPECT_EQ((bp >> 8) & 0xFF, bp & 0xFF);
    const uint32_t cp = c.At(0, 0);
    EXPECT_GT((cp >> 8) & 0xFF, (cp >> 16) & 0xFF); // half a turn: red moves toward green-cyan
}
