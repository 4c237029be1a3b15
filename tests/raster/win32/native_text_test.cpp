// The system's own drawing of PX_CachedFont, forced past the Wine test: what GDI draws straight
// into a device context must be what DrawTextW draws there, and bitmaps without a device context
// get the same pixels through the scratch surface.
#include "raster/px_cached_font.h"
#include "raster/px_fill_area.h"
#include "raster/px_mem_bitmap.h"
#include "raster/px_sys_bitmap.h"
#include "raster/win32/wine_state.h"
#include "reference_text.h"

#include <climits>
#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr PX_Pixel32 Paper = 0xFF3060A0u;
constexpr PX_Pixel32 Ink = 0xFFF0E010u;

void Fill(PX_Bitmap& bitmap, PX_Pixel32 colour) {
    PX_FillArea(&bitmap, 0, 0, bitmap.Width(), bitmap.Height(), colour, 1.0f, PX_COMBINE_COPY);
}

// Pixels that differ between a and b, or (b null) differ from the paper.
int Differing(PX_Bitmap& a, PX_Bitmap* b) {
    int count = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const PX_Pixel32 other = b ? b->PixelData()[y * b->RowStride() + x] : Paper;
            count += a.PixelData()[y * a.RowStride() + x] != other;
        }
    }
    return count;
}

// What GDI itself draws with the font's handle, the colour and no background.
int DrawTextDirectly(PX_SysBitmap& bitmap, PX_CachedFont& font, const wchar_t* text, RECT rect,
                     UINT flags) {
    HDC dc = static_cast<HDC>(bitmap.DeviceContext());
    HGDIOBJ previous = SelectObject(dc, static_cast<HGDIOBJ>(font.FontHandle()));
    SetTextColor(dc, RGB(0xF0, 0xE0, 0x10));
    SetBkMode(dc, TRANSPARENT);
    const int result = DrawTextW(dc, text, -1, &rect, flags | DT_NOPREFIX);
    SelectObject(dc, previous);
    GdiFlush();
    return result;
}

class NativeText : public ::testing::Test {
protected:
    void SetUp() override {
        underWine_ = RunningUnderWine();
        SetWineStateForTesting(false);
        font_ = MakeTestFont(PX_TEXT_NATIVE, 14);
        ASSERT_NE(font_, nullptr);
        font_->SetForeground(Ink);
    }
    void TearDown() override { SetWineStateForTesting(underWine_); }

    bool underWine_ = false;
    std::unique_ptr<PX_CachedFont> font_;
};

TEST_F(NativeText, DrawsIntoTheDeviceContextAsDrawTextDoes) {
    PX_SysBitmap actual(120, 40), expected(120, 40);
    Fill(actual, Paper);
    Fill(expected, Paper);
    PX_Rect rect{4, 3, 116, 37};
    const int drawn =
        font_->RenderText(&actual, "Caf\xC3\xA9 z\xC3\xBCrich", -1, rect, DT_CENTER | DT_NOCLIP);
    const int direct = DrawTextDirectly(expected, *font_, L"Caf\u00e9 z\u00fcrich",
                                        RECT{4, 3, 116, 37}, DT_CENTER | DT_NOCLIP);
    EXPECT_EQ(drawn, direct);
    EXPECT_GT(Differing(actual, nullptr), 20);
    EXPECT_EQ(Differing(actual, &expected), 0);
    // No glyph was cached: the system drew the string.
    EXPECT_EQ(font_->FindGlyph('C')->offset, 0);
}

TEST_F(NativeText, MeasuresAsDrawTextDoes) {
    PX_SysBitmap bitmap(8, 8);
    PX_Rect rect{10, 20, 10, 20};
    const int height = font_->RenderText(&bitmap, "Two\nlines", -1, rect, DT_CALCRECT);
    RECT expected{10, 20, 10, 20};
    HDC dc = static_cast<HDC>(bitmap.DeviceContext());
    HGDIOBJ previous = SelectObject(dc, static_cast<HGDIOBJ>(font_->FontHandle()));
    const int direct = DrawTextA(dc, "Two\nlines", -1, &expected, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, previous);
    EXPECT_EQ(height, direct);
    EXPECT_EQ(rect.right, expected.right);
    EXPECT_EQ(rect.bottom, expected.bottom);
    EXPECT_GE(height, 2 * font_->LineHeight());
}

TEST_F(NativeText, BitmapsWithoutDeviceContextGetTheSamePixelsThroughTheScratchSurface) {
    for (int flags : {DT_NOCLIP, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, 0}) {
        SCOPED_TRACE(flags);
        PX_MemBitmap memory(90, 30);
        PX_SysBitmap system(90, 30);
        Fill(memory, Paper);
        Fill(system, Paper);
        PX_Rect a{-6, 2, 60, 25}, b = a;
        font_->RenderText(&memory, "Clipped text", -1, a, flags);
        font_->RenderText(&system, "Clipped text", -1, b, flags);
        EXPECT_GT(Differing(memory, nullptr), 20);
        EXPECT_EQ(Differing(memory, &system), 0);
    }
}

TEST_F(NativeText, HostileArgumentsGiveDefinedResults) {
    PX_MemBitmap memory(20, 10), empty(0, 0);
    const PX_Rect rects[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                             {INT_MAX - 2, INT_MAX - 2, INT_MIN, INT_MIN},
                             {-50, -50, -40, -40}};
    for (const PX_Rect& r : rects) {
        for (int flags : {0, DT_CENTER | DT_VCENTER | DT_SINGLELINE, DT_RIGHT | DT_NOCLIP}) {
            PX_Rect a = r, b = r;
            font_->RenderText(&memory, "Text \xC3\x28 \xE2\x82", 500, a, flags);
            font_->RenderText(&empty, "Text", -1, b, flags);
        }
    }
    PX_Rect rect{0, 0, 0, 0};
    EXPECT_EQ(font_->RenderText(nullptr, nullptr, -1, rect, DT_CALCRECT), 0);
    EXPECT_EQ(rect.right, 0);
    EXPECT_EQ(font_->RenderText(nullptr, "x", -1, rect, 0), 0);
}

TEST_F(NativeText, WineForegroundAlphaAndEffectsTakeTheGlyphPath) {
    PX_MemBitmap glyphs(60, 20), other(60, 20);
    Fill(glyphs, Paper);
    PX_Rect rect{0, 0, 60, 20};
    font_->RenderText(&glyphs, "Hey", -1, rect, PX_RENDER_NO_NATIVE);
    for (int pass = 0; pass < 2; ++pass) {
        Fill(other, Paper);
        SetWineStateForTesting(pass == 0);
        font_->RenderText(&other, "Hey", -1, rect, pass == 0 ? 0 : PX_RENDER_FOREGROUND_ALPHA);
        EXPECT_EQ(Differing(glyphs, &other), 0) << pass;
    }
    EXPECT_GT(font_->FindGlyph('H')->offset, 0);
}

} // namespace
