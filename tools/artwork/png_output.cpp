// Writing images: full-colour PNGs through cairo, and palette PNGs through libpng for the knob
// strips, whose thousands of nearly equal frames would otherwise make the files many times larger.
#include "artwork.h"
#include "colour_quantizer.h"

#include <cstdio>
#include <png.h>

namespace artwork {

namespace {

// Straight (not premultiplied) channel value.
png_byte Unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
    return alpha == 0 ? 0 : png_byte((channel * 255 + alpha / 2) / alpha);
}

struct PngFile {
    FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngFile() {
        png_destroy_write_struct(&png, &info);
        if (file)
            std::fclose(file);
    }
};

bool WriteIndexed(const std::string& path, int width, int height, const Palette& palette) {
    PngFile out;
    out.file = std::fopen(path.c_str(), "wb");
    if (!out.file)
        return false;
    out.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!out.png)
        return false;
    out.info = png_create_info_struct(out.png);
    if (!out.info)
        return false;
    if (setjmp(png_jmpbuf(out.png)))
        return false;
    png_init_io(out.png, out.file);
    png_set_IHDR(out.png, out.info, width, height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> colours;
    std::vector<png_byte> alphas;
    for (std::uint32_t c : palette.colours) {
        const std::uint32_t a = c >> 24;
        colours.push_back({Unpremultiply((c >> 16) & 255, a), Unpremultiply((c >> 8) & 255, a),
                           Unpremultiply(c & 255, a)});
        alphas.push_back(png_byte(a));
    }
    // Only the entries up to the last translucent one need a transparency value.
    std::size_t alphaCount = alphas.size();
    while (alphaCount > 0 && alphas[alphaCount - 1] == 255)
        --alphaCount;
    png_set_PLTE(out.png, out.info, colours.data(), int(colours.size()));
    if (alphaCount > 0)
        png_set_tRNS(out.png, out.info, alphas.data(), int(alphaCount), nullptr);
    png_set_compression_level(out.png, 9);
    png_set_filter(out.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(out.png, out.info);
    for (int y = 0; y < height; ++y)
        png_write_row(out.png, palette.indices.data() + static_cast<std::size_t>(y) * width);
    png_write_end(out.png, out.info);
    return true;
}

} // namespace

bool WritePng(cairo_surface_t* surface, const std::string& path) {
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool WritePalettePng(const PixelImage& image, const std::string& path) {
    const Palette palette = QuantizeColours(image.pixels, 256);
    return WriteIndexed(path, image.width, image.height, palette);
}

} // namespace artwork
