#include "reference_editor.h"

#include "raster/px_combine.h"
#include "tests/raster/reference_raster.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <png.h>
#include <string>

namespace {

constexpr int Width = 555;
constexpr int Height = 306;
constexpr int KnobFrames = 120;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // straight colour words: alpha, red, green, blue
};

// libpng's simplified reader: BGRA bytes are the little-endian words of the raster library.
const Image& Decoded(const std::string& name) {
    static std::map<std::string, Image> images;
    auto found = images.find(name);
    if (found != images.end()) {
        return found->second;
    }
    Image& image = images[name];
    const std::string path = std::string(CRESCENDA_IMG_DIR) + "/" + name;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        ADD_FAILURE() << "cannot read " << path;
        return image;
    }
    png.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> pixels(png.width * png.height);
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
        ADD_FAILURE() << "cannot decode " << path;
        return image;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.pixels = std::move(pixels);
    return image;
}

// Frame (1-based) of a strip of stacked frames blended over the canvas with its top-left corner
// at (left, top); whatever falls outside the canvas is dropped.
void Blend(std::vector<uint32_t>& canvas, const Image& strip, int frames, int frame, int left,
           int top, int mode) {
    const int frameHeight = strip.height / frames;
    const int firstRow =
        static_cast<int>(std::floor(double(strip.height) * (frame - 1) / frames + 0.5));
    for (int y = 0; y < frameHeight; ++y) {
        for (int x = 0; x < strip.width; ++x) {
            const int cx = left + x;
            const int cy = top + y;
            if (cx < 0 || cy < 0 || cx >= Width || cy >= Height) {
                continue;
            }
            uint32_t& d = canvas[size_t(cy) * Width + size_t(cx)];
            d = ReferenceBlitPixel(d, strip.pixels[size_t(firstRow + y) * strip.width + size_t(x)],
                                   1.0f, mode);
        }
    }
}

struct Knob {
    const char* strip;
    const char* scale;
    int centreX;
    int centreY;
};

// Centres and images of the layout; each frame and scale is centred on its knob's centre.
const Knob Knobs[4] = {
    {"sens_knob22.png", "sens_scale.png", 323, 120},
    {"time_knob.png", "time_scale.png", 133, 167},
    {"depth_knob.png", "depth_scale.png", 478, 84},
    {"vol_knob22.png", "vol_scale2.png", 482, 228},
};

} // namespace

int KnobFrame(double normalised) {
    return static_cast<int>(std::trunc((KnobFrames - 1) * normalised)) + 1;
}

std::vector<uint32_t> ReferenceEditor(const EditorFrames& frames) {
    std::vector<uint32_t> canvas(size_t(Width) * Height, 0);
    const int sourceAlpha = PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA;
    Blend(canvas, Decoded("back2.png"), 1, 1, 0, 0, PX_COMBINE_COPY);
    const int knobFrames[4] = {frames.sensitivity, frames.time, frames.depth, frames.vol};
    for (int i = 0; i < 4; ++i) {
        const Image& scale = Decoded(Knobs[i].scale);
        const Image& strip = Decoded(Knobs[i].strip);
        const int side = strip.width; // square frames
        Blend(canvas, scale, 1, 1, Knobs[i].centreX - scale.width / 2,
              Knobs[i].centreY - scale.height / 2, sourceAlpha);
        Blend(canvas, strip, KnobFrames, knobFrames[i], Knobs[i].centreX - side / 2,
              Knobs[i].centreY - side / 2, sourceAlpha);
    }
    Blend(canvas, Decoded("switch.png"), 2, frames.onOff, 26, 24, sourceAlpha);
    return canvas;
}
