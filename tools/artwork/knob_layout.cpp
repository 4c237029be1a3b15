// The four knobs of the editor with the printing of their scales.
#include "artwork.h"

#include <cmath>
#include <cstdio>

namespace artwork {

namespace {

std::string Number(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", x);
    return text;
}

// Ticks every `step` of a linear range lo..hi, labelled every `labelEvery` ticks.
std::vector<DialMark> LinearMarks(double lo, double hi, double step, int labelEvery) {
    std::vector<DialMark> marks;
    const int count = static_cast<int>(std::lround((hi - lo) / step));
    for (int i = 0; i <= count; ++i) {
        const double x = lo + step * i;
        const bool labelled = i % labelEvery == 0;
        marks.push_back({(x - lo) / (hi - lo), labelled ? DialMark::Major : DialMark::Minor,
                         labelled ? Number(x) : std::string()});
    }
    return marks;
}

// Time runs 0.01 s .. 10 s as 10^(3v - 2): a tick at each 1..9 of every decade, labels at the
// decades and at the 3s between them.
std::vector<DialMark> TimeMarks() {
    std::vector<DialMark> marks;
    for (double decade = 0.01; decade < 5.0; decade *= 10.0) {
        for (int m = 1; m <= 9; ++m) {
            const double seconds = decade * m;
            const double value = (std::log10(seconds) + 2.0) / 3.0;
            const bool labelled = m == 1 || m == 3;
            marks.push_back({value, labelled ? DialMark::Major : DialMark::Minor,
                             labelled ? Number(seconds) : std::string()});
        }
    }
    marks.push_back({1.0, DialMark::Major, "10"});
    return marks;
}

} // namespace

const std::vector<KnobSpec>& EditorKnobs() {
    static const std::vector<KnobSpec> knobs = {
        {"Sensitivity", nullptr, "sens_knob22.png", "sens_scale.png", 323, 120, 101, 177, 9.5,
         LinearMarks(0.0, 1.0, 0.1, 2)},
        {"Time", "seconds", "time_knob.png", "time_scale.png", 133, 167, 145, 245, 10.5,
         TimeMarks()},
        {"Depth", nullptr, "depth_knob.png", "depth_scale.png", 478, 84, 77, 159, 9.0,
         LinearMarks(0.0, 1.0, 0.1, 2)},
        {"Vol", nullptr, "vol_knob22.png", "vol_scale2.png", 482, 228, 59, 131, 9.0,
         LinearMarks(0.0, 2.0, 0.1, 5)},
    };
    return knobs;
}

} // namespace artwork
