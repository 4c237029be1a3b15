// The text entry a right click opens on a knob, driven by posted keys as the keyboard delivers
// them: Return applies the text read in the parameter's unit (or shows why it is refused), Escape,
// the wheel and a click elsewhere drop the entry, the box refuses a decimal point for an integer
// parameter without a unit.
#include "editor/control.h"
#include "handle_ledger_recording.h"
#include "window_session.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr Point SensitivityCentre{323, 120};
constexpr Point VolCentre{482, 228};
constexpr UINT_PTR RedrawTimer = 2; // the editor window's timer

class TextEntry : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_WINDOW(session);
        // Sensitivity becomes a whole number from 0 to 100 without a unit; Vol stays in dB.
        PluginParam& sensitivity = *session.Plugin().Param(Sensitivity);
        sensitivity.SetKind(ParamKindInteger);
        sensitivity.InitNumeric("Sensitivity", 50, 0, 100, 1, 1);
        ASSERT_TRUE(session.OpenEditor());
        session.RunTicks(2);
    }

    // A right click on the point with real input; the box it opens, or null.
    HWND RightClick(Point p) {
        session.window->MoveMouse(p.x, p.y);
        session.window->PressButton(HostWindow::Button::Right, {});
        session.window->ReleaseButton(HostWindow::Button::Right, {});
        session.Run(TickMilliseconds / 2);
        return Box();
    }
    HWND Box() { return FindWindowExA(session.EditorWindow(), nullptr, "EDIT", nullptr); }
    double PlainValue(EditorParam p) { return session.Plugin().Param(p)->Value(); }
    std::string BoxText(HWND box) {
        char text[64] = {};
        GetWindowTextA(box, text, sizeof text);
        return text;
    }

    WindowSession session;
};

} // namespace

TEST_F(TextEntry, ReturnAppliesTheTypedValueAndTheIntegerBoxRefusesThePoint) {
    HWND box = RightClick(SensitivityCentre);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "50"); // the value, all of it selected for typing over
    PostTyping(box, "1.5");
    session.Run(TickMilliseconds);
    EXPECT_EQ(BoxText(box), "15");
    PostKey(box, VK_RETURN);
    session.RunTicks(2);
    EXPECT_EQ(Box(), nullptr);
    EXPECT_EQ(PlainValue(Sensitivity), 15.0);
    EXPECT_FLOAT_EQ(session.host.GetParameter(Sensitivity), 0.15f);
}

// Vol's box opens with its display's text and takes a unit after the number: -6.5 dB is a gain
// of 10^(-6.5/20), typed over the value as one gesture. A refused text leaves the value, and the
// box says why, selected, so the next text is typed over it.
TEST_F(TextEntry, TheBoxTakesTheUnitAppliesOneGestureAndSaysWhyATextIsRefused) {
    HWND box = RightClick(VolCentre);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "0.0");
    for (const auto& [typed, why] :
         {std::pair<const char*, const char*>{"7", "range -inf to +6.0 dB"},
          {"abc", "not a level"}}) {
        PostTyping(box, typed);
        PostKey(box, VK_RETURN);
        session.RunTicks(2);
        EXPECT_EQ(BoxText(Box()), why);
    }
    EXPECT_TRUE(session.GestureCalls().empty());
    PostTyping(box, "-6.5 db");
    PostKey(box, VK_RETURN);
    session.RunTicks(2);
    EXPECT_EQ(Box(), nullptr);
    EXPECT_NEAR(PlainValue(Vol), std::pow(10.0, -6.5 / 20.0), 1e-12);
    const std::vector<HostCall> calls = session.GestureCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
}

