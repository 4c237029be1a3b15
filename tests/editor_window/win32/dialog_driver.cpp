#include "dialog_driver.h"

#include <chrono>

namespace {

struct Search {
    const char* windowClass;
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && std::string(className) == search->windowClass) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// An action that did not end the modal loop would hang the test: it fails instead.
void DismissIfLeftOpen(HWND window) {
    for (int wait = 0; wait < 250 && IsWindow(window) && IsWindowVisible(window); ++wait) {
        Sleep(20);
    }
    if (IsWindow(window) && IsWindowVisible(window)) {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    }
}

} // namespace

DialogDriver::DialogDriver(DWORD thread, Action action, const char* windowClass) {
    driver_ = std::thread([this, thread, action, windowClass] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end) {
            Search search{windowClass};
            EnumThreadWindows(thread, &FindDialog, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                Sleep(200); // let the dialog finish setting itself up
                action(search.found);
                acted_ = true;
                DismissIfLeftOpen(search.found);
                return;
            }
            Sleep(20);
        }
    });
}

DialogDriver::~DialogDriver() {
    if (driver_.joinable()) {
        driver_.join();
    }
}

bool DialogDriver::Acted() {
    if (driver_.joinable()) {
        driver_.join();
    }
    return acted_;
}

std::string WindowTitle(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
