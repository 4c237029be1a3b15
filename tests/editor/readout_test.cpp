// The value readout and typed values, on the effect's own editor driven as a window drives it:
// hovering or dragging a control shows its parameter's name and the host's display text with its
// label, which disappear a moment after the pointer leaves; text typed into a control's entry is
// read in the parameter's unit and reaches the host as one gesture, or is refused saying why.
#include "editor/canvas_text_entry.h"
#include "editor/control.h"
#include "editor/value_readout.h"
#include "editor_session.h"
#include "reference_editor.h"

#include <chrono>
#include <cmath>
#include <thread>

namespace {

struct Readout {
    ValueReadout* name;
    ValueReadout* value;
};

// The layout adds the name and then the value display after every other control.
Readout ReadoutOf(GraphicsContext& editor) {
    const int count = editor.ControlCount();
    return {dynamic_cast<ValueReadout*>(editor.ControlAt(count - 2)),
            dynamic_cast<ValueReadout*>(editor.ControlAt(count - 1))};
}

std::string ShownByHost(PluginHost& host, int param) {
    const std::string label = host.ParamLabel(param);
    return host.ParamDisplay(param) + (label.empty() ? "" : " " + label);
}

bool CanvasIs(EditorSession& session, const std::vector<uint32_t>& expected) {
    for (int y = 0; y < 306; ++y) {
        for (int x = 0; x < 555; ++x) {
            if (session.CanvasRow(y)[x] != expected[size_t(y) * 555 + size_t(x)]) {
                return false;
            }
        }
    }
    return true;
}

class ValueTexts : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Created());
        session.host.Open();
        session.Tick();
        readout = ReadoutOf(session.Editor());
        ASSERT_NE(readout.name, nullptr);
        ASSERT_NE(readout.value, nullptr);
        session.host.ClearCalls();
    }

    EditorSession session;
    Readout readout{};
};

} // namespace

TEST_F(ValueTexts, HoverAndDragShowTheHostsDisplayTextUntilShortlyAfterThePointerLeaves) {
    const struct {
        Point at;
        EditorParam param;
    } controls[] = {{{323, 120}, Sensitivity},
                    {TimeCentre, Time},
                    {{478, 84}, Depth},
                    {{482, 228}, Vol},
                    {SwitchPoint, OnOff}};
    for (const auto& control : controls) {
        EXPECT_TRUE(session.Editor().HandleHover(control.at.x, control.at.y, {}));
        EXPECT_EQ(readout.value->Text(), ShownByHost(session.host, control.param));
        EXPECT_STREQ(readout.name->Text(), session.host.ParamName(control.param).c_str());
    }
    session.Tick();
    EXPECT_FALSE(CanvasIs(session, ReferenceEditor(DefaultFrames))); // the readout is drawn

    // Dragging Time up 58 pixels raises it by 0.1 to 0.6: 10^(3 * 0.6 - 2) = 0.631 s.
    MouseKeys held;
    held.left = true;
    session.Press(TimeCentre);
    session.Editor().HandleDrag(TimeCentre.x, TimeCentre.y - 58, held);
    EXPECT_STREQ(readout.value->Text(), "0.63 s");
    session.Release(Point{TimeCentre.x, TimeCentre.y - 58});
    EXPECT_EQ(readout.value->Text(), ShownByHost(session.host, Time));

    session.Editor().HandleLeave();
    session.Tick();
    session.Tick();
    EditorFrames turned = DefaultFrames;
    turned.time = KnobFrame(session.host.GetParameter(Time));
    EXPECT_FALSE(CanvasIs(session, ReferenceEditor(turned))); // still there just after leaving
    std::this_thread::sleep_for(std::chrono::milliseconds(1400));
    session.Tick();
    session.Tick();
    EXPECT_TRUE(CanvasIs(session, ReferenceEditor(turned)));
}

