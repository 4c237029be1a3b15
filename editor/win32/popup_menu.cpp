// Popup menus: a MenuList shown as a Win32 popup menu under its rectangle; the choice goes to the
// list that holds the chosen entry. Command numbers start at 0: a list's own entries take
// consecutive numbers and each submenu the next free block, depth first. UI thread.
#include "editor/win32/graphics_win32.h"
#include "editor/win32/noted_calls.h"

namespace {

constexpr int EntryTextExtra = 8; // room for the "%03d: " number in front of an entry's text

// The entry's text as the list's numbering mode shows it (1-based numbers).
void EntryLabel(const MenuList& list, int index, const MenuEntry& entry, TextBuffer& label) {
    const int room = entry.text.Length() + EntryTextExtra;
    switch (list.numbering) {
    case 1:
        label.PrintInto(room, "%1d: %s", index + 1, entry.text.Text());
        break;
    case 2:
        label.PrintInto(room, "%02d: %s", index + 1, entry.text.Text());
        break;
    case 3:
        label.PrintInto(room, "%03d: %s", index + 1, entry.text.Text());
        break;
    default:
        label.Set(entry.text.Text());
        break;
    }
}

UINT EntryFlags(const MenuEntry& entry) {
    UINT flags = MF_STRING;
    if ((entry.flags & MenuGreyed) != 0) {
        flags |= MF_GRAYED;
    }
    if ((entry.flags & MenuDisabled) != 0) {
        flags |= MF_DISABLED;
    }
    if ((entry.flags & MenuChecked) != 0) {
        flags |= MF_CHECKED;
    }
    return flags;
}

// Builds the menu of list whose entries are numbered from next on; next moves past every number
// the list and its submenus take. Null when a menu cannot be made.
HMENU BuildMenu(const MenuList& list, int& next) {
    HMENU menu = Noted::CreatePopupMenu();
    if (menu == nullptr) {
        return nullptr;
    }
    const int first = next;
    next += list.entries.Count();
    TextBuffer label;
    for (int i = 0; i < list.entries.Count(); ++i) {
        const MenuEntry& entry = *list.entries.Get(i);
        if ((entry.flags & MenuSeparator) != 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        EntryLabel(list, i, entry, label);
        if (entry.submenu == nullptr) {
            AppendMenuA(menu, EntryFlags(entry), static_cast<UINT_PTR>(first + i), label.Text());
            continue;
        }
        HMENU submenu = BuildMenu(*entry.submenu, next);
        if (submenu == nullptr) {
            Noted::DestroyMenu(menu); // a menu without one of its blocks would misnumber the rest
            return nullptr;
        }
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), label.Text());
    }
    return menu;
}

// The list whose block holds the command number, numbered as BuildMenu numbers; its chosen index
// becomes the number's place in the block.
MenuList* ListHolding(MenuList& list, int number, int& next) {
    const int first = next;
    next += list.entries.Count();
    if (number >= first && number < next) {
        list.chosenIndex = number - first;
        return &list;
    }
    for (int i = 0; i < list.entries.Count(); ++i) {
        MenuEntry& entry = *list.entries.Get(i);
        if (entry.submenu != nullptr && (entry.flags & MenuSeparator) == 0) {
            if (MenuList* holder = ListHolding(*entry.submenu, number, next)) {
                return holder;
            }
        }
    }
    return nullptr;
}

} // namespace

// The menu swallows the button release, so the gesture ends here.
MenuList* GraphicsWin32::RunPopupMenu(MenuList& list, const Bounds& rect) {
    ClearCapture();
    if (window_ == nullptr) {
        return nullptr;
    }
    int next = 0;
    HMENU menu = BuildMenu(list, next);
    if (menu == nullptr) {
        return nullptr;
    }
    POINT corner{rect.left, rect.bottom};
    ClientToScreen(window_, &corner);
    HWND owner = window_;
    MenuList* chosen = nullptr;
    menuOpen_ = true;
    const BOOL tracked =
        TrackPopupMenu(menu, TPM_LEFTBUTTON, corner.x, corner.y, 0, owner, nullptr);
    menuOpen_ = false;
    // The menu's modal loop dispatches messages: the host may have closed or reopened the editor
    // meanwhile, and a choice made for a window that is gone counts for nothing.
    if (tracked && window_ == owner) {
        MSG command{};
        if (PeekMessageA(&command, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
            HIWORD(command.wParam) == 0) {
            int numbering = 0;
            chosen = ListHolding(list, LOWORD(command.wParam), numbering);
        }
    }
    Noted::DestroyMenu(menu);
    if (window_ != nullptr) {
        const RECT whole{0, 0, Width(), Height()};
        InvalidateRect(window_, &whole, FALSE);
    }
    return chosen;
}
