// Every automate the host receives from the editor lies inside a begin-edit and an end-edit for
// the same parameter, and every gesture ends, whatever the user does with real pointer input:
// drags, wheel turns, double clicks, switch clicks, the middle button, and closing the editor in
// the middle of a drag.
#include "editor_window_session.h"

#include <functional>
#include <set>

using namespace editor_window;

namespace {

// Why the host's gesture calls are not properly bracketed; empty when they are.
std::string BracketingFault(const std::vector<HostCall>& calls, int& automates) {
    std::set<int> open;
    automates = 0;
    for (const HostCall& call : calls) {
        const int param = call.index;
        if (call.opcode == audioMasterBeginEdit && !open.insert(param).second) {
            return "a second begin-edit for parameter " + std::to_string(param);
        }
        if (call.opcode == audioMasterAutomate) {
            ++automates;
            if (open.count(param) == 0) {
                return "an automate outside a gesture for parameter " + std::to_string(param);
            }
        }
        if (call.opcode == audioMasterEndEdit && open.erase(param) == 0) {
            return "an end-edit without a begin-edit for parameter " + std::to_string(param);
        }
    }
    return open.empty() ? "" : "a gesture left open on parameter " + std::to_string(*open.begin());
}

struct Gesture {
    const char* name;
    std::function<void(EditorInWindow&)> act;
    bool automates; // whether the gesture changes a value at all
};

void Drag(EditorInWindow& editor) {
    HostWindow& window = editor.Window();
    window.MoveMouse(TimeCentre.x, TimeCentre.y);
    window.PressButton(HostWindow::Button::Left, {});
    for (int step = 1; step <= 3; ++step) {
        window.MoveMouse(TimeCentre.x, TimeCentre.y - step * 10);
        editor.Run(20);
    }
    window.ReleaseButton(HostWindow::Button::Left, {});
}

void WheelTurns(EditorInWindow& editor) {
    editor.Window().MoveMouse(TimeCentre.x, TimeCentre.y);
    for (int notch = 0; notch < 3; ++notch) {
        editor.Window().TurnWheel(notch == 1 ? -1 : 1, {});
        editor.Run(20);
    }
}

void DoubleClick(EditorInWindow& editor) {
    editor.Window().MoveMouse(TimeCentre.x, TimeCentre.y - 20);
    editor.Click(TimeCentre);
    editor.Click(TimeCentre);
}

void MiddleButton(EditorInWindow& editor) {
    editor.Window().MoveMouse(TimeCentre.x, TimeCentre.y);
    editor.Window().PressButton(HostWindow::Button::Middle, {});
    editor.Window().MoveMouse(TimeCentre.x, TimeCentre.y - 30);
    editor.Run(40);
    editor.Window().ReleaseButton(HostWindow::Button::Middle, {});
}

// The host closes the editor while the button is still down; the release comes after.
void CloseMidDrag(EditorInWindow& editor) {
    HostWindow& window = editor.Window();
    window.MoveMouse(TimeCentre.x, TimeCentre.y);
    window.PressButton(HostWindow::Button::Left, {});
    window.MoveMouse(TimeCentre.x, TimeCentre.y - 20);
    editor.Run(80);
    EXPECT_EQ(editor.CloseEditor(), 1);
    window.ReleaseButton(HostWindow::Button::Left, {});
}

void PrintTo(const Gesture& gesture, std::ostream* out) {
    *out << gesture.name;
}

class EditorWindowGestures : public EditorWindow, public testing::WithParamInterface<Gesture> {};

} // namespace

TEST_P(EditorWindowGestures, EveryAutomateLiesInsideAGestureAndEveryGestureEnds) {
    OpenAndShow();
    GetParam().act(editor);
    // Past the wheel's pause, so a wheel gesture has ended too.
    editor.Run(TwoTicks + 400);
    int automates = 0;
    EXPECT_EQ(BracketingFault(editor.host.Calls(), automates), "");
    if (GetParam().automates) {
        EXPECT_GT(automates, 0) << "the gesture never reached the host";
    } else {
        EXPECT_EQ(automates, 0);
        EXPECT_EQ(editor.host.CountCalls(audioMasterBeginEdit), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, EditorWindowGestures,
    testing::Values(Gesture{"Drag", Drag, true}, Gesture{"WheelTurns", WheelTurns, true},
                    Gesture{"DoubleClick", DoubleClick, true},
                    Gesture{"SwitchClick",
                            [](EditorInWindow& editor) { editor.Click(SwitchPoint); }, true},
                    Gesture{"MiddleButton", MiddleButton, false},
                    Gesture{"CloseMidDrag", CloseMidDrag, true}),
    [](const testing::TestParamInfo<Gesture>& info) { return std::string(info.param.name); });
