#include "tools/common/png_file_writer.h"

#include <csetjmp>
#include <cstdio>
#include <png.h>
#include <vector>

namespace {

// The bitmap's rows as R, G, B, A bytes, top row first.
std::vector<png_byte> RgbaRows(PX_Bitmap& bitmap) {
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    std::vector<png_byte> bytes(size_t(width) * size_t(height) * 4);
    for (int y = 0; y < height; ++y) {
        const int row = bitmap.IsBottomUp() ? height - 1 - y : y;
        const PX_Pixel32* pixels = bitmap.PixelData() + size_t(row) * size_t(bitmap.RowStride());
        for (int x = 0; x < width; ++x) {
            png_byte* out = &bytes[(size_t(y) * size_t(width) + size_t(x)) * 4];
            out[0] = png_byte(pixels[x] >> 16);
            out[1] = png_byte(pixels[x] >> 8);
            out[2] = png_byte(pixels[x]);
            out[3] = png_byte(pixels[x] >> 24);
        }
    }
    return bytes;
}

bool Write(png_structp png, png_infop info, FILE* file, int width, int height,
           std::vector<png_bytep>& rows) {
    png_init_io(png, file);
    // Fixed settings, so every build writes the same bytes for the same pixels.
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    return true;
}

} // namespace

bool WritePngFile(PX_Bitmap& bitmap, const std::string& path) {
    if (bitmap.PixelData() == nullptr || bitmap.Width() < 1 || bitmap.Height() < 1) {
        return false;
    }
    std::vector<png_byte> bytes = RgbaRows(bitmap);
    std::vector<png_bytep> rows(size_t(bitmap.Height()));
    for (size_t y = 0; y < rows.size(); ++y) {
        rows[y] = &bytes[y * size_t(bitmap.Width()) * 4];
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    volatile bool written = false;
    if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        written = Write(png, info, file, bitmap.Width(), bitmap.Height(), rows);
    }
    png_destroy_write_struct(&png, &info);
    const bool closed = std::fclose(file) == 0;
    if (!(written && closed)) {
        std::remove(path.c_str()); // no half-written picture is left behind
        return false;
    }
    return true;
}

int WritePictureAndReport(const char* tool, PX_Bitmap& picture, const std::string& path) {
    if (!WritePngFile(picture, path)) {
        std::fprintf(stderr, "%s: cannot write %s\n", tool, path.c_str());
        return 1;
    }
    std::printf("%s: wrote %s (%d x %d)\n", tool, path.c_str(), picture.Width(), picture.Height());
    return 0;
}
