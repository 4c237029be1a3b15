#include "png_writer.h"
#include "raster/px_read_png.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

using Bitmap = std::unique_ptr<PX_MemBitmap>;

Bitmap Decode(const std::vector<uint8_t>& png) {
    return Bitmap(PX_ReadPngFromMemory(png.data(), int(png.size())));
}

PX_Pixel32 PixelAt(PX_MemBitmap& bitmap, int x, int y) {
    return bitmap.PixelData()[size_t(y) * size_t(bitmap.RowStride()) + size_t(x)];
}

PngImage RedPixel() {
    PngImage image;
    image.rows = {0xFF, 0x00, 0x00};
    return image;
}

// A 19 x 7 RGBA image of random bytes: the odd width leaves padding in every bitmap row.
PngImage RandomRgba(std::mt19937& rng, bool interlaced) {
    PngImage image;
    image.width = 19;
    image.height = 7;
    image.colourType = 6;
    image.interlaced = interlaced;
    for (int i = 0; i < 19 * 7 * 4; ++i) {
        image.rows.push_back(uint8_t(rng()));
    }
    return image;
}

// The stream of a bare IHDR declaring the given size, with a valid CRC, and nothing after it.
std::vector<uint8_t> HeaderOnly(uint32_t width, uint32_t height) {
    std::vector<uint8_t> png = EncodePng(RedPixel());
    const uint8_t size[8] = {uint8_t(width >> 24), uint8_t(width >> 16),  uint8_t(width >> 8),
                             uint8_t(width),       uint8_t(height >> 24), uint8_t(height >> 16),
                             uint8_t(height >> 8), uint8_t(height)};
    std::copy(size, size + 8, png.begin() + 16);
    FixChunkCrc(png, 8);
    png.resize(8 + 25);
    return png;
}

} // namespace

TEST(ReadPng, OpaqueRedPixelDecodesToOpaqueRedWord) {
    Bitmap bitmap = Decode(EncodePng(RedPixel()));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 1);
    EXPECT_EQ(bitmap->Height(), 1);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0xFFFF0000u);
}

TEST(ReadPng, RgbaRoundTripKeepsEveryStraightColourByte) {
    std::mt19937 rng(3);
    for (bool interlaced : {false, true}) {
        const PngImage image = RandomRgba(rng, interlaced);
        Bitmap bitmap = Decode(EncodePng(image));
        ASSERT_NE(bitmap, nullptr);
        ASSERT_EQ(bitmap->Width(), 19);
        ASSERT_EQ(bitmap->Height(), 7);
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 19; ++x) {
                const uint8_t* p = &image.rows[size_t(y * 19 + x) * 4];
                EXPECT_EQ(PixelAt(*bitmap, x, y), PX_MakePixel(p[3], p[0], p[1], p[2]))
                    << x << "," << y << (interlaced ? " interlaced" : "");
            }
        }
    }
}

TEST(ReadPng, HalfTransparentWhiteKeepsItsColour) {
    PngImage image;
    image.colourType = 6;
    image.rows = {0xFF, 0xFF, 0xFF, 0x80};
    Bitmap bitmap = Decode(EncodePng(image));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0x80FFFFFFu);
}

TEST(ReadPng, PaletteWithTransparencyEntryGainsAlpha) {
    PngImage image;
    image.width = 3;
    image.colourType = 3;
    image.palette = {10, 20, 30, 200, 100, 50, 1, 2, 3};
    image.trns = {255, 0};
    image.rows = {0, 1, 2};
    Bitmap bitmap = Decode(EncodePng(image));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), PX_MakePixel(255, 10, 20, 30));
    EXPECT_EQ(PixelAt(*bitmap, 1, 0), PX_MakePixel(0, 200, 100, 50));
    EXPECT_EQ(PixelAt(*bitmap, 2, 0), PX_MakePixel(255, 1, 2, 3));
}

TEST(ReadPng, SixteenBitRgbaKeepsTheHighByteOfEachSample) {
    PngImage image;
    image.width = 2;
    image.colourType = 6;
    image.bitDepth = 16;
    image.rows = {0x12, 0x99, 0x34, 0x01, 0x56, 0xFF, 0x78, 0x00,
                  0xFE, 0x80, 0x00, 0x7F, 0x01, 0x01, 0xFF, 0xFF};
    Bitmap bitmap = Decode(EncodePng(image));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), PX_MakePixel(0x78, 0x12, 0x34, 0x56));
    EXPECT_EQ(PixelAt(*bitmap, 1, 0), PX_MakePixel(0xFF, 0xFE, 0x00, 0x01));
}

