#include "reference_editor.h"

#include "raster/px_combine.h"
#include "tests/raster/reference_raster.h"
#include "tests/raster/reference_resample.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <png.h>
#include <string>

namespace {

constexpr int KnobFrames = 120;

// A length of the 100 percent layout at percent, halves rounded up.
int Scaled(int length, int percent) {
    return int(std::lround(length * percent / 100.0));
}

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

struct Canvas {
    int width;
    int height;
    std::vector<uint32_t> pixels;
};

// Frame (1-based) of a strip of stacked frames, as one image.
Image FrameOf(const Image& strip, int frames, int frame) {
    const int frameHeight = strip.height / frames;
    const int firstRow =
        static_cast<int>(std::floor(double(strip.height) * (frame - 1) / frames + 0.5));
    Image one;
    one.width = strip.width;
    one.height = frameHeight;
    one.pixels.assign(strip.pixels.begin() + ptrdiff_t(firstRow) * strip.width,
                      strip.pixels.begin() + ptrdiff_t(firstRow + frameHeight) * strip.width);
    return one;
}

// The frame shown at percent: the 100 percent image, the 2x artwork, or the 2x artwork's frame
// resampled to the 100 percent frame's size times 1.5.
Image ShownFrame(const std::string& name, int frames, int frame, int percent) {
    if (percent == 100) {
        return FrameOf(Decoded(name + ".png"), frames, frame);
    }
    Image twice = FrameOf(Decoded(name + "@2x.png"), frames, frame);
    if (percent == 200) {
        return twice;
    }
    const Image& base = Decoded(name + ".png");
    Image resampled;
    resampled.width = Scaled(base.width, percent);
    resampled.height = Scaled(base.height / frames, percent);
    resampled.pixels = ReferenceResample(twice.pixels, twice.width, twice.height, resampled.width,
                                         resampled.height);
    return resampled;
}

// An image blended over the canvas with its top-left corner at (left, top); whatever falls
// outside the canvas is dropped.
void Blend(Canvas& canvas, const Image& image, int left, int top, int mode) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int cx = left + x;
            const int cy = top + y;
            if (cx < 0 || cy < 0 || cx >= canvas.width || cy >= canvas.height) {
                continue;
            }
            uint32_t& d = canvas.pixels[size_t(cy) * canvas.width + size_t(cx)];
            d = ReferenceBlitPixel(d, image.pixels[size_t(y) * image.width + size_t(x)], 1.0f,
                                   mode);
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
    {"sens_knob22", "sens_scale", 323, 120},
    {"time_knob", "time_scale", 133, 167},
    {"depth_knob", "depth_scale", 478, 84},
    {"vol_knob22", "vol_scale2", 482, 228},
};

} // namespace

int KnobFrame(double normalised) {
    return static_cast<int>(std::trunc((KnobFrames - 1) * normalised)) + 1;
}

int ReferenceWidth(int percent) {
    return Scaled(555, percent);
}

int ReferenceHeight(int percent) {
    return Scaled(306, percent);
}

// Each image's top-left corner is placed as at 100 percent (centred on its knob's centre,
// halves truncated), then scaled.
std::vector<uint32_t> ReferenceEditor(const EditorFrames& frames, int percent) {
    Canvas canvas{ReferenceWidth(percent), ReferenceHeight(percent), {}};
    canvas.pixels.assign(size_t(canvas.width) * canvas.height, 0);
    const int sourceAlpha = PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA;
    const auto place = [&](const std::string& name, int frameCount, int frame, int left, int top,
                           int mode) {
        Blend(canvas, ShownFrame(name, frameCount, frame, percent), Scaled(left, percent),
              Scaled(top, percent), mode);
    };
    place("back2", 1, 1, 0, 0, PX_COMBINE_COPY);
    const int knobFrames[4] = {frames.sensitivity, frames.time, frames.depth, frames.vol};
    for (int i = 0; i < 4; ++i) {
        const Image& scale = Decoded(std::string(Knobs[i].scale) + ".png");
        const int side = Decoded(std::string(Knobs[i].strip) + ".png").width; // square frames
        place(Knobs[i].scale, 1, 1, Knobs[i].centreX - scale.width / 2,
              Knobs[i].centreY - scale.height / 2, sourceAlpha);
        place(Knobs[i].strip, KnobFrames, knobFrames[i], Knobs[i].centreX - side / 2,
              Knobs[i].centreY - side / 2, sourceAlpha);
    }
    place("switch", 2, frames.onOff, 26, 24, sourceAlpha);
    return canvas.pixels;
}
