// A window class for tests: no window, but it records every rectangle the context presents and
// every prompt it is asked to show (answering menus with a chosen entry), and it can pretend to
// open windows so the adapter's editor requests can be followed.
#pragma once

#include "editor/windowless_graphics.h"
#include "platform/module_handle.h"

#include <string>
#include <vector>

class RecordingGraphics : public WindowlessGraphics {
public:
    explicit RecordingGraphics(PluginCore* plugin = nullptr, bool opensWindows = false)
        : WindowlessGraphics(plugin, ThisModuleHandle()), opensWindows_(opensWindows) {}

    bool PresentRect(const Bounds& rect) override {
        presented.push_back(rect);
        return true;
    }
    NativeWindow OpenEditorWindow(NativeWindow parent) override {
        window_ = opensWindows_ ? parent : nullptr;
        return window_;
    }
    void CloseEditorWindow() override { window_ = nullptr; }
    NativeWindow WindowHandle() override { return window_; }
    bool CanOpenWindows() const override { return opensWindows_; }
    void BeginTextEntry(Control* /*control*/, const TextStyle& /*style*/, const Bounds& rect,
                        const char* text, PluginParam* /*param*/) override {
        entryRect = rect;
        entryText = text;
    }
    MenuList* RunPopupMenu(MenuList& list, const Bounds& /*rect*/) override {
        menu.clear();
        for (int i = 0; i < list.entries.Count(); ++i) {
            const MenuEntry* entry = list.entries.Get(i);
            menu.push_back(std::string(entry->text.Text()) +
                           ((entry->flags & MenuChecked) != 0 ? " (checked)" : ""));
        }
        list.chosenIndex = menuChoice;
        return menuChoice >= 0 ? &list : nullptr;
    }

    std::vector<Bounds> presented;
    Bounds entryRect;
    std::string entryText;
    std::vector<std::string> menu;
    int menuChoice = -1;

private:
    bool opensWindows_;
    NativeWindow window_ = nullptr;
};
