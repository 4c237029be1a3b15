// The editor window's life as a host sees it: the requests that open and close it, the class the
// windows of the module share, reopening, the host destroying its own window first, and the
// handles open/close cycles leave behind (counted by the recording ledger and checked against the
// system, since the system's own GDI counters are a stub under Wine).
#include "editor/control.h"
#include "handle_ledger_recording.h"
#include "window_session.h"

#include <psapi.h>
#include <sstream>

namespace {

constexpr const char* EditorClass = "CrescendaEditorWnd";

bool ClassRegistered() {
    WNDCLASSA found;
    return GetClassInfoA(GetModuleHandleA(nullptr), EditorClass, &found) != 0;
}

RECT PlaceInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int ChildWindowCount(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

std::string Describe(const std::vector<LedgerEntry>& entries) {
    std::ostringstream text;
    for (const LedgerEntry& entry : entries) {
        text << HandleLedger::KindName(entry.kind) << " 0x" << std::hex << entry.handle << "; ";
    }
    return text.str();
}

// What the system says of a handle the ledger recorded: true when it is really gone.
bool GoneForTheSystem(const LedgerEntry& entry) {
    switch (entry.kind) {
    case LedgerKind::Window:
        return !IsWindow(reinterpret_cast<HWND>(entry.handle));
    case LedgerKind::Font:
        return GetObjectType(reinterpret_cast<HGDIOBJ>(entry.handle)) == 0;
    case LedgerKind::Menu:
        return !IsMenu(reinterpret_cast<HMENU>(entry.handle));
    case LedgerKind::WindowClass:
        return !ClassRegistered();
    default:
        return true; // timers and paint contexts end with their window and paint
    }
}

// The process's committed memory (Wine fills this counter, not the private-bytes one).
SIZE_T CommittedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

// One cycle of a host's use of the editor: open, a tick or two of painting, now and then a text
// entry (closed with the window or applied), a popup menu and tooltips, then close.
void EditorCycle(WindowSession& session, int cycle) {
    session.Editor().SetTooltips(cycle % 10 == 0);
    ASSERT_TRUE(session.OpenEditor());
    session.RunTicks(1);
    HWND editor = session.EditorWindow();
    if (cycle % 3 == 1) {
        Control* time = session.Editor().ControlAt(2);
        session.Editor().BeginTextEntry(time, time->Style(), Bounds{113, 159, 153, 175}, "0.5",
                                        session.Plugin().Param(Time));
        if (cycle % 2 == 0) {
            PostKey(FindWindowExA(editor, nullptr, "EDIT", nullptr), VK_RETURN);
            session.RunTicks(2);
        }
    }
    if (cycle % 7 == 2) {
        MenuList list;
        list.Add("one");
        list.Add("two");
        PostKey(editor, VK_ESCAPE);
        session.Editor().RunPopupMenu(list, Bounds{10, 10, 50, 30});
    }
    session.CloseEditor();
}

} // namespace

TEST(EditorWindow, OpensAsAChildOfTheHostWindowAtTheReportedSizeAndClosesOnRequest) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    EXPECT_NE(session.Effect()->flags & effFlagsHasEditor, 0);
    ASSERT_TRUE(session.OpenEditor());
    HWND editor = session.EditorWindow();
    ASSERT_TRUE(IsWindow(editor));
    EXPECT_EQ(GetParent(editor), session.HostHandle());
    const RECT place = PlaceInParent(editor);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.right - place.left, 555);
    EXPECT_EQ(place.bottom - place.top, 306);
    ERect* rect = nullptr;
    ASSERT_EQ(session.host.Dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right - rect->left, 555);
    EXPECT_EQ(rect->bottom - rect->top, 306);

    session.CloseEditor();
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_FALSE(session.Editor().HasWindow());
}

