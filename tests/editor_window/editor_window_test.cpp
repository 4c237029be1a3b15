// The editor in a host's window: what the host sees of it through the effect record, what the
// window system shows, and real mouse input reaching the parameters and the host.
#include "display_scale_checks.h"
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

// The sizes the plug-in asked the host to resize its window to (audioMasterSizeWindow).
std::vector<std::string> AskedResizes(PluginHost& host) {
    std::vector<std::string> resizes;
    for (const HostCall& call : host.Calls()) {
        if (call.opcode == audioMasterSizeWindow) {
            resizes.push_back(std::to_string(call.index) + " x " + std::to_string(call.value));
        }
    }
    return resizes;
}

// effVendorSpecific 'PreS' 'AeCs' with the factor, as DPI-aware hosts send their scale.
VstIntPtr SendHostScale(PluginHost& host, float factor) {
    return host.Dispatch(effVendorSpecific, 0x50726553 /* 'PreS' */, 0x41654373 /* 'AeCs' */,
                         nullptr, factor);
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

namespace {

// The editor open at the display's own scale, 1x, in a host window large enough for 2x.
class EditorWindowScale : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        if (!editor.OpenWindow(error, 1110, 612)) {
            GTEST_SKIP() << "no window to open the editor in: " << error;
        }
        ASSERT_TRUE(editor.host.Create(&VSTPluginMain));
        editor.host.Open();
        ASSERT_EQ(editor.OpenEditor(), 1);
        editor.Run(TwoTicks);
        ASSERT_EQ(ReportedSize(editor.host), "555 x 306") << "the display's own scale is not 1x";
    }

    EditorInWindow editor;
};

} // namespace

// A host's scale hint reaching an open editor: the host is asked to resize its window, the size
// it reads next is the new one, and the window shows the 2x canvas.
TEST_F(EditorWindowScale, AHintToAnOpenEditorResizesItAndAsksTheHostToResizeToo) {
    EXPECT_TRUE(editor.Shows(DefaultFrames, 100));
    editor.host.ClearCalls();
    ASSERT_EQ(SendHostScale(editor.host, 2.0f), 1);
    EXPECT_EQ(AskedResizes(editor.host), std::vector<std::string>{"1110 x 612"});
    EXPECT_EQ(ReportedSize(editor.host), "1110 x 612");
    editor.Run(TwoTicks);
    EXPECT_TRUE(editor.Shows(DefaultFrames, 200));
    EXPECT_EQ(editor.CloseEditor(), 1);
}

// The system tells the open editor of its monitor's new DPI (WM_DPICHANGED on Windows): the
// editor takes that scale, asks the host to resize its window, reports the new size and shows
// that canvas. Once the host has sent its own scale, the system's changes no longer count.
TEST_F(EditorWindowScale, TheSystemsNewDpiRescalesAnOpenEditorUnlessTheHostGaveItsOwnScale) {
    struct Step {
        float hostScale; // sent before the DPI change; 0: none
        int dpi;
        const char* size;
        int percent;
        std::vector<std::string> resizes;
    };
    const Step steps[] = {{0.0f, 144, "833 x 459", 150, {"833 x 459"}},
                          {0.0f, 192, "1110 x 612", 200, {"1110 x 612"}},
                          {0.0f, 192, "1110 x 612", 200, {}},
                          {0.0f, 96, "555 x 306", 100, {"555 x 306"}},
                          {1.5f, 192, "833 x 459", 150, {}},
                          {0.0f, 96, "833 x 459", 150, {}}};
    for (const Step& step : steps) {
        SCOPED_TRACE(std::to_string(step.dpi) + " DPI");
        if (step.hostScale > 0.0f) {
            ASSERT_EQ(SendHostScale(editor.host, step.hostScale), 1);
        }
        editor.host.ClearCalls();
        if (!editor.Window().ChangeDpi(step.dpi)) {
            GTEST_SKIP() << "the window system tells windows of no DPI change";
        }
        EXPECT_EQ(AskedResizes(editor.host), step.resizes);
        EXPECT_EQ(ReportedSize(editor.host), step.size);
        EXPECT_TRUE(editor.Shows(DefaultFrames, step.percent));
    }
    EXPECT_EQ(editor.CloseEditor(), 1);
}

// CTest runs this in Wine prefixes set to 144 and 192 DPI (CRESCENDA_EXPECT_DPI); elsewhere the
// display's DPI is its own and the test has nothing to check. On X11 the X11 tests set Xft.dpi.
TEST(EditorAtSystemDpi, ReportsTheScaledSizeShowsThatCanvasAndDragsAsFarTimesTheScale) {
    const char* expected = std::getenv("CRESCENDA_EXPECT_DPI");
    const DisplayScale* scale = expected != nullptr ? DisplayScaleAt(std::atoi(expected)) : nullptr;
    if (scale == nullptr) {
        GTEST_SKIP() << "not run at a DPI of the table (CRESCENDA_EXPECT_DPI)";
    }
    EditorInWindow editor;
    CheckEditorAtDisplayScale(editor, *scale);
}
