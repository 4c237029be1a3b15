#include "png_writer.h"

#include <csetjmp>
#include <png.h>
#include <zlib.h>

namespace {

void Append(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

bool Write(png_structp png, png_infop info, const PngImage& image, std::vector<uint8_t>& out,
           std::vector<png_bytep>& rows) {
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), image.bitDepth,
                 image.colourType, image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (size_t i = 0; i + 2 < image.palette.size(); i += 3) {
        palette.push_back(png_color{image.palette[i], image.palette[i + 1], image.palette[i + 2]});
    }
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    }
    png_color_16 transparent{};
    if (!image.trns.empty()) {
        if (image.colourType == PNG_COLOR_TYPE_PALETTE) {
            png_set_tRNS(png, info, image.trns.data(), int(image.trns.size()), nullptr);
        } else {
            transparent.gray = image.trns[0];
            transparent.red = image.trns[0];
            transparent.green = image.trns.size() > 1 ? image.trns[1] : 0;
            transparent.blue = image.trns.size() > 2 ? image.trns[2] : 0;
            png_set_tRNS(png, info, nullptr, 0, &transparent);
        }
    }
    png_write_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    if (image.rows.size() < rowBytes * size_t(image.height)) {
        return false;
    }
    for (int y = 0; y < image.height; ++y) {
        rows[size_t(y)] = const_cast<png_bytep>(image.rows.data() + rowBytes * size_t(y));
    }
    png_write_image(png, rows.data());
    png_write_end(png, info);
    return true;
}

} // namespace

std::vector<uint8_t> EncodePng(const PngImage& image) {
    std::vector<uint8_t> out;
    std::vector<png_bytep> rows(size_t(image.height));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    volatile bool written = false;
    if (setjmp(png_jmpbuf(png)) == 0) {
        written = Write(png, info, image, out, rows);
    }
    png_destroy_write_struct(&png, &info);
    return written ? out : std::vector<uint8_t>();
}

void AppendChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    const size_t start = png.size();
    const uint32_t length = uint32_t(data.size());
    png.insert(png.end(), {uint8_t(length >> 24), uint8_t(length >> 16), uint8_t(length >> 8),
                           uint8_t(length)});
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    png.resize(png.size() + 4);
    FixChunkCrc(png, start);
}

std::vector<uint8_t> TextChunkBeyondEnd() {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    AppendChunk(png, "IHDR", {0, 0, 0, 159, 0, 0, 3, 159, 8, 6, 0, 0, 0});
    AppendChunk(png, "bKGD", {0, 0x20, 0, 0x40, 0, 0x60});
    const uint32_t declared = 1946157196;
    png.insert(png.end(), {uint8_t(declared >> 24), uint8_t(declared >> 16), uint8_t(declared >> 8),
                           uint8_t(declared), 'i', 'T', 'X', 't'});
    const char keyword[] = "Comment"; // then the compression flag and method, two empty texts
    png.insert(png.end(), keyword, keyword + sizeof keyword);
    png.insert(png.end(), 4, 0);
    png.resize(353, 'x');
    return png;
}

void FixChunkCrc(std::vector<uint8_t>& png, size_t offset) {
    const uint32_t length = uint32_t(png[offset]) << 24 | uint32_t(png[offset + 1]) << 16 |
                            uint32_t(png[offset + 2]) << 8 | png[offset + 3];
    const uLong crc = crc32(0, png.data() + offset + 4, uInt(length + 4));
    const size_t at = offset + 8 + length;
    png[at] = uint8_t(crc >> 24);
    png[at + 1] = uint8_t(crc >> 16);
    png[at + 2] = uint8_t(crc >> 8);
    png[at + 3] = uint8_t(crc);
}