TEST_F(TextEntry, EscapeAndTheWheelDropTheEntry) {
    HWND box = RightClick(SensitivityCentre);
    ASSERT_NE(box, nullptr);
    PostTyping(box, "15");
    PostKey(box, VK_ESCAPE);
    session.RunTicks(2);
    EXPECT_EQ(Box(), nullptr);
    EXPECT_EQ(PlainValue(Sensitivity), 50.0);

    session.Run(static_cast<int>(GetDoubleClickTime())); // a second click, not a double click
    box = RightClick(SensitivityCentre);
    ASSERT_NE(box, nullptr);
    PostTyping(box, "15");
    POINT screen{SensitivityCentre.x, SensitivityCentre.y};
    ClientToScreen(session.EditorWindow(), &screen);
    PostMessageA(session.EditorWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                 PointParam(screen.x, screen.y));
    session.RunTicks(2);
    EXPECT_EQ(Box(), nullptr);
    EXPECT_EQ(PlainValue(Sensitivity), 50.0); // neither typed nor turned
}

// A cancel with no box open is not kept for the next entry.
TEST_F(TextEntry, ACancelDropsTheOpenEntryOnlyAndNotTheNextOne) {
    session.Editor().CancelTextEntry();
    HWND box = RightClick(SensitivityCentre);
    ASSERT_NE(box, nullptr);
    session.RunTicks(2);
    EXPECT_EQ(Box(), box);
    session.Editor().CancelTextEntry();
    session.RunTicks(2);
    EXPECT_EQ(Box(), nullptr);
}

TEST_F(TextEntry, AClickElsewhereInTheEditorDropsTheEntryAtTheNextTick) {
    HWND box = RightClick(SensitivityCentre);
    ASSERT_NE(box, nullptr);
    PostTyping(box, "15");
    session.RunTicks(2);
    // The test gives the ticks itself from here, so none comes between the click and the check.
    HWND editor = session.EditorWindow();
    KillTimer(editor, RedrawTimer);
    session.window->MoveMouse(BackgroundCorner.x, BackgroundCorner.y);
    session.window->PressButton(HostWindow::Button::Left, {});
    session.window->ReleaseButton(HostWindow::Button::Left, {});
    session.Run(TickMilliseconds);
    EXPECT_EQ(Box(), box);
    EXPECT_EQ(PlainValue(Sensitivity), 50.0);
    SendMessageA(editor, WM_TIMER, RedrawTimer, 0);
    EXPECT_EQ(Box(), nullptr);
    EXPECT_EQ(PlainValue(Sensitivity), 50.0);
    SetTimer(editor, RedrawTimer, TickMilliseconds, nullptr);
}

// The box is painted in the control's entry colours, around the text as well as behind it.
TEST_F(TextEntry, TheBoxShowsTheControlsEntryBackgroundAroundItsText) {
    session.Editor().ControlAt(1)->Style().entryBackground = Argb{255, 200, 30, 40};
    HWND box = RightClick(SensitivityCentre);
    ASSERT_NE(box, nullptr);
    session.RunTicks(2);
    RECT area{};
    GetWindowRect(box, &area);
    MapWindowPoints(HWND_DESKTOP, session.HostHandle(), reinterpret_cast<POINT*>(&area), 2);
    std::vector<std::uint32_t> corner; // the box's top left, left of its centred text
    ASSERT_TRUE(session.window->ReadPixels(area.left + 1, area.top + 1, 3, 3, corner));
    for (std::uint32_t pixel : corner) {
        EXPECT_EQ(pixel, 0xC81E28u);
    }
}

// The box's font is the box's own: it goes when the box goes.
TEST_F(TextEntry, TheBoxFontIsReleasedWithTheBox) {
    HandleLedger::Clear();
    HWND box = RightClick(SensitivityCentre);
    ASSERT_NE(box, nullptr);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(HandleLedger::MadeCount(LedgerKind::Font), 1);
    PostKey(box, VK_ESCAPE);
    session.RunTicks(2);
    EXPECT_EQ(GetObjectType(font), 0u);
    for (const LedgerEntry& entry : HandleLedger::Open()) {
        EXPECT_NE(entry.kind, LedgerKind::Font);
    }
}

