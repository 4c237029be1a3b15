// The editor's canvas against an expected picture of the editor at a scale (reference_editor.h).
#pragma once

#include "editor_session.h"
#include "reference_editor.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The first pixel whose channels differ from the expected picture's by more than tolerance, or
// "" when none does.
inline std::string CanvasDifference(EditorSession& session, const std::vector<uint32_t>& expected,
                                    int percent = 100, int tolerance = 0) {
    const int width = ReferenceWidth(percent);
    const int height = ReferenceHeight(percent);
    if (session.Editor().Width() != width || session.Editor().Height() != height) {
        return "the canvas is " + std::to_string(session.Editor().Width()) + " x " +
               std::to_string(session.Editor().Height());
    }
    for (int y = 0; y < height; ++y) {
        const PX_Pixel32* row = session.CanvasRow(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t want = expected[size_t(y) * width + size_t(x)];
            for (int shift = 0; shift < 32; shift += 8) {
                const int got = int((row[x] >> shift) & 0xFF);
                if (std::abs(got - int((want >> shift) & 0xFF)) > tolerance) {
                    char text[96];
                    std::snprintf(text, sizeof text, "pixel (%d, %d) is %08X, expected %08X", x, y,
                                  row[x], want);
                    return text;
                }
            }
        }
    }
    return "";
}
