// The effect built into the test program, with its editor opened by the bundled host into a real
// top-level Win32 window and driven through the host's message loop. Tests skip when no window
// can be made (no display).
#pragma once

#include "editor_session.h"
#include "host/host_window.h"

#include <memory>
#include <string>
#include <windows.h>

constexpr int TickMilliseconds = 40;

class WindowSession : public EditorSession {
public:
    WindowSession() {
        window = HostWindow::Open(555, 306, windowError);
        host.Open();
    }
    ~WindowSession() {
        if (Effect() != nullptr) {
            host.Dispatch(effEditClose);
        }
    }

    bool HasHostWindow() const { return window != nullptr; }
    AEffect* Effect() const { return host.Effect(); }
    HWND HostHandle() const { return static_cast<HWND>(window->ParentHandle()); }
    HWND EditorWindow() { return static_cast<HWND>(Editor().WindowHandle()); }

    // effEditGetRect, then effEditOpen into the host's window, as a host opens an editor.
    bool OpenEditor() {
        ERect* rect = nullptr;
        host.Dispatch(effEditGetRect, 0, 0, &rect);
        return host.Dispatch(effEditOpen, 0, 0, window->ParentHandle()) == 1;
    }
    void CloseEditor() { host.Dispatch(effEditClose); }
    // Opens the editor, lets it paint once and forgets the host calls so far; null when it did
    // not open.
    HWND OpenQuietly() {
        if (!OpenEditor()) {
            return nullptr;
        }
        RunTicks(1);
        host.ClearCalls();
        return EditorWindow();
    }

    // The host's message loop for that many of the editor's timer ticks, and a little more.
    void RunTicks(int ticks) { window->Run(host, ticks * TickMilliseconds + TickMilliseconds / 2); }
    void Run(int milliseconds) { window->Run(host, milliseconds); }

    std::unique_ptr<HostWindow> window;
    std::string windowError;
};

#define SKIP_WITHOUT_WINDOW(session)                                                               \
    do {                                                                                           \
        ASSERT_TRUE((session).Created());                                                          \
        if (!(session).HasHostWindow()) {                                                          \
            GTEST_SKIP() << "no host window: " << (session).windowError;                           \
        }                                                                                          \
    } while (false)

// Client coordinates as a mouse message's position.
inline LPARAM PointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// A key pressed and released, posted as the keyboard driver would; the loop's TranslateMessage
// makes the character of a character key.
inline void PostKey(HWND window, UINT virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | scan);
    PostMessageA(window, WM_KEYUP, virtualKey, 1 | scan | (LPARAM{3} << 30));
}

// Characters typed into a window: each its key, pressed and released.
inline void PostTyping(HWND window, const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
        const SHORT key = VkKeyScanA(*c);
        PostKey(window, static_cast<UINT>(LOBYTE(key)));
    }
}