TEST_F(ValueTexts, TypedTextIsReadInTheUnitAndAppliedAsOneGestureOrRefusedSayingWhy) {
    GraphicsContext& editor = session.Editor();
    Control* time = editor.ControlAt(2);
    PluginParam* param = session.Plugin().Param(Time);
    ASSERT_EQ(time->ParamIndex(), Time);
    char why[64] = {};
    const struct {
        const char* text;
        const char* why;
    } refused[] = {{"abc", "not a time"}, {"99", "range 0.010 to 10.0 s"}, {"", "not a time"}};
    for (const auto& r : refused) {
        EXPECT_FALSE(editor.ApplyTypedText(time, param, r.text, why, sizeof why)) << r.text;
        EXPECT_STREQ(why, r.why);
        EXPECT_EQ(session.host.GetParameter(Time), 0.5f);
    }
    EXPECT_TRUE(session.GestureCalls().empty());

    ASSERT_TRUE(editor.ApplyTypedText(time, param, "0.8", why, sizeof why));
    EXPECT_NEAR(0.01 * std::pow(10.0, 3.0 * param->Value()), 0.8, 1e-12);
    EXPECT_EQ(ShownByHost(session.host, Time), "0.80 s");
    const std::vector<HostCall> calls = session.GestureCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_FLOAT_EQ(calls[1].opt, static_cast<float>((std::log10(0.8) + 2.0) / 3.0));
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
    for (const HostCall& call : calls) {
        EXPECT_EQ(call.index, Time);
    }
}

// The entry the Linux window draws on the canvas: keys edit it, Return applies or shows why,
// Escape drops it; the box covers its rectangle in the entry colours.
TEST_F(ValueTexts, TheCanvasEntryTypesAppliesRefusesAndCancels) {
    GraphicsContext& editor = session.Editor();
    Control* time = editor.ControlAt(2);
    const Bounds box{78, 159, 188, 175};
    CanvasTextEntry entry;
    const auto type = [&](const char* keys) {
        for (const char* c = keys; *c != '\0'; ++c) {
            entry.TakeKey(editor, EntryKey::Character, *c);
        }
    };
    entry.Open(time, session.Plugin().Param(Time), time->Style(), box, "0.32", 16);
    entry.Paint(editor);
    EXPECT_EQ(session.CanvasRow(box.top + 8)[box.right - 4],
              time->Style().entryBackground.Packed());

    type("0.32x"); // the first key replaces the value the entry opened with
    EXPECT_STREQ(entry.Text(), "0.32x");
    EXPECT_FALSE(entry.TakeKey(editor, EntryKey::Return, 0));
    EXPECT_TRUE(entry.ShowsRefusal());
    EXPECT_STREQ(entry.Text(), "not a time");
    type("12");
    EXPECT_FALSE(entry.TakeKey(editor, EntryKey::Return, 0));
    EXPECT_STREQ(entry.Text(), "range 0.010 to 10.0 s");
    EXPECT_TRUE(session.GestureCalls().empty());
    EXPECT_EQ(session.host.GetParameter(Time), 0.5f);

    entry.TakeKey(editor, EntryKey::Backspace, 0);
    type("800 mss");
    entry.TakeKey(editor, EntryKey::Backspace, 0);
    EXPECT_TRUE(entry.TakeKey(editor, EntryKey::Return, 0));
    EXPECT_FALSE(entry.IsOpen());
    EXPECT_EQ(ShownByHost(session.host, Time), "0.80 s");
    EXPECT_EQ(session.GestureCalls().size(), 3u);

    entry.Open(time, session.Plugin().Param(Time), time->Style(), box, "0.80", 16);
    entry.TakeKey(editor, EntryKey::Backspace, 0);
    EXPECT_STREQ(entry.Text(), "");
    type("5");
    EXPECT_TRUE(entry.TakeKey(editor, EntryKey::Escape, 0));
    EXPECT_EQ(ShownByHost(session.host, Time), "0.80 s");
    EXPECT_EQ(session.GestureCalls().size(), 3u);
}
