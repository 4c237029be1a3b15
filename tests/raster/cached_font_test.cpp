// The glyph path of PX_CachedFont on both builds (glyphs from FreeType on Linux, from GDI under
// Wine), checked against a plain reference drawn from the glyph records and masks the font reports.
#include "random_pixels.h"
#include "raster/px_cached_font.h"
#include "raster/px_mem_bitmap.h"
#include "reference_text.h"

#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int GlyphPath = PX_RENDER_NO_NATIVE;

struct Canvas {
    TestBitmap actual;
    TestBitmap expected;
    Canvas(int width, int height, uint32_t seed, bool bottomUp = false)
        : actual(width, height, bottomUp, 3), expected(width, height, bottomUp, 3) {
        std::mt19937 rng(seed);
        FillRandom(actual, rng);
        expected = actual;
    }
    bool Same() const { return actual.Storage() == expected.Storage(); }
};

int Draw(PX_CachedFont& font, PX_Bitmap& bitmap, const std::string& text, PX_Rect rect, int flags,
         int count = -1) {
    return font.RenderText(&bitmap, text.c_str(), count, rect, flags | GlyphPath);
}

PX_Rect Measure(PX_CachedFont& font, const char* text, int flags = 0, int count = -1,
                int* result = nullptr) {
    PX_Rect rect{0, 0, 0, 0};
    const int height = font.RenderText(nullptr, text, count, rect, flags | DT_CALCRECT | GlyphPath);
    if (result != nullptr) {
        *result = height;
    }
    return rect;
}

class CachedFont : public ::testing::Test {
protected:
    void SetUp() override {
        font_ = MakeTestFont();
        ASSERT_NE(font_, nullptr);
        ASSERT_GT(font_->LineHeight(), 0);
    }
    std::unique_ptr<PX_CachedFont> font_;
};

struct Reading {
    const char* bytes;
    int count;
    int flags;
    std::vector<int> codes;
};

// Bytes are read as UTF-8 within the count; carriage returns are dropped; with DT_SINGLELINE a
// line feed is a space.
TEST_F(CachedFont, TextDrawsAndMeasuresAsTheCodesItReadsAs) {
    const Reading cases[] = {
        {"\xC3\xA9", -1, 0, {0xE9}},
        {"\xC3\x41", -1, 0, {0xC3, 0x41}},
        {"\xF0\x9F\x8E\xB5", -1, 0, {0x20}},
        {"\xC3\xC0", -1, 0, {0xC3, 0xC0}},
        {"\xE2\x82\xAC!", -1, 0, {0x20AC, '!'}},
        {"a\x80\xE2\x82", -1, 0, {'a', 0x80, 0xE2, 0x82}},
        {"ABC", 2, 0, {'A', 'B'}},
        {"AB", 500, 0, {'A', 'B'}},
        {"\xC3\xA9", 1, 0, {0xC3}},
        {"\rA\r\rB\r", -1, 0, {'A', 'B'}},
        {"A\nB", -1, DT_SINGLELINE, {'A', ' ', 'B'}},
    };
    for (const Reading& c : cases) {
        SCOPED_TRACE(c.bytes);
        Canvas canvas(60, 20, 7);
        Draw(*font_, canvas.actual, c.bytes, PX_Rect{2, 3, 60, 20}, DT_NOCLIP | c.flags, c.count);
        ReferenceDrawCodes(canvas.expected, *font_, c.codes, 2, 3, PX_Rect{0, 0, 60, 20},
                           TextPaint{});
        EXPECT_TRUE(canvas.Same());
        const TextExtent extent = ReferenceExtent(*font_, c.codes);
        const PX_Rect measured = Measure(*font_, c.bytes, c.flags, c.count);
        EXPECT_EQ(measured.right, extent.width);
        EXPECT_EQ(measured.bottom, extent.height);
    }
}

