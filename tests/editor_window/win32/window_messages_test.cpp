// Window messages as the editor window translates them: keys for the controls or for the host,
// moves that drag only what a press in the window captured, whole wheel notches, and resizing.
#include "editor/control.h"
#include "window_session.h"

#include <vector>

namespace {

// Takes every key the other controls leave, and records it.
class KeyRecorder : public Control {
public:
    explicit KeyRecorder(std::vector<KeyCode>& keys)
        : Control(nullptr, Bounds{}, -1, Blend{}), keys_(keys) {}
    bool Key(int /*x*/, int /*y*/, KeyCode key) override {
        keys_.push_back(key);
        return true;
    }
    bool Paint(GraphicsContext& /*graphics*/) override { return true; }

private:
    std::vector<KeyCode>& keys_;
};

// The host window's keys, seen by a procedure put in front of its own.
std::vector<WPARAM> gHostKeys;
WNDPROC gHostProcedure = nullptr;

LRESULT CALLBACK RecordHostKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        gHostKeys.push_back(wParam);
    }
    return CallWindowProcA(gHostProcedure, window, message, wParam, lParam);
}

LPARAM ScreenPointParam(HWND window, Point p) {
    POINT screen{p.x, p.y};
    ClientToScreen(window, &screen);
    return PointParam(screen.x, screen.y);
}

} // namespace

TEST(WindowMessages, LetterKeysReachTheControlsAndKeysTheyDoNotUseReachTheHost) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    std::vector<KeyCode> keys;
    session.Editor().SetKeyCatcher(new KeyRecorder(keys));
    ASSERT_TRUE(session.OpenEditor());
    session.window->MoveMouse(BackgroundCorner.x,
                              BackgroundCorner.y); // keys go to what is under it
    session.Run(TickMilliseconds);
    gHostKeys.clear();
    gHostProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        session.HostHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordHostKeys)));
    for (UINT key : {UINT{'A'}, UINT{'Z'}, UINT{'7'}, UINT{VK_SPACE}, UINT{VK_F5}, UINT{VK_NUMPAD1},
                     UINT{VK_ADD}}) {
        PostKey(session.EditorWindow(), key);
    }
    session.Run(TickMilliseconds);
    SetWindowLongPtrA(session.HostHandle(), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(gHostProcedure));
    EXPECT_EQ(keys, (std::vector<KeyCode>{KeyLetterA, KeyLetterZ,
                                          static_cast<KeyCode>(KeyDigit0 + 7), KeySpace}));
    EXPECT_EQ(gHostKeys, (std::vector<WPARAM>{VK_F5, VK_NUMPAD1, VK_ADD}));
}

// The press happened outside the window, so nothing was captured and nothing is dragged.
TEST(WindowMessages, AMoveWithTheButtonHeldButNoCaptureDragsNothing) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    HWND editor = session.OpenQuietly();
    ASSERT_NE(editor, nullptr);
    PostMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, PointParam(TimeCentre.x, TimeCentre.y));
    PostMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, PointParam(TimeCentre.x, TimeCentre.y - 40));
    session.RunTicks(1);
    EXPECT_EQ(session.host.GetParameter(Time), 0.5f);
    EXPECT_TRUE(session.GestureCalls().empty());
}

TEST(WindowMessages, TheWheelTurnsByWholeNotchesOnly) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    ASSERT_TRUE(session.OpenEditor());
    HWND editor = session.EditorWindow();
    const LPARAM overTime = ScreenPointParam(editor, TimeCentre);
    PostMessageA(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), overTime); // half a notch: 0 steps
    session.RunTicks(1);
    EXPECT_EQ(session.host.GetParameter(Time), 0.5f);
    PostMessageA(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), overTime);
    session.RunTicks(1);
    EXPECT_FLOAT_EQ(session.host.GetParameter(Time), 0.48f); // two steps of 0.01 down
}

// The VST2 adapter's hosts leave their frame as it is, so the editor grows it by the change.
TEST(WindowMessages, ResizingGrowsTheEditorWindowAndTheHostFrameAndIsReported) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    ASSERT_TRUE(session.OpenEditor());
    RECT frameBefore{};
    GetWindowRect(session.HostHandle(), &frameBefore);
    session.Editor().SetEditorSize(600, 330);
    RECT editor{};
    GetWindowRect(session.EditorWindow(), &editor);
    EXPECT_EQ(editor.right - editor.left, 600);
    EXPECT_EQ(editor.bottom - editor.top, 330);
    RECT frameAfter{};
    GetWindowRect(session.HostHandle(), &frameAfter);
    EXPECT_EQ((frameAfter.right - frameAfter.left) - (frameBefore.right - frameBefore.left), 45);
    EXPECT_EQ((frameAfter.bottom - frameAfter.top) - (frameBefore.bottom - frameBefore.top), 24);
    ERect* rect = nullptr;
    ASSERT_EQ(session.host.Dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right, 600);
    EXPECT_EQ(rect->bottom, 330);
}

// Another window takes the mouse in the middle of a drag (the host's, here): the drag's gesture
// ends there, and the release that follows sends nothing more.
TEST(WindowMessages, AnotherWindowTakingTheMouseEndsTheDragsGesture) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    HWND editor = session.OpenQuietly();
    ASSERT_NE(editor, nullptr);
    SendMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(TimeCentre.x, TimeCentre.y));
    SendMessageA(editor, WM_MOUSEMOVE, MK_LBUTTON, PointParam(TimeCentre.x, TimeCentre.y - 20));
    SetCapture(session.HostHandle());
    const std::vector<HostCall> calls = session.GestureCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    SendMessageA(editor, WM_LBUTTONUP, 0, PointParam(TimeCentre.x, TimeCentre.y - 20));
    ReleaseCapture();
    EXPECT_EQ(session.GestureCalls().size(), calls.size());
}

// The system asks for an uncovered part of the window to be painted while the host has just moved
// the Time knob: the paint copies the canvas there, and the knob stays for the redraw step.
TEST(WindowMessages, APaintForAnUncoveredAreaLeavesDirtyControlsToTheRedrawStep) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    ASSERT_TRUE(session.OpenEditor());
    session.RunTicks(2);
    session.host.SetParameter(Time, 0.9f);
    HWND editor = session.EditorWindow();
    const RECT uncovered{0, 0, 60, 60};
    for (int paint = 0; paint < 2; ++paint) { // a value from the host is painted twice
        InvalidateRect(editor, &uncovered, FALSE);
        UpdateWindow(editor);
    }
    EXPECT_TRUE(session.Editor().ControlAt(Time + 1)->NeedsPaint());
    session.RunTicks(2);
    EXPECT_FALSE(session.Editor().ControlAt(Time + 1)->NeedsPaint());
}
