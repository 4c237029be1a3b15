// Mouse gestures on the editor, as a window hands them over, and what the plug-in and the host
// see of them.
#include "editor/control.h"
#include "editor_session.h"

#include <cmath>
#include <limits>

namespace {

class EditorGestures : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Created());
        session.host.Open();
        session.Tick();
        session.host.ClearCalls();
    }

    float Value(EditorParam param) { return session.host.GetParameter(param); }

    // A drag of the Time knob from its centre by dy pixels in one move.
    void DragTime(int dy, const MouseKeys& keys = {}) {
        MouseKeys held = keys;
        held.left = true;
        session.Press(TimeCentre, keys);
        session.Editor().HandleDrag(TimeCentre.x, TimeCentre.y + dy, held);
        session.Release(Point{TimeCentre.x, TimeCentre.y + dy}, keys);
    }

    void Wheel(int steps, const MouseKeys& keys = {}) {
        session.Editor().HandleWheel(TimeCentre.x, TimeCentre.y, keys, steps);
    }

    EditorSession session;
};

MouseKeys ShiftKey() {
    MouseKeys keys;
    keys.shift = true;
    return keys;
}

MouseKeys ControlKey() {
    MouseKeys keys;
    keys.control = true;
    return keys;
}

} // namespace

TEST_F(EditorGestures, APressOnTheSwitchTogglesOnOffInsideOneGesture) {
    session.Click(SwitchPoint);
    EXPECT_EQ(Value(OnOff), 0.0f);
    const std::vector<HostCall> calls = session.GestureCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[1].opt, 0.0f);
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
    for (const HostCall& call : calls) {
        EXPECT_EQ(call.index, OnOff);
    }
}

TEST_F(EditorGestures, PressesThatHitOnlyTheBackgroundChangeAndSendNothing) {
    for (Point p : {BackgroundCorner, InsideDepthScaleOnly}) {
        session.Click(p);
    }
    EXPECT_TRUE(session.GestureCalls().empty());
    const float defaults[5] = {0.7f, 0.5f, 0.75f, 0.5f, 1.0f};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Value(EditorParam(i)), defaults[i]) << "parameter " << i;
    }
    Bounds dirty;
    EXPECT_FALSE(session.Editor().CollectDirty(dirty));
}

// The Time knob is 145 pixels high: 58 / 145 / 4 = 0.1, ten times finer with a modifier.
TEST_F(EditorGestures, DraggingTimeUp58PixelsRaisesItByATenthOrAHundredthWithAModifier) {
    DragTime(-58);
    EXPECT_NEAR(Value(Time), 0.6, 1e-6);
    DragTime(-58, ShiftKey());
    EXPECT_NEAR(Value(Time), 0.61, 1e-6);
    DragTime(-58, ControlKey());
    EXPECT_NEAR(Value(Time), 0.62, 1e-6);
    DragTime(58 * 5);
    EXPECT_NEAR(Value(Time), 0.12, 1e-6);
}

TEST_F(EditorGestures, TheWheelStepsByAHundredthOrAThousandthWithControlAndIsClamped) {
    Wheel(1);
    EXPECT_NEAR(Value(Time), 0.51, 1e-6);
    Wheel(-3, ControlKey());
    EXPECT_NEAR(Value(Time), 0.507, 1e-6);
    Wheel(1000);
    EXPECT_EQ(Value(Time), 1.0f);
    Wheel(-1000);
    EXPECT_EQ(Value(Time), 0.0f);
}

TEST_F(EditorGestures, ADoubleClickReturnsAKnobToItsDefault) {
    Wheel(20);
    session.Editor().HandleDoubleClick(TimeCentre.x, TimeCentre.y, MouseKeys{});
    EXPECT_EQ(Value(Time), 0.5f);
}

// A double click arrives as press, release, double click, release: the switch steps twice, and
// every begin-edit the host receives is paired with one end-edit.
TEST_F(EditorGestures, ADoubleClickOnTheSwitchStepsTwiceAndKeepsTheGesturesPaired) {
    session.Click(SwitchPoint);
    EXPECT_EQ(Value(OnOff), 0.0f);
    EXPECT_FALSE(session.Editor().HandleDoubleClick(SwitchPoint.x, SwitchPoint.y, MouseKeys{}));
    session.Release(SwitchPoint);
    EXPECT_EQ(Value(OnOff), 1.0f);
    EXPECT_EQ(session.host.CountCalls(audioMasterBeginEdit),
              session.host.CountCalls(audioMasterEndEdit));
    EXPECT_EQ(session.host.CountCalls(audioMasterAutomate), 2);
}

// A host that sends NaN gets the parameter's maximum (the parameter's own rule): the knob shows
// it, and the next gesture starts from there and sends the host a number.
TEST_F(EditorGestures, AKnobSetToNaNByTheHostShowsTheMaximumAndSendsOnlyNumbers) {
    session.host.SetParameter(Time, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(session.Editor().ControlAt(Time + 1)->Value(), 1.0);
    Wheel(-1);
    EXPECT_NEAR(Value(Time), 0.99, 1e-6);
    for (const HostCall& call : session.GestureCalls()) {
        EXPECT_FALSE(std::isnan(call.opt));
    }
}
