// Angles shared by knob pointers and scale ticks, so a pointer always lands on its tick.
#include "artwork.h"

#include <cmath>

namespace artwork {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kSweepStart = -135.0; // degrees clockwise from straight up
constexpr double kSweep = 270.0;
} // namespace

double PointerAngle(double value) {
    return (kSweepStart + kSweep * value) * kPi / 180.0;
}

// The editor shows frame trunc(119 * v) + 1 (1-based), so frame k holds the value k / 119.
double FrameValue(int frame) {
    return static_cast<double>(frame) / (kKnobFrames - 1);
}

void PolarPoint(double cx, double cy, double r, double angle, double* x, double* y) {
    *x = cx + r * std::sin(angle);
    *y = cy - r * std::cos(angle);
}

} // namespace artwork