TEST(ReadPng, TwoBitGreyExpandsToOpaqueGreyLevels) {
    PngImage image;
    image.width = 4;
    image.colourType = 0;
    image.bitDepth = 2;
    image.rows = {0b00011011}; // levels 0, 1, 2, 3
    Bitmap bitmap = Decode(EncodePng(image));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(*bitmap, 1, 0), 0xFF555555u);
    EXPECT_EQ(PixelAt(*bitmap, 2, 0), 0xFFAAAAAAu);
    EXPECT_EQ(PixelAt(*bitmap, 3, 0), 0xFFFFFFFFu);
}

TEST(ReadPng, GreyWithAlphaAndGreyTransparencyBecomeGreyColourWithAlpha) {
    PngImage greyAlpha;
    greyAlpha.colourType = 4;
    greyAlpha.rows = {0x40, 0x90};
    Bitmap a = Decode(EncodePng(greyAlpha));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(PixelAt(*a, 0, 0), PX_MakePixel(0x90, 0x40, 0x40, 0x40));

    PngImage keyed;
    keyed.width = 2;
    keyed.colourType = 0;
    keyed.rows = {7, 8};
    keyed.trns = {7};
    Bitmap b = Decode(EncodePng(keyed));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(PixelAt(*b, 0, 0), PX_MakePixel(0, 7, 7, 7));
    EXPECT_EQ(PixelAt(*b, 1, 0), PX_MakePixel(255, 8, 8, 8));
}

TEST(ReadPng, WrongSignatureOrTooShortInputIsRefused) {
    std::vector<uint8_t> png = EncodePng(RedPixel());
    std::vector<uint8_t> wrong = png;
    wrong[1] = 'Q';
    EXPECT_EQ(Decode(wrong), nullptr);
    EXPECT_EQ(PX_ReadPngFromMemory(png.data(), 7), nullptr);
    EXPECT_EQ(PX_ReadPngFromMemory(png.data(), -5), nullptr);
    EXPECT_EQ(PX_ReadPngFromMemory(nullptr, 100), nullptr);
}

TEST(ReadPng, EveryTruncatedStreamIsRefused) {
    std::mt19937 rng(11);
    const std::vector<uint8_t> png = EncodePng(RandomRgba(rng, false));
    ASSERT_NE(Decode(png), nullptr);
    // Cut anywhere before the image data ends: the read past the end fails.
    const size_t iend = png.size() - 12;
    for (size_t cut = 8; cut < iend; ++cut) {
        EXPECT_EQ(PX_ReadPngFromMemory(png.data(), int(cut)), nullptr) << "cut at " << cut;
    }
}

TEST(ReadPng, DamagedImageDataFailsItsChecksum) {
    std::mt19937 rng(12);
    std::vector<uint8_t> png = EncodePng(RandomRgba(rng, false));
    const size_t idat = 8 + 25; // the image data chunk follows the header chunk
    ASSERT_EQ(std::string(png.begin() + long(idat) + 4, png.begin() + long(idat) + 8), "IDAT");
    png[idat + 8 + 10] ^= 0x40;
    EXPECT_EQ(Decode(png), nullptr);
    std::vector<uint8_t> badHeader = EncodePng(RedPixel());
    badHeader[8 + 8 + 24] ^= 1; // a byte of the header's own CRC
    EXPECT_EQ(Decode(badHeader), nullptr);
}

TEST(ReadPng, AbsurdDeclaredSizesAreRefusedWithoutAllocating) {
    EXPECT_EQ(Decode(HeaderOnly(100000, 100000)), nullptr);
    EXPECT_EQ(Decode(HeaderOnly(65537, 1)), nullptr);
    EXPECT_EQ(Decode(HeaderOnly(1, 65537)), nullptr);
    EXPECT_EQ(Decode(HeaderOnly(20000, 20000)), nullptr); // each side fits, the area does not
    EXPECT_EQ(Decode(HeaderOnly(0x7FFFFFFF, 0x7FFFFFFF)), nullptr);
}

