// Text through the graphics context: one cached font per size, orientation, style and face, and
// text boxes measured and drawn into the canvas with the style's colour and alignment.
#include "editor/font_cache.h"
#include "raster/px_cached_font.h"
#include "recording_graphics.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* Label = "Sensitivity 0.700";

TextStyle Coloured(int red, int green, int blue) {
    TextStyle style;
    style.textColour = Argb{255, red, green, blue};
    return style;
}

// The text's extent as the font itself measures it.
PX_Rect Extent(PX_CachedFont& font, const char* text) {
    PX_Rect extent{0, 0, 0, 0};
    font.RenderText(nullptr, text, -1, extent, DT_CALCRECT);
    return extent;
}

} // namespace

TEST(TextBoxes, StylesThatDifferOnlyInColourShareOneCachedFont) {
    RecordingGraphics graphics;
    TextStyle black;
    TextStyle orange = Coloured(230, 140, 30);
    PX_CachedFont* font = graphics.FontFor(black);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(graphics.FontFor(orange), font);
    EXPECT_EQ(orange.cachedFont, font);
    TextStyle bold;
    bold.style = FontBold;
    TextStyle larger;
    larger.size = 20;
    EXPECT_NE(graphics.FontFor(bold), font);
    EXPECT_NE(graphics.FontFor(larger), font);
}

TEST(TextBoxes, AStyleNoFontCanBeMadeForDrawsNothingAndCachesNothing) {
    RecordingGraphics graphics;
    TextStyle impossible;
    impossible.size = 0;
    const int cached = FontCache::Count();
    EXPECT_EQ(graphics.FontFor(impossible), nullptr);
    Bounds rect{10, 10, 100, 30};
    EXPECT_FALSE(graphics.DrawTextBox(impossible, Label, rect, false));
    EXPECT_TRUE(graphics.DrawTextBox(impossible, "", rect, false));
    EXPECT_EQ(FontCache::Count(), cached);
}

// Left keeps the left edge, right the right edge; centred text is centred on the box's middle.
TEST(TextBoxes, MeasuringAlignsTheTextsExtentInTheBox) {
    RecordingGraphics graphics;
    TextStyle style;
    const PX_Rect extent = Extent(*graphics.FontFor(style), Label);
    ASSERT_GT(extent.right, 0);
    const int width = extent.right;

    Bounds centred{100, 50, 301, 90};
    ASSERT_TRUE(graphics.MeasureTextBox(style, Label, centred));
    EXPECT_EQ(centred.left, 200 - width / 2);
    EXPECT_EQ(centred.right, centred.left + width);
    EXPECT_EQ(centred.bottom, 50 + extent.bottom);

    style.alignment = AlignRight;
    Bounds right{100, 50, 300, 90};
    graphics.MeasureTextBox(style, Label, right);
    EXPECT_EQ(right.right, 300);
    EXPECT_EQ(right.left, 300 - width);

    style.alignment = AlignLeft;
    Bounds left{100, 50, 300, 90};
    graphics.MeasureTextBox(style, Label, left);
    EXPECT_EQ(left.left, 100);
    EXPECT_EQ(left.right, 100 + width);

    Bounds untouched{1, 2, 3, 4};
    EXPECT_TRUE(graphics.MeasureTextBox(style, "", untouched));
    EXPECT_EQ(untouched.left, 1);
    EXPECT_EQ(untouched.bottom, 4);
}

// Fully covered glyph pixels take the style's colour; nothing lands outside the measured box.
TEST(TextBoxes, DrawingPaintsTheStylesColourInsideTheMeasuredBoxOnly) {
    RecordingGraphics graphics;
    graphics.PrepareCanvas();
    PX_Bitmap& canvas = *graphics.Canvas();
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            canvas.PixelData()[y * canvas.RowStride() + x] = 0xFF000000u;
        }
    }
    TextStyle style = Coloured(230, 140, 30);
    style.alignment = AlignLeft;
    Bounds box{40, 100, 400, 140};
    ASSERT_TRUE(graphics.DrawTextBox(style, Label, box, false));
    Bounds measured = box;
    graphics.MeasureTextBox(style, Label, measured);
    int inColour = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const PX_Pixel32 pixel = canvas.PixelData()[y * canvas.RowStride() + x];
            if (!measured.Contains(x, y)) {
                ASSERT_EQ(pixel, 0xFF000000u) << x << ", " << y;
            }
            inColour += (pixel & 0xFFFFFFu) == 0xE68C1Eu ? 1 : 0;
        }
    }
    EXPECT_GT(inColour, 10);
}
