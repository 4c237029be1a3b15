#include "editor/menu_list.h"

MenuEntry::MenuEntry(const char* text, std::int32_t entryFlags) : flags(entryFlags) {
    this->text.Set(text);
}

MenuEntry::~MenuEntry() {
    delete submenu;
}

MenuEntry* MenuList::Add(const char* text, std::int32_t flags) {
    auto* entry = new MenuEntry(text, flags);
    return entries.Append(entry) ? entry : nullptr;
}