TEST(ReadPng, ImageAtTheSizeLimitStillDecodes) {
    // The tallest allowed strip, one pixel wide; the 2x Time knob strip is 34800 pixels tall.
    PngImage image;
    image.width = 1;
    image.height = 65536;
    image.colourType = 0;
    image.rows.assign(65536, 0x33);
    Bitmap bitmap = Decode(EncodePng(image));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Height(), 65536);
    EXPECT_EQ(PixelAt(*bitmap, 0, 65535), 0xFF333333u);
}

TEST(ReadPng, ChunkDeclaringGigabytesBeyondAShortStreamIsRefused) {
    // An ancillary chunk whose length runs two gigabytes past the end of a 1 KB stream.
    std::vector<uint8_t> png = EncodePng(RedPixel());
    png.resize(8 + 25);
    const uint8_t chunk[] = {0x7F, 0xFF, 0xFF, 0xF0, 'o', 'o', 'o', 'o'};
    png.insert(png.end(), chunk, chunk + sizeof(chunk));
    png.resize(1000, 'o');
    EXPECT_EQ(Decode(png), nullptr);
}

TEST(ReadPng, TextChunkDeclaringGigabytesBeyondTheStreamIsRefused) {
    const std::vector<uint8_t> png = TextChunkBeyondEnd();
    ASSERT_EQ(png.size(), 353u);
    EXPECT_EQ(Decode(png), nullptr);
}

TEST(ReadPng, ChunksTheEditorDoesNotUseAreSkippedAndTheImageStillDecodes) {
    // Text, a colour profile claim and an unknown ancillary chunk between the header and the data,
    // the text chunk larger than any chunk the decoder would allocate.
    const std::vector<uint8_t> plain = EncodePng(RedPixel());
    const size_t afterHeader = 8 + 25;
    std::vector<uint8_t> png(plain.begin(), plain.begin() + long(afterHeader));
    std::vector<uint8_t> text = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0};
    text.resize(200000, 'x');
    AppendChunk(png, "tEXt", text);
    AppendChunk(png, "iTXt", {'T', 'i', 't', 'l', 'e', 0, 0, 0, 0, 0, 'r', 'e', 'd'});
    AppendChunk(png, "gAMA", {0, 0, 0xB1, 0x8F});
    AppendChunk(png, "swEl", {1, 2, 3});
    png.insert(png.end(), plain.begin() + long(afterHeader), plain.end());
    Bitmap bitmap = Decode(png);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0xFFFF0000u);
}

TEST(ReadPng, StreamCutInsideTheLastChecksumIsRefused) {
    std::mt19937 rng(13);
    const std::vector<uint8_t> png = EncodePng(RandomRgba(rng, false));
    // The image data chunk's CRC ends 12 bytes before the end (the end chunk follows it).
    for (size_t missing = 1; missing <= 4; ++missing) {
        EXPECT_EQ(PX_ReadPngFromMemory(png.data(), int(png.size() - 12 - missing)), nullptr);
    }
    EXPECT_NE(Decode(std::vector<uint8_t>(png.begin(), png.end() - 12)), nullptr);
}

// The size without a decode: known exactly when the stream is sound up to its image data, so a
// stream damaged only there has a size and no pixels.
TEST(ReadPng, SizeComesFromTheHeaderWhereverADecodeGetsToTheImageData) {
    std::mt19937 rng(13);
    const std::vector<uint8_t> good = EncodePng(RandomRgba(rng, true));
    std::vector<uint8_t> damagedData = good;
    damagedData[8 + 25 + 8 + 10] ^= 0x40;
    std::vector<uint8_t> damagedHeader = good;
    damagedHeader[8 + 8 + 24] ^= 1;
    const struct {
        const char* name;
        std::vector<uint8_t> png;
        bool sized;
    } cases[] = {
        {"sound", good, true},
        {"damaged image data", damagedData, true},
        {"image data cut short", {good.begin(), good.end() - 20}, true},
        {"damaged header", damagedHeader, false},
        {"nothing after the header", HeaderOnly(19, 7), false},
        {"absurd size", HeaderOnly(20000, 20000), false},
        {"cut inside the header", {good.begin(), good.begin() + 20}, false},
    };
    for (const auto& c : cases) {
        int width = -1;
        int height = -1;
        EXPECT_EQ(PX_ReadPngSize(c.png.data(), int(c.png.size()), width, height), c.sized)
            << c.name;
        EXPECT_EQ(width, c.sized ? 19 : -1) << c.name;
        EXPECT_EQ(height, c.sized ? 7 : -1) << c.name;
    }
}
