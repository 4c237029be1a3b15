// Every automate the host receives from the editor lies inside a begin-edit and an end-edit for
// the same parameter, and every gesture ends, whatever the user does with real pointer input:
// drags, wheel turns, double clicks, switch clicks, the middle button, and closing the editor in
// the middle of a drag.
#include "editor_window_session.h"

#include <functional>
#include <set>

using namespace editor_window;

namespace {

// The first call out of place (a second begin, an automate or an end outside a gesture, a gesture
// left open), or "" when every gesture call is where it belongs.
std::string BracketingFault(const std::vector<HostCall>& calls, int& automates) {
    std::set<int> open;
    automates = 0;
    for (const HostCall& call : calls) {
        automates += call.opcode == audioMasterAutomate ? 1 : 0;
        const bool fits = call.opcode == audioMasterBeginEdit ? open.insert(call.index).second
                          : call.opcode == audioMasterEndEdit
                              ? open.erase(call.index) == 1
                              : call.opcode != audioMasterAutomate || open.count(call.index) == 1;
        if (!fits) {
            return "call " + std::to_string(call.opcode) + " for parameter " +
                   std::to_string(call.index);
        }
    }
    return open.empty() ? "" : "a gesture left open on parameter " + std::to_string(*open.begin());
}

struct Gesture {
    const char* name;
    std::function<void(EditorInWindow&, HostWindow&)> act;
    bool automates; // whether the gesture changes a value at all
};

void PrintTo(const Gesture& gesture, std::ostream* out) {
    *out << gesture.name;
}

// Presses button over the Time knob, moves up by 10 pixels three times, releases it; with close,
// the host closes the editor before the release.
void DragTime(EditorInWindow& editor, HostWindow& window, HostWindow::Button button, bool close) {
    window.MoveMouse(TimeCentre.x, TimeCentre.y);
    window.PressButton(button, {});
    for (int step = 1; step <= 3; ++step) {
        window.MoveMouse(TimeCentre.x, TimeCentre.y - step * 10);
        editor.Run(30);
    }
    if (close) {
        EXPECT_EQ(editor.CloseEditor(), 1);
    }
    window.ReleaseButton(button, {});
}

const Gesture Gestures[] = {
    {"Drag",
     [](EditorInWindow& e, HostWindow& w) { DragTime(e, w, HostWindow::Button::Left, false); },
     true},
    {"WheelTurns",
     [](EditorInWindow& e, HostWindow& w) {
         w.MoveMouse(TimeCentre.x, TimeCentre.y);
         for (int notches : {1, -1, 1}) {
             w.TurnWheel(notches, {});
             e.Run(20);
         }
     },
     true},
    {"DoubleClick",
     [](EditorInWindow& e, HostWindow&) {
         e.Click(TimeCentre);
         e.Click(TimeCentre);
     },
     true},
    {"SwitchClick", [](EditorInWindow& e, HostWindow&) { e.Click(SwitchPoint); }, true},
    {"MiddleButton",
     [](EditorInWindow& e, HostWindow& w) { DragTime(e, w, HostWindow::Button::Middle, false); },
     false},
    {"CloseMidDrag",
     [](EditorInWindow& e, HostWindow& w) { DragTime(e, w, HostWindow::Button::Left, true); },
     true},
};

class EditorWindowGestures : public EditorWindow, public testing::WithParamInterface<Gesture> {};

} // namespace

TEST_P(EditorWindowGestures, EveryAutomateLiesInsideAGestureAndEveryGestureEnds) {
    OpenAndShow();
    GetParam().act(editor, editor.Window());
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

INSTANTIATE_TEST_SUITE_P(Pointer, EditorWindowGestures, testing::ValuesIn(Gestures),
                         [](const testing::TestParamInfo<Gesture>& info) {
                             return std::string(info.param.name);
                         });
