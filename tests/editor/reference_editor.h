// The editor's expected picture, composed independently of the editor code: the filmstrip PNGs
// decoded from resources/img/ with libpng's own reader and combined with the plain reference of
// the blit formulas, at the places the editor's layout lists. At 200 percent the NAME@2x.png
// artwork at those places doubled; at 150 percent the frames shown, resampled from the 2x artwork
// by the plain resampling formula, at the places times 1.5 rounded to the nearest pixel.
#pragma once

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