TEST_F(CachedFont, LineFeedMovesOneLineHeightDownAndBackToTheStart) {
    int result = 0;
    const PX_Rect measured = Measure(*font_, "A\nB", 0, -1, &result);
    const int expected = font_->LineHeight() + font_->FindGlyph('B')->height;
    EXPECT_EQ(result, expected);
    EXPECT_EQ(measured.bottom, expected);
    Canvas canvas(40, 40, 3);
    const PX_Rect rect{4, 5, 40, 40};
    Draw(*font_, canvas.actual, "A\nB", rect, 0);
    ReferenceDrawCodes(canvas.expected, *font_, {'A'}, 4, 5, rect, TextPaint{});
    ReferenceDrawCodes(canvas.expected, *font_, {'B'}, 4, 5 + font_->LineHeight(), rect,
                       TextPaint{});
    EXPECT_TRUE(canvas.Same());
}

TEST(CachedFontFixedSet, RasterisesAsciiWhenAttachedAndNoOtherCodeEver) {
    auto font = MakeTestFont(PX_TEXT_FIXED_SET);
    ASSERT_NE(font, nullptr);
    EXPECT_GT(font->FindGlyph('A')->offset, 0);
    EXPECT_GT(font->FindGlyph('~')->offset, 0);
    Canvas canvas(40, 20, 6);
    Draw(*font, canvas.actual, "\xC3\xA9\xE2\x82\xAC", PX_Rect{0, 0, 40, 20}, 0);
    EXPECT_TRUE(canvas.Same());
    EXPECT_EQ(font->FindGlyph(0xE9), nullptr);
    EXPECT_EQ(font->FindGlyph(0x20AC), nullptr);
    EXPECT_EQ(Measure(*font, "\xC3\xA9").right, 0);
}

TEST_F(CachedFont, ForegroundAlphaZeroDrawsNothingAndAnswersZero) {
    EXPECT_EQ(font_->SetForeground(0x00FF0000u), 0u);
    EXPECT_EQ(font_->SetForeground(0x00123456u), 0x00FF0000u);
    Canvas canvas(40, 20, 8);
    EXPECT_EQ(Draw(*font_, canvas.actual, "Hi", PX_Rect{0, 0, 40, 20}, PX_RENDER_FOREGROUND_ALPHA),
              0);
    EXPECT_TRUE(canvas.Same());
}

struct Formula {
    const char* name;
    int fontFlags;
    MaskKind kind;
    int mode;
    float alpha;
    uint32_t foreground;
    int renderFlags;
    bool opaque;
};

void PrintTo(const Formula& formula, std::ostream* out) {
    *out << formula.name;
}

class CachedFontFormulas : public ::testing::TestWithParam<Formula> {};

