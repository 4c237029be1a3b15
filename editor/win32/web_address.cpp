// Opening a web address in the user's browser, after an optional question and a connection test.
// UI thread.
#include "editor/win32/graphics_win32.h"

#include <shellapi.h>
#include <wininet.h>

namespace {

constexpr INT_PTR ShellExecuteSucceeded = 32; // ShellExecuteA reports success above this

bool Given(const char* text) {
    return text != nullptr && text[0] != '\0';
}

} // namespace

bool GraphicsWin32::OpenWebAddress(const char* address, const char* caption, const char* confirm,
                                   const char* error) {
    if (Given(confirm) && ShowAlert(confirm, caption, MB_YESNO) != IDYES) {
        return false;
    }
    DWORD connection = 0;
    if (address != nullptr && InternetGetConnectedState(&connection, 0) &&
        reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", address, nullptr, nullptr,
                                                SW_SHOWNORMAL)) > ShellExecuteSucceeded) {
        return true;
    }
    if (Given(error)) {
        ShowAlert(error, caption, MB_OK);
    }
    return false;
}
