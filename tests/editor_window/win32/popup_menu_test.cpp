// Popup menus in the window, chosen with keys as a user would while the menu tracks: the choice
// lands in the list that holds the chosen entry, counted within it.
#include "dialog_driver.h"
#include "editor/control.h"
#include "window_session.h"

namespace {

// Keys waiting in the queue when the menu starts tracking are the menu's.
void QueueKeys(HWND window, std::initializer_list<UINT> keys) {
    for (UINT key : keys) {
        PostKey(window, key);
    }
}

} // namespace

TEST(PopupMenu, AChoiceInASubmenuSetsThatSubmenusChosenIndex) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    ASSERT_TRUE(session.OpenEditor());
    session.RunTicks(1);
    MenuList list;
    list.Add("Load");
    MenuEntry* presets = list.Add("Presets");
    presets->submenu = new MenuList;
    presets->submenu->numbering = 2;
    presets->submenu->Add("Init");
    presets->submenu->Add("Arpeggio");
    presets->submenu->Add("Before Overdrive");
    list.Add("Save");

    // Down to "Presets", into it, down to its second entry, choose.
    QueueKeys(session.EditorWindow(), {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
    const MenuList* chosen = session.Editor().RunPopupMenu(list, Bounds{100, 100, 140, 116});
    EXPECT_EQ(chosen, presets->submenu);
    EXPECT_EQ(presets->submenu->chosenIndex, 1);
    EXPECT_EQ(list.chosenIndex, -1);

    QueueKeys(session.EditorWindow(), {VK_UP, VK_RETURN}); // the last entry of the top list
    chosen = session.Editor().RunPopupMenu(list, Bounds{100, 100, 140, 116});
    EXPECT_EQ(chosen, &list);
    EXPECT_EQ(list.chosenIndex, 2);

    QueueKeys(session.EditorWindow(), {VK_ESCAPE});
    list.chosenIndex = -1;
    EXPECT_EQ(session.Editor().RunPopupMenu(list, Bounds{100, 100, 140, 116}), nullptr);
    EXPECT_EQ(list.chosenIndex, -1);
}

// The menu swallows the button release, so the press that opened it ends its gesture there.
TEST(PopupMenu, APromptMenuSendsTheChoiceInsideTheGestureOfItsPress) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    // Depth becomes a choice of two named values; its knob prompts with a menu of them.
    PluginParam& depth = *session.Plugin().Param(Depth);
    depth.SetKind(ParamKindEnumerated);
    depth.InitNumeric("Depth", 0, 0, 1, 1, 1);
    depth.AddDisplayText(0, "Shallow");
    depth.AddDisplayText(1, "Deep");
    session.Editor().ControlAt(3)->SetPromptDisabled(false);
    ASSERT_TRUE(session.OpenEditor());
    session.RunTicks(1);
    session.host.ClearCalls();

    std::string shown;
    DialogDriver chooser(
        GetCurrentThreadId(),
        [&](HWND menu) {
            HMENU items = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
            char text[32] = {};
            GetMenuStringA(items, 1, text, sizeof text, MF_BYPOSITION);
            shown = text;
            for (UINT key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
                PostKey(menu, key);
            }
        },
        DialogDriver::MenuClass);
    session.window->MoveMouse(478, 84);
    session.window->PressButton(HostWindow::Button::Right, {});
    session.window->ReleaseButton(HostWindow::Button::Right, {});
    session.RunTicks(2);
    ASSERT_TRUE(chooser.Acted());
    EXPECT_EQ(shown, "Deep");
    EXPECT_EQ(depth.Value(), 1.0);
    const std::vector<HostCall> calls = session.GestureCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[1].opt, 1.0f);
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
}
