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

// Pixels (0x00RRGGBB, row by row) that differ from the editor's picture at these frames,
// outside the readout.
inline int DifferingPixels(const std::vector<std::uint32_t>& shown, const EditorFrames& frames,
                           int percent = 100) {
    const std::vector<uint32_t> expected = ReferenceEditor(frames, percent);
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
        wrong += !readout && (shown[i] & 0xFFFFFF) != (expected[i] & 0xFFFFFF) ? 1 : 0;
    }
    return wrong;
}