TEST(EditorWindow, TwoEditorsShareOneClassThatTheLastCloseUnregisters) {
    WindowSession first;
    WindowSession second;
    SKIP_WITHOUT_WINDOW(first);
    SKIP_WITHOUT_WINDOW(second);
    EXPECT_FALSE(ClassRegistered());
    ASSERT_TRUE(first.OpenEditor());
    ASSERT_TRUE(second.OpenEditor());
    EXPECT_EQ(GetClassLongPtrA(first.EditorWindow(), GCW_ATOM),
              GetClassLongPtrA(second.EditorWindow(), GCW_ATOM));

    first.CloseEditor();
    EXPECT_TRUE(ClassRegistered());
    HWND remaining = second.EditorWindow();
    EXPECT_TRUE(IsWindow(remaining));
    second.RunTicks(2);
    second.CloseEditor();
    EXPECT_FALSE(ClassRegistered());
}

TEST(EditorWindow, ReopeningWhileOpenKeepsThePlaceAndSizeAndLeavesOneWindow) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    ASSERT_TRUE(session.OpenEditor());
    SetWindowPos(session.EditorWindow(), nullptr, 17, 9, 500, 280, SWP_NOZORDER);
    ASSERT_TRUE(session.OpenEditor());
    const RECT place = PlaceInParent(session.EditorWindow());
    EXPECT_EQ(place.left, 17);
    EXPECT_EQ(place.top, 9);
    EXPECT_EQ(place.right - place.left, 500);
    EXPECT_EQ(place.bottom - place.top, 280);
    EXPECT_EQ(ChildWindowCount(session.HostHandle()), 1);
}

// Some hosts destroy their window without closing the editor first.
TEST(EditorWindow, AHostDestroyingItsWindowFirstLeavesNoEditorWindowBehind) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    HandleLedger::Clear();
    ASSERT_TRUE(session.OpenEditor());
    Control* time = session.Editor().ControlAt(2);
    session.Editor().BeginTextEntry(time, time->Style(), Bounds{113, 159, 153, 175}, "0.5",
                                    session.Plugin().Param(Time));
    session.window.reset();
    EXPECT_FALSE(session.Editor().HasWindow());
    EXPECT_EQ(session.host.Dispatch(effEditClose), 1);

    // A class cannot be unregistered while its last window is being destroyed: the next close
    // of an editor does it.
    session.window = HostWindow::Open(555, 306, session.windowError);
    ASSERT_TRUE(session.OpenEditor());
    session.CloseEditor();
    EXPECT_FALSE(ClassRegistered());
    const std::vector<LedgerEntry> open = HandleLedger::Open();
    EXPECT_TRUE(open.empty()) << Describe(open);
}

TEST(EditorWindow, TwoHundredOpenCloseCyclesLeaveNoHandleOpen) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    for (int cycle = 0; cycle < 20; ++cycle) {
        EditorCycle(session, cycle); // warms the caches the system keeps
    }
    HandleLedger::Clear();
    const SIZE_T before = CommittedBytes();
    for (int cycle = 0; cycle < 200; ++cycle) {
        EditorCycle(session, cycle);
    }
    const SIZE_T after = CommittedBytes();

    const std::vector<LedgerEntry> open = HandleLedger::Open();
    EXPECT_TRUE(open.empty()) << open.size() << " handles still open: " << Describe(open);
    int stillThere = 0;
    for (const LedgerEntry& entry : HandleLedger::EverMade()) {
        stillThere += GoneForTheSystem(entry) ? 0 : 1;
    }
    EXPECT_EQ(stillThere, 0);
    // Each kind was made, so the ledger really saw the cycles.
    for (LedgerKind kind : {LedgerKind::WindowClass, LedgerKind::Window, LedgerKind::Timer,
                            LedgerKind::Font, LedgerKind::Menu, LedgerKind::PaintDeviceContext}) {
        EXPECT_GT(HandleLedger::MadeCount(kind), 0) << HandleLedger::KindName(kind);
    }
    std::printf(
        "200 open/close cycles: %d windows, %d timers, %d fonts, %d menus, %d paints made; "
        "%zu left open; committed memory %lld KiB before, %lld KiB after\n",
        HandleLedger::MadeCount(LedgerKind::Window), HandleLedger::MadeCount(LedgerKind::Timer),
        HandleLedger::MadeCount(LedgerKind::Font), HandleLedger::MadeCount(LedgerKind::Menu),
        HandleLedger::MadeCount(LedgerKind::PaintDeviceContext), open.size(),
        static_cast<long long>(before / 1024), static_cast<long long>(after / 1024));
}