// Closing the window drops an open entry: the typed text is not applied later, and the next
// prompt opens a box again.
TEST_F(TextEntry, ClosingTheWindowDiscardsAnOpenEntry) {
    HWND box = RightClick(SensitivityCentre);
    ASSERT_NE(box, nullptr);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0));
    PostTyping(box, "15");
    PostKey(box, VK_RETURN);
    session.CloseEditor(); // before the tick that would apply it
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(GetObjectType(font), 0u);

    ASSERT_TRUE(session.OpenEditor());
    session.RunTicks(3);
    EXPECT_EQ(PlainValue(Sensitivity), 50.0);
    session.Run(static_cast<int>(GetDoubleClickTime()));
    box = RightClick(SensitivityCentre);
    ASSERT_NE(box, nullptr);
    PostTyping(box, "20");
    PostKey(box, VK_RETURN);
    session.RunTicks(2);
    EXPECT_EQ(PlainValue(Sensitivity), 20.0);
}

// A switch shows its value as on or off and takes those in any case, or its number: confirming
// it unchanged keeps it. Display texts count first, when they match exactly.
TEST_F(TextEntry, ASwitchEntryTakesOnOffItsNumberOrOneOfItsDisplayTexts) {
    PluginParam& onOff = *session.Plugin().Param(OnOff);
    onOff.SetKind(ParamKindBoolean);
    Control* onOffSwitch = session.Editor().ControlAt(5);
    const auto commit = [&](const char* text) {
        session.Editor().BeginTextEntry(onOffSwitch, onOffSwitch->Style(), Bounds{10, 10, 50, 26},
                                        text, &onOff);
        PostKey(Box(), VK_RETURN);
        session.RunTicks(2);
        return session.Plugin().Param(OnOff)->Value();
    };
    ASSERT_EQ(onOff.Value(), 1.0);
    EXPECT_EQ(commit("1"), 1.0);
    EXPECT_EQ(commit("0"), 0.0);
    onOff.AddDisplayText(0, "Off");
    onOff.AddDisplayText(1, "On");
    EXPECT_EQ(commit("On"), 1.0);
    EXPECT_EQ(commit("off"), 0.0);
    EXPECT_EQ(commit("On"), 1.0);
    EXPECT_EQ(commit("Off"), 0.0);
}

// At each scale a host asks for, the box opens where the knob is drawn, its height grows with the
// scale (to the pixel it rounds to), and a typed value applies as at 1x.
TEST_F(TextEntry, TheBoxOpensOnTheScaledKnobGrowsWithTheScaleAndApplies) {
    int baseHeight = 0;
    for (const int percent : {100, 150, 200}) {
        SCOPED_TRACE(percent);
        ASSERT_EQ(session.host.Dispatch(effVendorSpecific, 0x50726553 /* 'PreS' */,
                                        0x41654373 /* 'AeCs' */, nullptr, percent / 100.0f),
                  1);
        session.host.SetParameter(Vol, 0.5f);
        session.RunTicks(2);
        session.host.ClearCalls();
        HWND box = RightClick({VolCentre.x * percent / 100, VolCentre.y * percent / 100});
        ASSERT_NE(box, nullptr);
        RECT rect{};
        GetClientRect(box, &rect);
        baseHeight = percent == 100 ? rect.bottom : baseHeight;
        EXPECT_NEAR(rect.bottom, baseHeight * percent / 100.0, 1.0);
        PostTyping(box, "-6.5 db");
        PostKey(box, VK_RETURN);
        session.RunTicks(2);
        EXPECT_EQ(Box(), nullptr);
        EXPECT_NEAR(PlainValue(Vol), std::pow(10.0, -6.5 / 20.0), 1e-12);
        EXPECT_EQ(session.GestureCalls().size(), 3u);
        session.Run(600); // the next right click is no double click
    }
}
