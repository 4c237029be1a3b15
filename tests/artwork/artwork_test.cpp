// Checks the committed editor images against the layout that uses them: sizes and frame counts,
// knob frames that turn from value 0 to value 1 with their pointer on the scale's angle, clean
// transparency where other images or the panel must show through.
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <png.h>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kKnobFrames = 120;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // straight colour, 4 bytes per pixel

    const std::uint8_t* At(int x, int y) const {
        return rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    }
    int Alpha(int x, int y) const { return At(x, y)[3]; }
};

Image Load(const std::string& name) {
    const std::string path = std::string(CRESCENDA_IMG_DIR) + "/" + name;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    Image image;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        ADD_FAILURE() << "cannot read " << path << ": " << png.message;
        return image;
    }
    png.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
        ADD_FAILURE() << "cannot decode " << path << ": " << png.message;
        png_image_free(&png);
        return image;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgba = std::move(pixels);
    return image;
}

struct Knob {
    const char* strip;
    const char* scale;
    int size;
    int scaleSize;
};

const Knob kKnobs[] = {
    {"sens_knob22.png", "sens_scale.png", 101, 177},
    {"time_knob.png", "time_scale.png", 145, 245},
    {"depth_knob.png", "depth_scale.png", 77, 159},
    {"vol_knob22.png", "vol_scale2.png", 59, 131},
};

// Pointer angle of a normalised value, clockwise from straight up: 270 degrees with the gap at
// the bottom.
double PointerAngle(double value) {
    return (-135.0 + 270.0 * value) * kPi / 180.0;
}

// Value shown by a 0-based frame: the editor shows frame trunc(119 v) (0-based).
double FrameValue(int frame) {
    return static_cast<double>(frame) / (kKnobFrames - 1);
}

// Sum of absolute channel differences between two frames of a strip.
long FrameDifference(const Image& strip, int a, int b) {
    const int size = strip.width;
    long total = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            for (int c = 0; c < 4; ++c)
                total += std::abs(strip.At(x, a * size + y)[c] - strip.At(x, b * size + y)[c]);
    return total;
}

bool IsAccent(const std::uint8_t* p) {
    return p[3] > 200 && p[0] > 150 && p[0] - p[2] > 90;
}

// Direction of the frame's warm-coloured pointer, from the centroid of its pixels.
bool PointerDirection(const Image& strip, int frame, double* angle) {
    const int size = strip.width;
    const double c = size / 2.0;
    double sx = 0.0, sy = 0.0;
    int count = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (IsAccent(strip.At(x, frame * size + y))) {
                sx += x + 0.5 - c;
                sy += y + 0.5 - c;
                ++count;
            }
    if (count < 10)
        return false;
    *angle = std::atan2(sx, -sy);
    return true;
}

double AngleBetween(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 2.0 * kPi);
    return d > kPi ? 2.0 * kPi - d : d;
}

// Whether any pixel of a thin radial line segment of a square image is visible.
bool InkAlong(const Image& image, double angle, double r0, double r1) {
    const double c = image.width / 2.0;
    for (double r = r0; r <= r1; r += 0.5) {
        const int x = static_cast<int>(std::floor(c + r * std::sin(angle)));
        const int y = static_cast<int>(std::floor(c - r * std::cos(angle)));
        if (image.Alpha(x, y) > 96)
            return true;
    }
    return false;
}

TEST(EditorImages, EveryImageHasTheSizeTheEditorLaysOut) {
    struct Expected {
        const char* name;
        int width;
        int height;
    };
    const Expected expected[] = {
        {"back2.png", 555, 306},         {"switch.png", 22, 44},
        {"sens_knob22.png", 101, 12120}, {"time_knob.png", 145, 17400},
        {"depth_knob.png", 77, 9240},    {"vol_knob22.png", 59, 7080},
        {"sens_scale.png", 177, 177},    {"time_scale.png", 245, 245},
        {"depth_scale.png", 159, 159},   {"vol_scale2.png", 131, 131},
    };
    for (const Expected& e : expected) {
        const Image image = Load(e.name);
        EXPECT_EQ(image.width, e.width) << e.name;
        EXPECT_EQ(image.height, e.height) << e.name;
    }
}

TEST(EditorImages, BackgroundIsOpaqueEverywhere) {
    // The background is painted with Replace: any transparency would show whatever was there.
    const Image back = Load("back2.png");
    ASSERT_EQ(back.width, 555);
    for (int y = 0; y < back.height; ++y)
        for (int x = 0; x < back.width; ++x)
            ASSERT_EQ(back.Alpha(x, y), 255) << "at " << x << "," << y;
}

TEST(KnobStrips, EveryStripIsOneHundredTwentyStackedSquareFrames) {
    for (const Knob& knob : kKnobs) {
        const Image strip = Load(knob.strip);
        EXPECT_EQ(strip.width, knob.size) << knob.strip;
        EXPECT_EQ(strip.height, knob.size * kKnobFrames) << knob.strip;
    }
}

