// The editor in a host's window: what the host sees of it through the effect record, what the
// window system shows, and real mouse input from the window system reaching the parameters and
// the host.
#include "editor_window_session.h"

using namespace editor_window;

namespace {

std::vector<HostCall> GestureCalls(const PluginHost& host) {
    std::vector<HostCall> gestures;
    for (const HostCall& call : host.Calls()) {
        if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
            call.opcode == audioMasterEndEdit) {
            gestures.push_back(call);
        }
    }
    return gestures;
}

testing::AssertionResult IsEditorRect(PluginHost& host) {
    ERect* rect = nullptr;
    if (host.Dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr) {
        return testing::AssertionFailure() << "effEditGetRect gave no rectangle";
    }
    if (rect->left != 0 || rect->top != 0 || rect->right != EditorWidth ||
        rect->bottom != EditorHeight) {
        return testing::AssertionFailure()
               << "effEditGetRect gave (" << rect->left << ", " << rect->top << ", " << rect->right
               << ", " << rect->bottom << ")";
    }
    return testing::AssertionSuccess();
}

} // namespace

TEST_F(EditorWindow, TheRecordAnnouncesA555By306EditorBeforeAndAfterItOpensAndLeavesKeysToTheHost) {
    EXPECT_NE(editor.host.Effect()->flags & effFlagsHasEditor, 0);
    EXPECT_TRUE(IsEditorRect(editor.host));
    ASSERT_EQ(editor.OpenEditor(), 1);
    EXPECT_TRUE(IsEditorRect(editor.host));
    EXPECT_EQ(editor.host.Dispatch(effEditKeyDown, 'a', 0), 0);
    EXPECT_EQ(editor.host.Dispatch(effEditKeyUp, 'a', 0), 0);
    EXPECT_EQ(editor.CloseEditor(), 1);
}

TEST_F(EditorWindow, TheWindowShowsTheEditorAfterTheFirstTicks) {
    OpenAndShow();
    EXPECT_TRUE(editor.Shows(DefaultFrames));
}

TEST_F(EditorWindow, APressOnTheSwitchTogglesOnOffInsideOneGestureAndShowsAfterTheNextTick) {
    OpenAndShow();
    editor.Click(SwitchPoint);
    editor.Run(TwoTicks);
    EXPECT_EQ(editor.host.GetParameter(OnOff), 0.0f);
    const std::vector<HostCall> calls = GestureCalls(editor.host);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[1].opt, 0.0f);
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
    for (const HostCall& call : calls) {
        EXPECT_EQ(call.index, OnOff);
    }
    EditorFrames off = DefaultFrames;
    off.onOff = 1;
    EXPECT_TRUE(editor.Shows(off));
}

// The Time knob is 145 pixels high and turns over four times its height: 58 / 145 / 4 = 0.1.
TEST_F(EditorWindow, DraggingTimeUp58PixelsRaisesItByATenth) {
    OpenAndShow();
    editor.Window().MoveMouse(TimeCentre.x, TimeCentre.y);
    editor.Window().PressButton(HostWindow::Button::Left, {});
    editor.Window().MoveMouse(TimeCentre.x, TimeCentre.y - 58);
    editor.Window().ReleaseButton(HostWindow::Button::Left, {});
    editor.Run(TwoTicks);
    EXPECT_NEAR(editor.host.GetParameter(Time), 0.6, 1e-6);
    EXPECT_TRUE(editor.Shows(editor.CurrentFrames()));
}

TEST_F(EditorWindow, OneWheelNotchUpStepsTimeByAHundredth) {
    OpenAndShow();
    editor.Window().MoveMouse(TimeCentre.x, TimeCentre.y);
    editor.Window().TurnWheel(1, {});
    editor.Run(TwoTicks);
    EXPECT_NEAR(editor.host.GetParameter(Time), 0.51, 1e-6);
}

TEST_F(EditorWindow, ADoubleClickReturnsAKnobToItsDefault) {
    editor.host.SetParameter(Time, 0.8f);
    OpenAndShow();
    editor.Click(TimeCentre);
    editor.Click(TimeCentre);
    editor.Run(TwoTicks);
    EXPECT_EQ(editor.host.GetParameter(Time), 0.5f);
    EXPECT_TRUE(editor.Shows(DefaultFrames));
}
