#include "raster/hsv_shift.h"

#include "raster/channel_math.h"

#include <array>

namespace {

// Hue runs 0..383: six sectors of 64 steps each.
constexpr int kHueSteps = 384;
constexpr int kSectorSteps = 64;

// Reciprocals for the divisions: x / v is (x * table[v]) >> 16 for x within range.
struct Reciprocals {
    std::array<int, 256> table{};
    constexpr Reciprocals() {
        for (int v = 1; v < 256; ++v) {
            table[v] = 65536 / v - 1;
        }
    }
};
constexpr Reciprocals kReciprocals;

int DivideBy(int x, int v) {
    return (x * kReciprocals.table[v]) >> 16;
}

// Signed x / v through the table, rounding the magnitude down.
int SignedDivideBy(int x, int v) {
    return x < 0 ? -DivideBy(-x, v) : DivideBy(x, v);
}

struct Hsv {
    int hue;
    int saturation;
    int value;
};

Hsv ToHsv(int r, int g, int b) {
    const int high = std::max(r, std::max(g, b));
    const int low = std::min(r, std::min(g, b));
    const int delta = high - low;
    Hsv hsv{0, DivideBy(delta * 255, high), high};
    if (delta == 0) {
        return hsv;
    }
    if (high == r) {
        hsv.hue = SignedDivideBy((g - b) * kSectorSteps, delta);
    } else if (high == g) {
        hsv.hue = 2 * kSectorSteps + SignedDivideBy((b - r) * kSectorSteps, delta);
    } else {
        hsv.hue = 4 * kSectorSteps + SignedDivideBy((r - g) * kSectorSteps, delta);
    }
    if (hsv.hue < 0) {
        hsv.hue += kHueSteps;
    }
    return hsv;
}

PX_Pixel32 ToRgb(const Hsv& hsv) {
    const int sector = hsv.hue / kSectorSteps;
    const int f = hsv.hue % kSectorSteps;
    const int v = hsv.value;
    const int s = hsv.saturation;
    const int p = v * (255 - s) / 255;
    const int q = v * (255 * kSectorSteps - s * f) / (255 * kSectorSteps);
    const int t = v * (255 * kSectorSteps - s * (kSectorSteps - f)) / (255 * kSectorSteps);
    int r = v, g = t, b = p;
    switch (sector) {
    case 0:
        r = v, g = t, b = p;
        break;
    case 1:
        r = q, g = v, b = p;
        break;
    case 2:
        r = p, g = v, b = t;
        break;
    case 3:
        r = p, g = q, b = v;
        break;
    case 4:
        r = t, g = p, b = v;
        break;
    default:
        r = v, g = p, b = q;
        break;
    }
    return PX_MakePixel(0, r, g, b);
}

} // namespace

PX_Pixel32 HsvShift(PX_Pixel32 dest, int sourceRed, int sourceGreen, int sourceBlue, int weight) {
    Hsv hsv = ToHsv(channel::Byte(dest, 16), channel::Byte(dest, 8), channel::Byte(dest, 0));
    hsv.hue += weight * (sourceRed + sourceRed / 2 - 192) / 256;
    hsv.hue = ((hsv.hue % kHueSteps) + kHueSteps) % kHueSteps;
    hsv.saturation = channel::Clamp255(hsv.saturation + weight * (sourceGreen - 128) / 128);
    hsv.value = channel::Clamp255(hsv.value + weight * (sourceBlue - 128) / 128);
    return ToRgb(hsv);
}
