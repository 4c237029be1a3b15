// A window class for tests: no window, but it records every rectangle the context presents, and
// it can pretend to open windows so the adapter's editor requests can be followed.
#pragma once

#include "editor/windowless_graphics.h"
#include "platform/module_handle.h"

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

    std::vector<Bounds> presented;

private:
    bool opensWindows_;
    NativeWindow window_ = nullptr;
};