TEST(KnobStrips, NeighbouringFramesDifferAndTheEndsDifferMost) {
    for (const Knob& knob : kKnobs) {
        const Image strip = Load(knob.strip);
        ASSERT_EQ(strip.height, knob.size * kKnobFrames) << knob.strip;
        long largestStep = 0;
        for (int f = 0; f + 1 < kKnobFrames; ++f) {
            const long step = FrameDifference(strip, f, f + 1);
            EXPECT_GT(step, 0) << knob.strip << " frames " << f + 1 << " and " << f + 2;
            largestStep = std::max(largestStep, step);
        }
        EXPECT_GT(FrameDifference(strip, 0, kKnobFrames - 1), largestStep) << knob.strip;
    }
}

TEST(KnobStrips, EverythingOutsideTheKnobCircleIsTransparent) {
    for (const Knob& knob : kKnobs) {
        const Image strip = Load(knob.strip);
        ASSERT_EQ(strip.height, knob.size * kKnobFrames) << knob.strip;
        const double c = knob.size / 2.0;
        for (int f = 0; f < kKnobFrames; ++f)
            for (int y = 0; y < knob.size; ++y)
                for (int x = 0; x < knob.size; ++x) {
                    // Pixels whose nearest corner to the centre lies outside the circle.
                    const double dx = std::fabs(x + 0.5 - c) - 0.5;
                    const double dy = std::fabs(y + 0.5 - c) - 0.5;
                    if (dx * dx + dy * dy <= c * c)
                        continue;
                    ASSERT_EQ(strip.Alpha(x, f * knob.size + y), 0)
                        << knob.strip << " frame " << f + 1 << " at " << x << "," << y;
                }
    }
}

TEST(KnobStrips, PointerTurnsThroughTheScaleAngleOfEachFrameValue) {
    for (const Knob& knob : kKnobs) {
        const Image strip = Load(knob.strip);
        ASSERT_EQ(strip.height, knob.size * kKnobFrames) << knob.strip;
        for (int f = 0; f < kKnobFrames; ++f) {
            double angle = 0.0;
            ASSERT_TRUE(PointerDirection(strip, f, &angle)) << knob.strip << " frame " << f + 1;
            EXPECT_LT(AngleBetween(angle, PointerAngle(FrameValue(f))), 3.0 * kPi / 180.0)
                << knob.strip << " frame " << f + 1;
        }
    }
}

TEST(DialScales, PrintOnlyOutsideTheKnobSoNothingHidesUnderIt) {
    for (const Knob& knob : kKnobs) {
        const Image scale = Load(knob.scale);
        ASSERT_EQ(scale.width, knob.scaleSize) << knob.scale;
        const double c = knob.scaleSize / 2.0;
        const double knobRadius = knob.size / 2.0;
        for (int y = 0; y < scale.height; ++y)
            for (int x = 0; x < scale.width; ++x) {
                const double dx = std::fabs(x + 0.5 - c) + 0.5;
                const double dy = std::fabs(y + 0.5 - c) + 0.5;
                if (dx * dx + dy * dy < knobRadius * knobRadius) {
                    ASSERT_EQ(scale.Alpha(x, y), 0) << knob.scale << " at " << x << "," << y;
                }
            }
    }
}

TEST(DialScales, MarkBothEndsOfTheSweepAndLeaveTheBottomGapClear) {
    for (const Knob& knob : kKnobs) {
        const Image scale = Load(knob.scale);
        ASSERT_EQ(scale.width, knob.scaleSize) << knob.scale;
        const double r0 = knob.size / 2.0 + 1.0;
        const double r1 = knob.size / 2.0 + 12.0;
        EXPECT_TRUE(InkAlong(scale, PointerAngle(0.0), r0, r1)) << knob.scale;
        EXPECT_TRUE(InkAlong(scale, PointerAngle(1.0), r0, r1)) << knob.scale;
        // The knob's name is printed on the panel straight below the knob, inside the gap.
        EXPECT_FALSE(InkAlong(scale, kPi, r0, knob.scaleSize / 2.0 - 1.0)) << knob.scale;
    }
}

double MeanBrightness(const Image& image, int top, int height) {
    double total = 0.0;
    for (int y = top; y < top + height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.At(x, y);
            total += (p[0] + p[1] + p[2]) * p[3] / 255.0;
        }
    return total / (image.width * height);
}

TEST(SwitchImage, SecondFrameShowsTheLitOnState) {
    const Image sw = Load("switch.png");
    ASSERT_EQ(sw.height, 44);
    EXPECT_GT(MeanBrightness(sw, 22, 22), MeanBrightness(sw, 0, 22) * 1.3);
}

} // namespace
