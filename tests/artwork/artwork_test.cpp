// Checks the committed editor images against the layout that uses them: sizes and frame counts,
// knob frames that turn from value 0 to value 1 with their pointer on the scale's angle, clean
// transparency where other images or the panel must show through. Every image exists at the
// editor's size and at twice that size ("name@2x.png"), and both must pass.
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

constexpr int kScales[] = {1, 2};

// "knob.png" at scale 2 is "knob@2x.png".
std::string AtScale(const char* name, int scale) {
    std::string scaled = name;
    if (scale != 1)
        scaled.insert(scaled.rfind('.'), "@" + std::to_string(scale) + "x");
    return scaled;
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

// The knobs' sizes in pixels at a scale.
std::vector<Knob> ScaledKnobs(int scale) {
    std::vector<Knob> knobs;
    for (const Knob& knob : kKnobs)
        knobs.push_back({knob.strip, knob.scale, knob.size * scale, knob.scaleSize * scale});
    return knobs;
}

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
    for (int scale : kScales)
        for (const Expected& e : expected) {
            const Image image = Load(AtScale(e.name, scale));
            EXPECT_EQ(image.width, e.width * scale) << AtScale(e.name, scale);
            EXPECT_EQ(image.height, e.height * scale) << AtScale(e.name, scale);
        }
}

// Mean over all pixels and channels of |2x image averaged over 2 x 2 blocks - 1x image|, in
// premultiplied 0..255 levels.
double MeanDifferenceFromHalfSize(const Image& large, const Image& small) {
    double total = 0.0;
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x) {
            const std::uint8_t* s = small.At(x, y);
            for (int c = 0; c < 4; ++c) {
                double sum = 0.0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx) {
                        const std::uint8_t* p = large.At(2 * x + dx, 2 * y + dy);
                        sum += c == 3 ? p[3] : p[c] * p[3] / 255.0;
                    }
                total += std::fabs(sum / 4.0 - (c == 3 ? s[3] : s[c] * s[3] / 255.0));
            }
        }
    return total / (4.0 * small.width * small.height);
}

TEST(EditorImages, TwiceSizeImagesShowTheSameShapesAsTheEditorSizeOnes) {
    // Drawn from one geometry, the 2x image shrunk to half size is the 1x image up to
    // antialiasing and palette rounding: under one level. The same 1x image moved by one pixel
    // already differs by 1.6 to 2.2 levels.
    const char* names[] = {"back2.png",       "switch.png",     "sens_knob22.png", "time_knob.png",
                           "depth_knob.png",  "vol_knob22.png", "sens_scale.png",  "time_scale.png",
                           "depth_scale.png", "vol_scale2.png"};
    for (const char* name : names) {
        const Image small = Load(name);
        const Image large = Load(AtScale(name, 2));
        ASSERT_EQ(large.width, small.width * 2) << name;
        ASSERT_EQ(large.height, small.height * 2) << name;
        EXPECT_LT(MeanDifferenceFromHalfSize(large, small), 1.2) << name;
    }
}

TEST(EditorImages, BackgroundIsOpaqueEverywhere) {
    // The background is painted with Replace: any transparency would show whatever was there.
    for (int scale : kScales) {
        const Image back = Load(AtScale("back2.png", scale));
        ASSERT_EQ(back.width, 555 * scale);
        for (int y = 0; y < back.height; ++y)
            for (int x = 0; x < back.width; ++x)
                ASSERT_EQ(back.Alpha(x, y), 255) << "at " << x << "," << y << " scale " << scale;
    }
}

// Each knob strip at each scale, checked to be 120 stacked square frames before check looks at it.
template <typename Check>
void ForEachStrip(Check check) {
    for (int scale : kScales)
        for (const Knob& knob : ScaledKnobs(scale)) {
            SCOPED_TRACE(knob.strip);
            const Image strip = Load(AtScale(knob.strip, scale));
            ASSERT_EQ(strip.width, knob.size);
            ASSERT_EQ(strip.height, knob.size * kKnobFrames);
            check(knob, strip);
        }
}

TEST(KnobStrips, EveryStripIsOneHundredTwentyStackedSquareFrames) {
    ForEachStrip([](const Knob&, const Image&) {});
}

TEST(KnobStrips, NeighbouringFramesDifferAndTheEndsDifferMost) {
    ForEachStrip([](const Knob& knob, const Image& strip) {
        long largestStep = 0;
        for (int f = 0; f + 1 < kKnobFrames; ++f) {
            const long step = FrameDifference(strip, f, f + 1);
            EXPECT_GT(step, 0) << knob.strip << " frames " << f + 1 << " and " << f + 2;
            largestStep = std::max(largestStep, step);
        }
        EXPECT_GT(FrameDifference(strip, 0, kKnobFrames - 1), largestStep) << knob.strip;
    });
}

TEST(KnobStrips, EverythingOutsideTheKnobCircleIsTransparent) {
    ForEachStrip([](const Knob& knob, const Image& strip) {
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
    });
}

TEST(KnobStrips, PointerTurnsThroughTheScaleAngleOfEachFrameValue) {
    ForEachStrip([](const Knob& knob, const Image& strip) {
        for (int f = 0; f < kKnobFrames; ++f) {
            double angle = 0.0;
            ASSERT_TRUE(PointerDirection(strip, f, &angle)) << knob.strip << " frame " << f + 1;
            EXPECT_LT(AngleBetween(angle, PointerAngle(FrameValue(f))), 3.0 * kPi / 180.0)
                << knob.strip << " frame " << f + 1;
        }
    });
}

TEST(DialScales, PrintOnlyOutsideTheKnobSoNothingHidesUnderIt) {
    for (int s : kScales)
        for (const Knob& knob : ScaledKnobs(s)) {
            const Image scale = Load(AtScale(knob.scale, s));
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
    for (int s : kScales)
        for (const Knob& knob : ScaledKnobs(s)) {
            const Image scale = Load(AtScale(knob.scale, s));
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
    for (int scale : kScales) {
        const Image sw = Load(AtScale("switch.png", scale));
        const int frame = 22 * scale;
        ASSERT_EQ(sw.height, 2 * frame);
        EXPECT_GT(MeanBrightness(sw, frame, frame), MeanBrightness(sw, 0, frame) * 1.3) << scale;
    }
}

} // namespace
