// Drives a modal dialog or menu the editor opens on this thread: another thread waits for its
// window to appear and acts on it as a user would, while the modal call blocks.
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <windows.h>

class DialogDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    static constexpr const char* DialogClass = "#32770";
    static constexpr const char* MenuClass = "#32768";

    // Waits (up to ten seconds) for a visible window of the class (a dialog by default) on the
    // thread, then acts.
    DialogDriver(DWORD thread, Action action, const char* windowClass = DialogClass);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Whether a dialog appeared and the action ran; waits for the driver thread first.
    bool Acted();

private:
    std::thread driver_;
    bool acted_ = false;
};

std::string WindowTitle(HWND window);
// Presses a dialog's button as a click would.
void PressButton(HWND dialog, int id);
