// Dirty collection and repainting on a small editor of plain images: what is painted, in which
// order, clipped to what, and which rectangle is presented.
#include "editor/bitmap_control.h"
#include "recording_graphics.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr PX_Pixel32 Navy = 0xFF000080u;
constexpr PX_Pixel32 Red = 0xFFFF0000u;
constexpr PX_Pixel32 Green = 0xFF00FF00u;
constexpr PX_Pixel32 Blue = 0xFF0000FFu;
constexpr PX_Pixel32 Poison = 0x12345678u;
constexpr Blend Normal{BlendMode::Normal, 1.0f};

// A background with three controls: A and B overlap, C stands apart. B is opaque green in its
// top half and transparent below, so A shows through there.
constexpr Bounds BackgroundArea{0, 0, 40, 20};
constexpr Bounds AreaA{5, 5, 15, 15};
constexpr Bounds AreaB{10, 8, 20, 18};
constexpr Bounds AreaC{28, 2, 38, 12};

class Repainting : public testing::Test {
protected:
    void SetUp() override {
        graphics.SetEditorSize(BackgroundArea.right, BackgroundArea.bottom);
        graphics.AddControl(new BitmapControl(
            nullptr, BackgroundArea, -1, Blend{BlendMode::Replace, 1.0f}, Solid(40, 20, Navy)));
        a = Add(AreaA, Solid(10, 10, Red));
        b = Add(AreaB, HalfGreen());
        c = Add(AreaC, Solid(10, 10, Blue));
        graphics.PrepareCanvas();
    }

    ImageStrip Solid(int width, int height, PX_Pixel32 colour) {
        images.push_back(std::make_unique<PX_MemBitmap>(width, height));
        PX_MemBitmap& image = *images.back();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.PixelData()[y * image.RowStride() + x] = colour;
            }
        }
        return ImageStrip::Of(&image, 1, false);
    }

    ImageStrip HalfGreen() {
        ImageStrip strip = Solid(10, 10, Green);
        for (int y = 5; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                strip.bitmap->PixelData()[y * strip.bitmap->RowStride() + x] = 0;
            }
        }
        return strip;
    }

    BitmapControl* Add(const Bounds& area, const ImageStrip& strip) {
        auto* control = new BitmapControl(nullptr, area, -1, Normal, strip);
        graphics.AddControl(control);
        return control;
    }

    // Paints everything once, then poisons the canvas so any pixel painted later shows.
    void PaintAllThenPoison() {
        Bounds all;
        ASSERT_TRUE(graphics.CollectDirty(all));
        graphics.Repaint(all);
        graphics.presented.clear();
        PX_Bitmap& canvas = *graphics.Canvas();
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                canvas.PixelData()[y * canvas.RowStride() + x] = Poison;
            }
        }
    }

    PX_Pixel32 Pixel(int x, int y) {
        return graphics.Canvas()->PixelData()[y * graphics.Canvas()->RowStride() + x];
    }

    // What a repaint of rect must leave: the controls in list order inside rect, untouched
    // (poisoned) pixels outside it.
    PX_Pixel32 Expected(int x, int y, const Bounds& rect, bool aShown = true) {
        if (!rect.Contains(x, y)) {
            return Poison;
        }
        if (AreaB.Contains(x, y) && y < AreaB.top + 5) {
            return Green;
        }
        if (aShown && AreaA.Contains(x, y)) {
            return Red;
        }
        return AreaC.Contains(x, y) ? Blue : Navy;
    }

    void ExpectRepaintOf(const Bounds& rect, bool aShown = true) {
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(Pixel(x, y), Expected(x, y, rect, aShown)) << x << ", " << y;
            }
        }
    }

    std::vector<std::unique_ptr<PX_MemBitmap>> images;
    RecordingGraphics graphics;
    BitmapControl* a = nullptr;
    BitmapControl* b = nullptr;
    BitmapControl* c = nullptr;
};

bool SameBounds(const Bounds& x, const Bounds& y) {
    return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
}

} // namespace

TEST_F(Repainting, StrictRepaintPaintsInListOrderClippedToAndPresentingTheCollectedArea) {
    PaintAllThenPoison();
    b->Touch(false);
    Bounds dirty;
    ASSERT_TRUE(graphics.CollectDirty(dirty));
    EXPECT_TRUE(SameBounds(dirty, AreaB));
    graphics.Repaint(dirty);
    ExpectRepaintOf(AreaB);
    ASSERT_EQ(graphics.presented.size(), 1u);
    EXPECT_TRUE(SameBounds(graphics.presented[0], AreaB));
    EXPECT_FALSE(graphics.CollectDirty(dirty));
}

TEST_F(Repainting, AHiddenDirtyControlsAreaIsRepaintedWithWhatLiesBeneath) {
    PaintAllThenPoison();
    a->SetHidden(true);
    Bounds dirty;
    ASSERT_TRUE(graphics.CollectDirty(dirty));
    EXPECT_TRUE(SameBounds(dirty, AreaA));
    graphics.Repaint(dirty);
    ExpectRepaintOf(AreaA, false);
    // Showing or hiding is painted on two repaints in a row.
    EXPECT_TRUE(graphics.CollectDirty(dirty));
}

TEST_F(Repainting, WithoutStrictDrawingOnlyTheDirtyControlAndThoseOverlappingItArePainted) {
    graphics.SetStrictDrawing(false);
    PaintAllThenPoison();
    b->Touch(false);
    Bounds dirty;
    ASSERT_TRUE(graphics.CollectDirty(dirty));
    // A rectangle covering C too: C is not dirty and does not meet B, so it stays unpainted.
    const Bounds wide{0, 0, 40, 20};
    graphics.Repaint(wide);
    ExpectRepaintOf(AreaB);
    ASSERT_EQ(graphics.presented.size(), 1u);
    EXPECT_TRUE(SameBounds(graphics.presented[0], wide));
    EXPECT_FALSE(graphics.CollectDirty(dirty));
}
