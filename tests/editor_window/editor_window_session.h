// The effect built into the test program, driven through its effect record by the bundled host,
// with its editor opened into a real top-level window (host/host_window.h) and idled the way a
// host's user-interface loop idles it. Only the window system differs between platforms; the
// tests built on this run unchanged on both.
#pragma once

#include "host/host_window.h"
#include "host/plugin_host.h"
#include "tests/editor/reference_editor.h"
#include "vst2/plugin_export.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace editor_window {

enum Param { Sensitivity = 0, Time = 1, Depth = 2, Vol = 3, OnOff = 4 };

constexpr int EditorWidth = 555;
constexpr int EditorHeight = 306;

// Where the layout puts the switch and the Time knob's centre.
struct Point {
    int x;
    int y;
};
constexpr Point SwitchPoint{30, 30};
constexpr Point TimeCentre{133, 167};

// Long enough for the host loop's idle calls to run the 40 ms redraw step twice.
constexpr int TwoTicks = 120;

class EditorInWindow {
    // Declared first so it goes last: hosts close the plug-in before their window.
    std::unique_ptr<HostWindow> window_;

public:
    // The host window; false, with the reason in error, when there is no window system.
    bool OpenWindow(std::string& error) {
        window_ = HostWindow::Open(EditorWidth, EditorHeight, error);
        return window_ != nullptr;
    }
    // The window and an instance of the effect built into the program, opened for processing.
    bool Start(std::string& error) {
        if (!OpenWindow(error)) {
            return false;
        }
        if (!host.Create(&VSTPluginMain)) {
            error = host.LastError();
            return false;
        }
        host.Open();
        return true;
    }

    HostWindow& Window() { return *window_; }
    VstIntPtr OpenEditor() { return host.Dispatch(effEditOpen, 0, 0, window_->ParentHandle()); }
    VstIntPtr CloseEditor() { return host.Dispatch(effEditClose); }
    void Run(int milliseconds) { window_->Run(host, milliseconds); }

    void Click(Point at, HostWindow::Modifiers keys = {}) {
        window_->MoveMouse(at.x, at.y);
        window_->PressButton(HostWindow::Button::Left, keys);
        window_->ReleaseButton(HostWindow::Button::Left, keys);
    }

    // The frames the controls show at the host's current parameter values.
    EditorFrames CurrentFrames() {
        return EditorFrames{KnobFrame(host.GetParameter(Sensitivity)),
                            KnobFrame(host.GetParameter(Time)), KnobFrame(host.GetParameter(Depth)),
                            KnobFrame(host.GetParameter(Vol)),
                            host.GetParameter(OnOff) >= 0.5f ? 2 : 1};
    }

    // The window shows the editor's picture at these frames, pixel for pixel.
    testing::AssertionResult Shows(const EditorFrames& frames) {
        std::vector<std::uint32_t> shown;
        if (!window_->ReadPixels(0, 0, EditorWidth, EditorHeight, shown)) {
            return testing::AssertionFailure() << "the window's pixels cannot be read";
        }
        const std::vector<uint32_t> expected = ReferenceEditor(frames);
        int wrong = 0;
        size_t first = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            if (shown[i] != (expected[i] & 0xFFFFFF)) {
                first = wrong++ == 0 ? i : first;
            }
        }
        if (wrong == 0) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << wrong << " pixels differ; the first at (" << first % EditorWidth << ", "
               << first / EditorWidth << "): " << std::hex << shown[first] << " instead of "
               << (expected[first] & 0xFFFFFF);
    }

    PluginHost host;
};

// A fixture with one instance and its host window, skipped when no window can be opened.
class EditorWindow : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        if (!editor.Start(error)) {
            GTEST_SKIP() << "no window to open the editor in: " << error;
        }
    }

    // Opens the editor and lets the host loop run until the first steps have painted it.
    void OpenAndShow() {
        ASSERT_EQ(editor.OpenEditor(), 1);
        editor.Run(TwoTicks);
        editor.host.ClearCalls();
    }

    EditorInWindow editor;
};

} // namespace editor_window
