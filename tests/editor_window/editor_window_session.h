// The effect built into the test program, driven through its effect record by the bundled host,
// its editor opened into a real top-level window (host/host_window.h) that is idled the way a
// host's user-interface loop idles it. Only the window system differs between platforms; the
// tests built on this run unchanged on both.
#pragma once

#include "host/host_window.h"
#include "host/plugin_host.h"
#include "tests/editor/reference_editor.h"
#include "vst2/plugin_export.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace editor_window {

enum Param { Sensitivity = 0, Time = 1, Depth = 2, Vol = 3, OnOff = 4 };
constexpr int EditorWidth = 555;
constexpr int EditorHeight = 306;
struct Point {
    int x;
    int y;
};
constexpr Point SwitchPoint{30, 30};
constexpr Point TimeCentre{133, 167}; // as the editor's layout places them
// Long enough for the host loop's idle calls to run the 40 ms redraw step twice.
constexpr int TwoTicks = 120;
// How long a test waits for what a loaded machine may deliver late (a first paint, input).
constexpr int WaitLimit = 10000;

class EditorInWindow {
    // Declared first so it goes last: hosts close the plug-in before their window.
    std::unique_ptr<HostWindow> window_;

public:
    // The host window; false, with the reason in error, when there is no window system.
    bool OpenWindow(std::string& error, int width = EditorWidth, int height = EditorHeight) {
        window_.reset(); // its place on the screen goes to the new one
        window_ = HostWindow::Open(width, height, error);
        return window_ != nullptr;
    }
    // The window and an instance of the effect built into the program, opened for processing
    // (host.Effect() is null when the instance could not be made).
    bool Start(std::string& error) {
        if (!OpenWindow(error)) {
            return false;
        }
        if (host.Create(&VSTPluginMain)) {
            host.Open();
        }
        return true;
    }

    HostWindow& Window() { return *window_; }
    VstIntPtr OpenEditor() { return host.Dispatch(effEditOpen, 0, 0, window_->ParentHandle()); }
    VstIntPtr CloseEditor() { return host.Dispatch(effEditClose); }
    void Run(int milliseconds) { window_->Run(host, milliseconds); }
    // Runs the host loop until done() holds, for at most milliseconds; whether it came to hold.
    template <typename Done>
    bool RunUntil(Done done, int milliseconds = WaitLimit) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() >= end) {
                return false;
            }
            Run(40);
        }
        return true;
    }
    // Press the left button at from, move to to, release there.
    void Drag(Point from, Point to) {
        window_->MoveMouse(from.x, from.y);
        window_->PressButton(HostWindow::Button::Left, {});
        window_->MoveMouse(to.x, to.y);
        window_->ReleaseButton(HostWindow::Button::Left, {});
    }
    void Click(Point at) {
        window_->MoveMouse(at.x, at.y);
        window_->PressButton(HostWindow::Button::Left, {});
        window_->ReleaseButton(HostWindow::Button::Left, {});
    }

    // The frames the controls show at the host's current parameter values.
    EditorFrames CurrentFrames() {
        const auto frame = [this](Param p) { return KnobFrame(host.GetParameter(p)); };
        return EditorFrames{frame(Sensitivity), frame(Time), frame(Depth), frame(Vol),
                            host.GetParameter(OnOff) >= 0.5f ? 2 : 1};
    }

    // The window shows the editor's picture at these frames (and scale), pixel for pixel.
    // The first paint of a process decodes the images, which can take longer than the host's
    // ticks on a loaded machine: the host loop runs on until it shows, up to WaitLimit.
    testing::AssertionResult Shows(const EditorFrames& frames, int percent = 100) {
        const std::vector<std::uint32_t> expected = ReferenceEditor(frames, percent);
        int wrong = 0;
        bool read = true;
        RunUntil([&] {
            std::vector<std::uint32_t> shown;
            read =
                window_->ReadPixels(0, 0, ReferenceWidth(percent), ReferenceHeight(percent), shown);
            wrong = read ? DifferingPixels(shown, expected, percent) : -1;
            return !read || wrong == 0;
        });
        if (!read) {
            return testing::AssertionFailure() << "the window's pixels cannot be read";
        }
        if (wrong != 0) {
            return testing::AssertionFailure() << wrong << " of the window's pixels differ";
        }
        return testing::AssertionSuccess();
    }

    PluginHost host;
};

// One instance and its host window, skipped when no window can be opened.
class EditorWindow : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        if (!editor.Start(error)) {
            GTEST_SKIP() << "no window to open the editor in: " << error;
        }
        ASSERT_NE(editor.host.Effect(), nullptr) << editor.host.LastError();
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
