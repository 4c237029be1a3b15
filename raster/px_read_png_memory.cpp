#include "platform/large_pages.h"
#include "raster/px_read_png.h"
#include "raster/px_size_limits.h"

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <png.h>

namespace {

constexpr unsigned char Signature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// Largest chunk libpng may allocate for or inflate into: far above a palette or a transparency
// table, far below what a forged length field asks for.
constexpr png_alloc_size_t MaxChunkBytes = 64 * 1024;

struct ReadCursor {
    const unsigned char* position;
    size_t left;
};

// A request for more bytes than are left fails at once: a chunk length field is a claim, and
// only the bytes actually present may be read, filled or checksummed.
void ReadFromCursor(png_structp png, png_bytep out, size_t count) {
    ReadCursor* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (count > cursor->left) {
        png_error(png, "Read past the end of the image data");
    }
    std::memcpy(out, cursor->position, count);
    cursor->position += count;
    cursor->left -= count;
}

// The plug-in writes nothing to the host's console: an error unwinds to the decoder's setjmp,
// a warning is dropped.
void StopDecoding(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Bounds what a stream can make libpng hold. The editor uses no ancillary chunk but tRNS, so
// every other one (text, profiles, and chunks libpng does not know) is skipped unread in small
// pieces; a skipped chunk is never allocated, however long it claims to be. The byte and count
// caps bound any chunk that still reaches a handler.
void LimitResources(png_structp png) {
    png_set_user_limits(png, PX_MAX_IMAGE_SIDE, PX_MAX_IMAGE_SIDE);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_chunk_malloc_max(png, MaxChunkBytes);
    png_set_chunk_cache_max(png, 1);
}

// What a decode has allocated so far; volatile because an error unwinds by long jump.
struct DecodeState {
    PX_MemBitmap* volatile bitmap = nullptr;
    png_bytep* volatile rows = nullptr;
};

// Every transform that turns the stream into 8-bit A, R, G, B bytes, in this order.
void RequestTransforms(png_structp png, png_infop info, int bitDepth, int colourType) {
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
        png_set_tRNS_to_alpha(png);
        colourType |= PNG_COLOR_MASK_ALPHA;
    }
    if (bitDepth == 16) {
        png_set_strip_16(png);
    }
    if (bitDepth < 8 && png_get_bit_depth(png, info) < 8) {
        png_set_packing(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0) {
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    } else {
        png_set_swap_alpha(png);
    }
}

struct Header {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
};

// Everything before the image data, read and checked by libpng; false for a size this library
// refuses. The header alone decides an image's size, so its size is known without a decode.
bool ReadHeader(png_structp png, png_infop info, Header& header) {
    LimitResources(png);
    png_read_info(png, info);
    png_get_IHDR(png, info, &header.width, &header.height, &header.bitDepth, &header.colourType,
                 nullptr, nullptr, nullptr);
    return header.width >= 1 && header.height >= 1 && header.width <= PX_MAX_IMAGE_SIDE &&
           header.height <= PX_MAX_IMAGE_SIDE &&
           int64_t{header.width} * header.height <= PX_MAX_IMAGE_PIXELS;
}

// The libpng calls that may raise an error; false for a size this library refuses or cannot
// allocate.
bool Decode(png_structp png, png_infop info, DecodeState& state) {
    Header header;
    if (!ReadHeader(png, info, header)) {
        return false;
    }
    const png_uint_32 width = header.width;
    const png_uint_32 height = header.height;
    RequestTransforms(png, info, header.bitDepth, header.colourType);

    PX_MemBitmap* bitmap = new PX_MemBitmap(static_cast<int>(width), static_cast<int>(height));
    state.bitmap = bitmap;
    if (bitmap->Width() != static_cast<int>(width) ||
        bitmap->Height() != static_cast<int>(height)) {
        return false;
    }
    // Every pixel is written once, into memory no one has touched: a knob strip of ten megabytes
    // would otherwise fault in page by page, which costs more than inflating it.
    AdviseLargePages(bitmap->PixelData(),
                     sizeof(PX_Pixel32) * static_cast<size_t>(bitmap->RowStride()) * height);
    png_bytep* rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    state.rows = rows;
    if (rows == nullptr) {
        return false;
    }
    PX_Pixel32* const pixels = bitmap->PixelData();
    const size_t stride = static_cast<size_t>(bitmap->RowStride());
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = reinterpret_cast<png_bytep>(pixels + y * stride);
    }
    png_read_image(png, rows);
    return true;
}

// The decoded bytes A, R, G, B become the word A << 24 | R << 16 | G << 8 | B.
void ArgbBytesToPixels(PX_MemBitmap& bitmap) {
    const int width = bitmap.Width();
    const size_t stride = static_cast<size_t>(bitmap.RowStride());
    PX_Pixel32* row = bitmap.PixelData();
    for (int y = 0; y < bitmap.Height(); ++y, row += stride) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* bytes = reinterpret_cast<const unsigned char*>(row + x);
            row[x] = PX_Pixel32{bytes[0]} << 24 | PX_Pixel32{bytes[1]} << 16 |
                     PX_Pixel32{bytes[2]} << 8 | PX_Pixel32{bytes[3]};
        }
    }
}

// Runs step(png, info) on a decoder reading the stream; false when the signature is missing, the
// decoder cannot be made, step answers false or libpng raises an error inside it.
template <typename Step>
bool RunDecoder(const void* data, int size, const Step& step) {
    if (data == nullptr || size < 8 || std::memcmp(data, Signature, sizeof(Signature)) != 0) {
        return false;
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, StopDecoding, IgnoreWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    ReadCursor cursor{static_cast<const unsigned char*>(data), static_cast<size_t>(size)};
    bool done = false;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_read_fn(png, &cursor, ReadFromCursor);
        done = step(png, info);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return done;
}

} // namespace

PX_MemBitmap* PX_ReadPngFromMemory(const void* data, int size) {
    DecodeState state;
    const bool decoded = RunDecoder(
        data, size, [&state](png_structp png, png_infop info) { return Decode(png, info, state); });
    PX_MemBitmap* bitmap = state.bitmap;
    std::free(state.rows);
    if (!decoded) {
        delete bitmap;
        return nullptr;
    }
    ArgbBytesToPixels(*bitmap);
    return bitmap;
}

bool PX_ReadPngSize(const void* data, int size, int& width, int& height) {
    Header header;
    if (!RunDecoder(data, size, [&header](png_structp png, png_infop info) {
            return ReadHeader(png, info, header);
        })) {
        return false;
    }
    width = static_cast<int>(header.width);
    height = static_cast<int>(header.height);
    return true;
}
