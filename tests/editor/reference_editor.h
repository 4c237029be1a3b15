// The editor's expected picture, composed independently of the editor code: the filmstrip PNGs
// decoded from resources/img/ with libpng's own reader and combined with the plain reference of
// the blit formulas, at the places the editor's layout lists. At 200 percent the NAME@2x.png
// artwork at those places doubled; at 150 percent the frames shown, resampled from the 2x artwork
// by the plain resampling formula, at the places times 1.5 rounded to the nearest pixel.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

struct EditorFrames {
    int sensitivity;
    int time;
    int depth;
    int vol;
    int onOff; // 1 off, 2 on
};

// At the parameters' defaults: trunc(119 * v) + 1 for 0.7, 0.5, 0.75 and 0.5, the switch on.
constexpr EditorFrames DefaultFrames{84, 60, 90, 60, 2};

// The editor's size at percent: 555 x 306 times percent / 100, rounded to the nearest pixel.
int ReferenceWidth(int percent);
int ReferenceHeight(int percent);

// ReferenceWidth x ReferenceHeight pixels, row by row.
std::vector<uint32_t> ReferenceEditor(const EditorFrames& frames, int percent = 100);

// The knob frame (1-based) of a normalised value: trunc(119 * v) + 1.
int KnobFrame(double normalised);

// Where the readout shows the last control the pointer touched (x, y from left, top to right,
// bottom; the readout tests check it).
constexpr int ReadoutArea[4] = {98, 10, 234, 46};

// How far a channel of the editor's picture may lie from the composed one: at 1.5x the
// editor's filter and the plain formula may differ by a level of rounding, which blending can
// carry to two; the other scales are exact.
constexpr int ChannelTolerance(int percent) {
    return percent == 150 ? 2 : 0;
}

// Whether two 0x00RRGGBB colours lie within tolerance of each other in every channel.
inline bool NearColour(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance) {
            return false;
        }
    }
    return true;
}

// Pixels (0x00RRGGBB, row by row) that differ from the expected picture at percent (made by
// ReferenceEditor) by more than ChannelTolerance, outside the readout.
inline int DifferingPixels(const std::vector<std::uint32_t>& shown,
                           const std::vector<std::uint32_t>& expected, int percent) {
    if (shown.size() != expected.size()) {
        return static_cast<int>(expected.size());
    }
    // The readout's area at the scale, widened to whole pixels.
    const int width = ReferenceWidth(percent);
    const auto scaled = [percent](int v, bool up) {
        return static_cast<int>(up ? std::ceil(v * percent / 100.0)
                                   : std::floor(v * percent / 100.0));
    };
    const int left = scaled(ReadoutArea[0], false), top = scaled(ReadoutArea[1], false);
    const int right = scaled(ReadoutArea[2], true), bottom = scaled(ReadoutArea[3], true);
    int wrong = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        const int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
        const bool readout = x >= left && x < right && y >= top && y < bottom;
        wrong += !readout && !NearColour(shown[i], expected[i], ChannelTolerance(percent)) ? 1 : 0;
    }
    return wrong;
}

// The same against the editor's picture at these frames.
inline int DifferingPixels(const std::vector<std::uint32_t>& shown, const EditorFrames& frames,
                           int percent = 100) {
    return DifferingPixels(shown, ReferenceEditor(frames, percent), percent);
}
