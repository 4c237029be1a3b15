// What a host sees of the editor on a display at 192 DPI (Xft.dpi on X11, LogPixels under Wine):
// the size it reports before opening, the window's pixels against the picture composed from the
// 2x artwork, and a drag of twice the 1x distance turning the knob as far as at 1x.
#pragma once

#include "editor_window_session.h"

namespace editor_window {

inline void CheckEditorAtTwiceTheSize(EditorInWindow& editor) {
    ASSERT_TRUE(editor.host.Create(&VSTPluginMain));
    editor.host.Open();
    ERect* rect = nullptr;
    ASSERT_EQ(editor.host.Dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 1110);
    EXPECT_EQ(rect->bottom - rect->top, 612);
    std::string error;
    ASSERT_TRUE(editor.OpenWindow(error, 1110, 612)) << error;
    ASSERT_EQ(editor.OpenEditor(), 1);
    editor.Run(TwoTicks);
    EXPECT_EQ(editor.host.CountCalls(audioMasterSizeWindow), 0); // the size it reported held
    EXPECT_TRUE(editor.Shows(DefaultFrames, 200));

    // 58 pixels turn Time by a tenth at 1x; at 2x it takes 116.
    const Point time{2 * TimeCentre.x, 2 * TimeCentre.y};
    editor.Drag(time, Point{time.x, time.y - 116});
    editor.Run(TwoTicks);
    EXPECT_NEAR(editor.host.GetParameter(Time), 0.6, 1e-6);
    EXPECT_TRUE(editor.Shows(editor.CurrentFrames(), 200));
    EXPECT_EQ(editor.CloseEditor(), 1);
}

} // namespace editor_window