TEST_P(CachedFontFormulas, GlyphPixelsFollowTheCombineFormulas) {
    const Formula& f = GetParam();
    auto font = MakeTestFont(f.fontFlags, 15);
    ASSERT_NE(font, nullptr);
    font->SetForeground(f.foreground);
    font->SetOutlineColour(0xFF10E020u);
    font->SetBackground(0xFF2040C0u);
    font->SetBackgroundMode(f.opaque ? PX_BACKGROUND_OPAQUE : PX_BACKGROUND_TRANSPARENT);
    font->SetBlend(f.mode, f.alpha);
    for (bool bottomUp : {false, true}) {
        Canvas canvas(70, 26, 11, bottomUp);
        Draw(*font, canvas.actual, "Ag%W", PX_Rect{-2, 3, 70, 26}, DT_NOCLIP | f.renderFlags);
        TextPaint paint;
        paint.foreground = f.foreground;
        paint.outline = 0xFF10E020u;
        paint.background = 0xFF2040C0u;
        paint.opaque = f.opaque;
        paint.alpha = (f.renderFlags & PX_RENDER_FOREGROUND_ALPHA) != 0
                          ? float(f.alpha * ((f.foreground >> 24) / 255.0))
                          : f.alpha;
        paint.mode = f.mode;
        paint.kind = f.kind;
        ReferenceDrawCodes(canvas.expected, *font, {'A', 'g', '%', 'W'}, -2, 3,
                           PX_Rect{0, 0, 70, 26}, paint);
        EXPECT_TRUE(canvas.Same());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CachedFontFormulas,
    ::testing::Values(
        Formula{"CopyFull", 0, MaskKind::Coverage, PX_COMBINE_COPY, 1.0f, 0xFF402010u, 0, false},
        Formula{"CopyWeighted", 0, MaskKind::Coverage, PX_COMBINE_COPY, 0.6f, 0xFFC08040u, 0,
                false},
        Formula{"AddFull", 0, MaskKind::Coverage, PX_COMBINE_ADD, 1.0f, 0xFF806040u, 0, false},
        Formula{"AddWeighted", 0, MaskKind::Coverage, PX_COMBINE_ADD, 0.3f, 0xFFFFFFFFu, 0, false},
        Formula{"Dodge", 0, MaskKind::Coverage, PX_COMBINE_DODGE, 0.8f, 0xFF8090A0u, 0, false},
        Formula{"ForegroundAlpha", 0, MaskKind::Coverage, PX_COMBINE_COPY, 1.0f, 0x80FF0000u,
                PX_RENDER_FOREGROUND_ALPHA, false},
        Formula{"OpaqueBackground", 0, MaskKind::Coverage, PX_COMBINE_COPY, 0.75f, 0xFF000000u, 0,
                true},
        Formula{"MonoWritesTheColourWord", PX_TEXT_MONO, MaskKind::Mono, PX_COMBINE_COPY, 1.0f,
                0x12345678u, 0, false},
        Formula{"MonoWeighted", PX_TEXT_MONO, MaskKind::Mono, PX_COMBINE_COPY, 0.5f, 0xFF00FF00u, 0,
                false},
        Formula{"MonoAdd", PX_TEXT_MONO, MaskKind::Mono, PX_COMBINE_ADD, 1.0f, 0xFF204080u, 0,
                false},
        Formula{"ShadowColours", PX_TEXT_SHADOW, MaskKind::TwoColour, PX_COMBINE_COPY, 1.0f,
                0xFF0000FFu, 0, false},
        Formula{"OutlineWeighted", PX_TEXT_OUTLINE, MaskKind::TwoColour, PX_COMBINE_COPY, 0.7f,
                0xFFFF00FFu, 0, false}),
    [](const ::testing::TestParamInfo<Formula>& info) { return std::string(info.param.name); });

// The plain mask of 'g' and the mask the same glyph gets under each effect flag.
struct Mask {
    int width;
    int height;
    std::vector<uint8_t> bytes;
    uint8_t At(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0 : bytes[size_t(y * width + x)];
    }
};

Mask MaskOf(int flags, int code) {
    auto font = MakeTestFont(flags, 18);
    PX_Rect rect{0, 0, 0, 0};
    const std::string text(1, char(code));
    font->RenderText(nullptr, text.c_str(), -1, rect, DT_CALCRECT | GlyphPath);
    const PX_GlyphRecord glyph = *font->FindGlyph(code);
    const uint8_t* mask = font->GlyphMask(glyph);
    return Mask{glyph.width, glyph.height,
                std::vector<uint8_t>(mask, mask + glyph.width * glyph.height)};
}

Mask Thresholded(Mask m) {
    for (uint8_t& b : m.bytes) {
        b = b > 130 ? 255 : 0;
    }
    return m;
}

Mask Marked(const Mask& full, const std::vector<std::pair<int, int>>& neighbours) {
    Mask out = full;
    for (int y = 0; y < full.height; ++y) {
        for (int x = 0; x < full.width; ++x) {
            for (auto [dx, dy] : neighbours) {
                if (full.At(x, y) == 0 && full.At(x + dx, y + dy) == 255) {
                    out.bytes[size_t(y * full.width + x)] = 128;
                }
            }
        }
    }
    return out;
}

TEST(CachedFontMasks, EffectFlagsTransformThePlainMask) {
    const Mask plain = MaskOf(0, 'g');
    ASSERT_GT(plain.width * plain.height, 0);
    Mask inverted = plain;
    for (uint8_t& b : inverted.bytes) {
        b = uint8_t(255 - b);
    }
    Mask clockwise{plain.height, plain.width, {}};
    Mask counter{plain.height, plain.width, {}};
    for (int k = 0; k < plain.width; ++k) {
        for (int l = 0; l < plain.height; ++l) {
            clockwise.bytes.push_back(plain.At(k, plain.height - 1 - l));
            counter.bytes.push_back(plain.At(plain.width - 1 - k, l));
        }
    }
    EXPECT_EQ(MaskOf(PX_TEXT_INVERT, 'g').bytes, inverted.bytes);
    EXPECT_EQ(MaskOf(PX_TEXT_MONO, 'g').bytes, Thresholded(plain).bytes);
    EXPECT_EQ(MaskOf(PX_TEXT_SHADOW, 'g').bytes,
              Marked(Thresholded(plain), {{-1, 0}, {-1, -1}, {0, -1}}).bytes);
    EXPECT_EQ(MaskOf(PX_TEXT_OUTLINE, 'g').bytes,
              Marked(Thresholded(plain), {{0, -1}, {0, 1}, {-1, 0}, {1, 0}}).bytes);
    const Mask turned = MaskOf(PX_TEXT_ROTATE, 'g');
    EXPECT_EQ(turned.width, plain.height);
    EXPECT_EQ(turned.bytes, clockwise.bytes);
    EXPECT_EQ(MaskOf(PX_TEXT_ROTATE | PX_TEXT_ROTATE_CCW, 'g').bytes, counter.bytes);
}

TEST_F(CachedFont, AlignmentPlacesTheTextByItsMeasuredSize) {
    Measure(*font_, "Hey");
    const TextExtent extent = ReferenceExtent(*font_, {'H', 'e', 'y'});
    const PX_Rect box{10, 4, 90, 30};
    const struct {
        int flags;
        int x;
        int y;
    } cases[] = {
        {DT_CENTER, 10 + (80 - extent.width) / 2, 4},
        {DT_RIGHT, 90 - extent.width, 4},
        {DT_VCENTER, 10, 4 + (26 - extent.height) / 2},
        {DT_BOTTOM | DT_RIGHT, 90 - extent.width, 30 - extent.height},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        Canvas canvas(100, 40, 9);
        Draw(*font_, canvas.actual, "Hey", box, c.flags);
        ReferenceDrawCodes(canvas.expected, *font_, {'H', 'e', 'y'}, c.x, c.y, box, TextPaint{});
        EXPECT_TRUE(canvas.Same());
    }
}

TEST_F(CachedFont, TextIsCutToTheRectangleUnlessNoClipIsGiven) {
    const PX_Rect box{6, 5, 16, 12};
    for (bool noClip : {false, true}) {
        Canvas canvas(60, 24, 10);
        Draw(*font_, canvas.actual, "Wg\nWg", box, noClip ? DT_NOCLIP : 0);
        const PX_Rect clip = noClip ? PX_Rect{0, 0, 60, 24} : box;
        ReferenceDrawCodes(canvas.expected, *font_, {'W', 'g'}, 6, 5, clip, TextPaint{});
        ReferenceDrawCodes(canvas.expected, *font_, {'W', 'g'}, 6, 5 + font_->LineHeight(), clip,
                           TextPaint{});
        EXPECT_TRUE(canvas.Same());
    }
}

TEST(CachedFontRotation, RotatedTextRunsDownwardsAndLineFeedsMoveRight) {
    auto font = MakeTestFont(PX_TEXT_ROTATE);
    ASSERT_NE(font, nullptr);
    int result = 0;
    const PX_Rect measured = Measure(*font, "AB\nC", 0, -1, &result);
    const PX_GlyphRecord a = *font->FindGlyph('A'), b = *font->FindGlyph('B');
    const PX_GlyphRecord c = *font->FindGlyph('C');
    EXPECT_EQ(result, std::max({a.width, b.width, font->LineHeight() + c.width}));
    EXPECT_EQ(measured.right, result);
    EXPECT_EQ(measured.bottom, std::max({a.advance + b.advance, a.advance + b.height, a.height,
                                         c.advance, c.height}));
    Canvas canvas(40, 50, 12);
    Draw(*font, canvas.actual, "AB\nC", PX_Rect{3, 2, 40, 50}, 0);
    const PX_Rect clip{3, 2, 40, 50};
    ReferenceDrawCodes(canvas.expected, *font, {'A'}, 3, 2, clip, TextPaint{});
    ReferenceDrawCodes(canvas.expected, *font, {'B'}, 3, 2 + a.advance, clip, TextPaint{});
    ReferenceDrawCodes(canvas.expected, *font, {'C'}, 3 + font->LineHeight(), 2, clip, TextPaint{});
    EXPECT_TRUE(canvas.Same());
}

TEST_F(CachedFont, HostileArgumentsGiveDefinedResultsAndTouchNothingOutside) {
    PX_Rect rect{5, 6, 0, 0};
    EXPECT_EQ(font_->RenderText(nullptr, nullptr, -1, rect, DT_CALCRECT | GlyphPath), 0);
    EXPECT_EQ(rect.right, 5);
    EXPECT_EQ(rect.bottom, 6);
    EXPECT_EQ(font_->RenderText(nullptr, "A", -1, rect, GlyphPath), 0);
    EXPECT_EQ(Measure(*font_, "AB", 0, -7).right, Measure(*font_, "AB").right);
    PX_Rect huge{INT_MAX - 5, INT_MAX - 5, 0, 0};
    font_->RenderText(nullptr, "Wide", -1, huge, DT_CALCRECT | GlyphPath);
    EXPECT_EQ(huge.right, INT_MAX);

    PX_MemBitmap empty(0, 0);
    EXPECT_EQ(Draw(*font_, empty, "AB", PX_Rect{0, 0, 10, 10}, DT_NOCLIP | DT_CENTER), 0);
    const PX_Rect rects[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                             {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
                             {INT_MAX - 3, 0, INT_MAX, 10},
                             {-40, -5, 20, 30}};
    Canvas canvas(30, 20, 13);
    for (int flags : {0, DT_CENTER, DT_RIGHT | DT_BOTTOM, DT_VCENTER | DT_NOCLIP, DT_NOCLIP}) {
        for (const PX_Rect& r : rects) {
            Draw(*font_, canvas.actual, "Wide text\nline", r, flags);
        }
    }
    font_->RenderGlyph(&canvas.actual, 'W', 26, 2, PX_Rect{-100, -100, 1000, 1000});
    // Three padding words sit right of every row: no draw may reach them.
    for (size_t i = 0; i < canvas.actual.Storage().size(); i += 33) {
        for (size_t x = 30; x < 33; ++x) {
            EXPECT_EQ(canvas.actual.Storage()[i + x], canvas.expected.Storage()[i + x]);
        }
    }
}

TEST(CachedFontSizes, FontsTooTallToCacheRasteriseNothing) {
    PX_FontRequest request{};
    std::strcpy(request.face, "Verdana");
    for (int height : {0, -12, PX_MAX_FONT_HEIGHT + 1}) {
        request.height = height;
        EXPECT_EQ(PX_CreateSystemFont(request), nullptr) << height;
    }
    auto font = MakeTestFont(0, 1500);
    ASSERT_NE(font, nullptr);
    EXPECT_GT(font->LineHeight(), 1023);
    PX_MemBitmap bitmap(50, 50);
    PX_Rect rect{0, 0, 50, 50};
    font->RenderText(&bitmap, "A", -1, rect, GlyphPath);
    font->RenderText(nullptr, "A", -1, rect, DT_CALCRECT | GlyphPath);
    EXPECT_EQ(font->FindGlyph('A')->offset, 0);
}

} // namespace
