// The editor in a host's window: what the host sees of it through the effect record, what the
// window system shows, and real mouse input reaching the parameters and the host.
#include "double_scale_checks.h"
#include "editor_window_session.h"

#include <cstdlib>

using namespace editor_window;

namespace {

// The editor size effEditGetRect reports, as width x height; "none" without a rectangle.
std::string ReportedSize(PluginHost& host) {
    ERect* rect = nullptr;
    if (host.Dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr) {
        return "none";
    }
    return std::to_string(rect->right - rect->left) + " x " +
           std::to_string(rect->bottom - rect->top);
}

} // namespace

TEST_F(EditorWindow, TheRecordAnnouncesA555By306EditorBeforeAndAfterItOpensAndLeavesKeysToTheHost) {
    EXPECT_NE(editor.host.Effect()->flags & effFlagsHasEditor, 0);
    EXPECT_EQ(ReportedSize(editor.host), "555 x 306");
    ASSERT_EQ(editor.OpenEditor(), 1);
    EXPECT_EQ(ReportedSize(editor.host), "555 x 306");
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
    std::vector<std::string> gestures;
    for (const HostCall& call : editor.host.Calls()) {
        const char* kind = call.opcode == audioMasterBeginEdit  ? "begin"
                           : call.opcode == audioMasterAutomate ? "automate"
                           : call.opcode == audioMasterEndEdit  ? "end"
                                                                : nullptr;
        if (kind != nullptr) {
            gestures.push_back(kind + std::string(" ") + std::to_string(call.index) + " " +
                               std::to_string(call.opt));
        }
    }
    EXPECT_EQ(gestures, (std::vector<std::string>{"begin 4 0.000000", "automate 4 0.000000",
                                                  "end 4 0.000000"}));
    EditorFrames off = DefaultFrames;
    off.onOff = 1;
    EXPECT_TRUE(editor.Shows(off));
}

// The Time knob is 145 pixels high and turns over four times its height: 58 / 145 / 4 = 0.1.
TEST_F(EditorWindow, DraggingTimeUp58PixelsRaisesItByATenth) {
    OpenAndShow();
    editor.Drag(TimeCentre, Point{TimeCentre.x, TimeCentre.y - 58});
    editor.Run(TwoTicks);
    EXPECT_NEAR(editor.host.GetParameter(Time), 0.6, 1e-6);
    EXPECT_TRUE(editor.Shows(editor.CurrentFrames()));
}

// With Shift or Ctrl held the step is ten times finer.
TEST_F(EditorWindow, EachWheelNotchStepsTimeByAHundredthOrAThousandthWithShiftOrControl) {
    OpenAndShow();
    editor.Window().MoveMouse(TimeCentre.x, TimeCentre.y);
    editor.Window().TurnWheel(1, {});
    editor.Run(TwoTicks);
    EXPECT_NEAR(editor.host.GetParameter(Time), 0.51, 1e-6);
    editor.Window().TurnWheel(2, {true, false, false});
    editor.Run(TwoTicks);
    EXPECT_NEAR(editor.host.GetParameter(Time), 0.512, 1e-6);
    editor.Window().TurnWheel(-1, {false, true, false});
    editor.Run(TwoTicks);
    EXPECT_NEAR(editor.host.GetParameter(Time), 0.511, 1e-6);
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

// A host's scale hint reaching an open editor: the host is asked to resize its window, the size
// it reads next is the new one, and the window shows the 2x canvas.
TEST(EditorWindowScale, AHintToAnOpenEditorResizesItAndAsksTheHostToResizeToo) {
    EditorInWindow editor;
    std::string error;
    if (!editor.OpenWindow(error, 1110, 612)) {
        GTEST_SKIP() << "no window to open the editor in: " << error;
    }
    ASSERT_TRUE(editor.host.Create(&VSTPluginMain));
    editor.host.Open();
    ASSERT_EQ(editor.OpenEditor(), 1);
    editor.Run(TwoTicks);
    ASSERT_EQ(ReportedSize(editor.host), "555 x 306") << "the display's own scale is not 1x";
    EXPECT_TRUE(editor.Shows(DefaultFrames, 100));
    editor.host.ClearCalls();
    ASSERT_EQ(editor.host.Dispatch(effVendorSpecific, 0x50726553 /* 'PreS' */,
                                   0x41654373 /* 'AeCs' */, nullptr, 2.0f),
              1);
    std::vector<std::string> resizes;
    for (const HostCall& call : editor.host.Calls()) {
        if (call.opcode == audioMasterSizeWindow) {
            resizes.push_back(std::to_string(call.index) + " x " + std::to_string(call.value));
        }
    }
    EXPECT_EQ(resizes, std::vector<std::string>{"1110 x 612"});
    EXPECT_EQ(ReportedSize(editor.host), "1110 x 612");
    editor.Run(TwoTicks);
    EXPECT_TRUE(editor.Shows(DefaultFrames, 200));
    EXPECT_EQ(editor.CloseEditor(), 1);
}

// CTest runs this in a Wine prefix set to 192 DPI (CRESCENDA_EXPECT_DPI=192); elsewhere the
// display's DPI is its own and the test has nothing to check. On X11 the X11 tests set Xft.dpi.
TEST(EditorAtSystemDpi, At192DpiReportsTwiceTheSizeShowsThe2xCanvasAndDragsTwiceAsFar) {
    const char* expected = std::getenv("CRESCENDA_EXPECT_DPI");
    if (expected == nullptr || std::string(expected) != "192") {
        GTEST_SKIP() << "not run at 192 DPI (CRESCENDA_EXPECT_DPI unset)";
    }
    EditorInWindow editor;
    CheckEditorAtTwiceTheSize(editor);
}
