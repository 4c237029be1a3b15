// The separable resampling filter against the plain two-dimensional formula, frame by frame, and
// what a strip needs of it: frames stay apart, flat colour stays flat, transparent pixels lend no
// colour to an edge.
#include "random_pixels.h"
#include "raster/px_lazy_resampled_strip.h"
#include "raster/px_resample.h"
#include "reference_resample.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The largest difference of one channel between two words.
int ChannelDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
    return worst;
}

// Frame f of a bitmap of frames of the given size, row by row.
std::vector<uint32_t> Frame(PX_Bitmap& bitmap, int f, bool sideBySide, int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int bx = sideBySide ? f * width + x : x;
            const int by = sideBySide ? y : f * height + y;
            pixels.push_back(bitmap.PixelData()[size_t(by) * bitmap.RowStride() + size_t(bx)]);
        }
    }
    return pixels;
}

struct Case {
    int frames;
    bool sideBySide;
    int width, height;     // of a source frame
    int toWidth, toHeight; // of a result frame
};

const Case Cases[] = {
    {3, false, 40, 40, 30, 30}, // the editor's 2x to 1.5x
    {4, true, 29, 17, 22, 13},  // odd sizes, frames side by side
    {2, false, 12, 20, 24, 9},  // growing across, shrinking down
    {1, false, 7, 5, 7, 5},     // the same size
};

} // namespace

TEST(Resample, EachFrameMatchesThePlainFormulaWithinOneLevel) {
    std::mt19937 rng(17);
    for (const Case& c : Cases) {
        TestBitmap source(c.sideBySide ? c.width * c.frames : c.width,
                          c.sideBySide ? c.height : c.height * c.frames, true, 3);
        FillRandom(source, rng);
        std::unique_ptr<PX_MemBitmap> result(
            PX_ResampleFrames(source, c.frames, c.sideBySide, c.toWidth, c.toHeight));
        ASSERT_NE(result, nullptr);
        ASSERT_EQ(result->Width(), c.sideBySide ? c.toWidth * c.frames : c.toWidth);
        ASSERT_EQ(result->Height(), c.sideBySide ? c.toHeight : c.toHeight * c.frames);
        for (int f = 0; f < c.frames; ++f) {
            std::vector<uint32_t> frame;
            for (int y = 0; y < c.height; ++y) {
                for (int x = 0; x < c.width; ++x) {
                    frame.push_back(source.At(c.sideBySide ? f * c.width + x : x,
                                              c.sideBySide ? y : f * c.height + y));
                }
            }
            const std::vector<uint32_t> expected =
                ReferenceResample(frame, c.width, c.height, c.toWidth, c.toHeight);
            const std::vector<uint32_t> got =
                Frame(*result, f, c.sideBySide, c.toWidth, c.toHeight);
            int worst = 0;
            for (size_t i = 0; i < got.size(); ++i) {
                // A pixel almost transparent has no colour worth comparing.
                const bool faint = (expected[i] >> 24) < 8 && (got[i] >> 24) < 8;
                worst = std::max(worst, faint ? 0 : ChannelDistance(got[i], expected[i]));
            }
            EXPECT_LE(worst, 1) << c.width << "x" << c.height << " frame " << f;
        }
    }
}

// Solid frames of different colours, one of them half transparent, and one frame that is a
// white square on transparent black: every result pixel of a solid frame is its colour, and
// every visible pixel of the square's frame is white.
TEST(Resample, FramesStayApartAndTransparentPixelsAddNoColour) {
    const uint32_t colours[] = {0xFFFF0000u, 0x8000FF00u, 0xFF0000FFu};
    TestBitmap source(40, 40 * 4);
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool square = x >= 10 && x < 30 && y % 40 >= 10 && y % 40 < 30;
            source.At(x, y) = y < 120 ? colours[y / 40] : (square ? 0xFFFFFFFFu : 0u);
        }
    }
    std::unique_ptr<PX_MemBitmap> result(PX_ResampleFrames(source, 4, false, 30, 30));
    ASSERT_NE(result, nullptr);
    for (int f = 0; f < 4; ++f) {
        for (uint32_t pixel : Frame(*result, f, false, 30, 30)) {
            if (f < 3) {
                ASSERT_EQ(pixel, colours[f]) << "frame " << f;
            } else if (pixel != 0) {
                ASSERT_EQ(pixel & 0xFFFFFF, 0xFFFFFFu) << std::hex << pixel;
            }
        }
    }
}

TEST(Resample, RefusesSizesItCannotMake) {
    TestBitmap source(10, 30);
    const struct {
        int frames, width, height;
    } refused[] = {{0, 5, 5}, {4, 5, 5}, {3, 0, 5}, {3, 5, -1}, {3, 70000, 1}, {3, 5000, 5000}};
    for (const auto& r : refused) {
        EXPECT_EQ(PX_ResampleFrames(source, r.frames, false, r.width, r.height), nullptr)
            << r.frames << " " << r.width << " " << r.height;
        EXPECT_EQ(PX_LazyResampledStrip::Create(source, r.frames, false, r.width, r.height),
                  nullptr)
            << r.frames << " " << r.width << " " << r.height;
    }
}

// The strip made on demand: an area prepares exactly the frames it touches along the strip (none
// outside it), and each prepared frame is the one the whole-strip resampling makes.
TEST(Resample, ALazyStripMakesOnlyTheFramesAnAreaTouchesAndTheSamePixels) {
    std::mt19937 rng(5);
    const Case c{4, false, 29, 17, 22, 13};
    for (bool sideBySide : {false, true}) {
        SCOPED_TRACE(sideBySide ? "side by side" : "stacked");
        TestBitmap source(sideBySide ? c.width * c.frames : c.width,
                          sideBySide ? c.height : c.height * c.frames, true, 3);
        FillRandom(source, rng);
        std::unique_ptr<PX_MemBitmap> whole(
            PX_ResampleFrames(source, c.frames, sideBySide, c.toWidth, c.toHeight));
        std::unique_ptr<PX_LazyResampledStrip> lazy(
            PX_LazyResampledStrip::Create(source, c.frames, sideBySide, c.toWidth, c.toHeight));
        ASSERT_NE(whole, nullptr);
        ASSERT_NE(lazy, nullptr);
        // Offsets along the strip, frames 13 pixels long (22 side by side).
        const int length = sideBySide ? c.toWidth : c.toHeight;
        const struct {
            int from, to;
            int made; // frames made so far
        } areas[] = {{-10, 0, 0},
                     {4 * length, 5 * length, 0},
                     {length + 2, length + 5, 1},      // inside frame 1
                     {length - 1, length + 1, 2},      // frames 0 and 1
                     {0, length, 2},                   // frame 0 again
                     {3 * length - 1, 9 * length, 4}}; // frames 2 and 3, past the end
        for (const auto& area : areas) {
            if (sideBySide) {
                lazy->PrepareArea(area.from, 0, area.to, c.toHeight);
            } else {
                lazy->PrepareArea(0, area.from, c.toWidth, area.to);
            }
            EXPECT_EQ(lazy->FramesMade(), area.made) << area.from << ".." << area.to;
        }
        for (int f = 0; f < c.frames; ++f) {
            EXPECT_EQ(Frame(*lazy, f, sideBySide, c.toWidth, c.toHeight),
                      Frame(*whole, f, sideBySide, c.toWidth, c.toHeight))
                << "frame " << f;
        }
    }
}
