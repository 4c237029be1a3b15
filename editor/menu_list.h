// MenuList and MenuEntry: a popup menu as the editor describes it to the window, which shows it
// and records the choice in the list that holds the chosen entry.
#pragma once

#include "framework/pointer_list.h"
#include "framework/text_buffer.h"

#include <cstdint>

struct MenuList;

enum MenuEntryFlags : std::int32_t {
    MenuGreyed = 1,
    MenuDisabled = 2,
    MenuChecked = 4,
    MenuSeparator = 8, // shows no text
};

struct MenuEntry {
    MenuEntry(const char* text, std::int32_t flags);
    ~MenuEntry();
    MenuEntry(const MenuEntry&) = delete;
    MenuEntry& operator=(const MenuEntry&) = delete;

    TextBuffer text;
    MenuList* submenu = nullptr; // owned
    std::int32_t flags = 0;
};

struct MenuList {
    // 0: entries shown as they are; 1, 2, 3: prefixed with their 1-based number as "%1d: ",
    // "%02d: " or "%03d: ".
    std::int32_t numbering = 0;
    // The chosen entry's 0-based index within this list, -1 until a choice is made.
    std::int32_t chosenIndex = -1;
    PointerList<MenuEntry> entries;

    // Appends an entry; null when the list could not grow.
    MenuEntry* Add(const char* text, std::int32_t flags = 0);
};
