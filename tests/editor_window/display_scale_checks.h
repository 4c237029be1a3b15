// What a host sees of the editor on a display at a higher DPI (Xft.dpi on X11, LogPixels under
// Wine): the size it reports before opening, the window's pixels against the picture composed
// from that scale's images, and a drag of the 1x distance times the scale turning the knob as
// far as at 1x.
#pragma once

#include "editor_window_session.h"

namespace editor_window {

struct DisplayScale {
    int dpi;
    int percent;
    int width; // 555 x 306 times dpi / 96, halves rounded up
    int height;
    int drag;       // the 58 pixels that turn Time by a tenth at 1x, times dpi / 96
    int knobHeight; // Time's drawn height, 145 times dpi / 96 rounded: a sweep is four of it
};

constexpr DisplayScale DisplayScales[] = {{144, 150, 833, 459, 87, 218},
                                          {192, 200, 1110, 612, 116, 290}};

// The row of that DPI; null for a DPI the table has no row for.
inline const DisplayScale* DisplayScaleAt(int dpi) {
    for (const DisplayScale& scale : DisplayScales) {
        if (scale.dpi == dpi) {
            return &scale;
        }
    }
    return nullptr;
}

inline void CheckEditorAtDisplayScale(EditorInWindow& editor, const DisplayScale& scale) {
    SCOPED_TRACE(std::to_string(scale.dpi) + " DPI");
    ASSERT_TRUE(editor.host.Create(&VSTPluginMain));
    editor.host.Open();
    ERect* rect = nullptr;
    ASSERT_EQ(editor.host.Dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, scale.width);
    EXPECT_EQ(rect->bottom - rect->top, scale.height);
    std::string error;
    ASSERT_TRUE(editor.OpenWindow(error, scale.width, scale.height)) << error;
    ASSERT_EQ(editor.OpenEditor(), 1);
    editor.Run(TwoTicks);
    EXPECT_EQ(editor.host.CountCalls(audioMasterSizeWindow), 0); // the size it reported held
    EXPECT_TRUE(editor.Shows(DefaultFrames, scale.percent));

    const Point time{TimeCentre.x * scale.percent / 100, TimeCentre.y * scale.percent / 100};
    editor.Drag(time, Point{time.x, time.y - scale.drag});
    // Input reaches a loaded machine's window late: wait for the change, not a fixed time.
    editor.RunUntil([&] { return editor.host.GetParameter(Time) != 0.5f; });
    editor.Run(TwoTicks);
    EXPECT_NEAR(editor.host.GetParameter(Time), 0.5 + scale.drag / (4.0 * scale.knobHeight), 1e-6);
    EXPECT_TRUE(editor.Shows(editor.CurrentFrames(), scale.percent));
    EXPECT_EQ(editor.CloseEditor(), 1);
}

} // namespace editor_window
