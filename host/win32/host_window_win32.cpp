// The test host's top-level Win32 window, pumped like a host's message loop. Input goes through
// SendInput with absolute screen coordinates: the system itself then finds the window under the
// pointer, applies the mouse capture, turns two quick clicks into a double click for a class that
// asks for them and keeps the keyboard state that the editor reads alt from, as it does for a
// user's hand on the mouse.
#include "host/host_window.h"

#include <chrono>
#include <windows.h>

namespace {

constexpr const char* HostClassName = "CrescendaTestHostWindow";
constexpr DWORD HostStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterHostClass(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, HostClassName, &existing)) {
        return true;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &HostProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = HostClassName;
    return RegisterClassA(&windowClass) != 0;
}

void SendKey(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

void SendModifiers(const HostWindow::Modifiers& keys, bool down) {
    if (keys.shift) {
        SendKey(VK_SHIFT, down);
    }
    if (keys.control) {
        SendKey(VK_CONTROL, down);
    }
    if (keys.alt) {
        SendKey(VK_MENU, down);
    }
}

void SendMouse(DWORD flags, DWORD data) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    SendInput(1, &input, sizeof input);
}

// The absolute coordinate (0..65535 across the screen) that lands on pixel p of an extent:
// the system maps it back as coordinate * extent / 65536.
LONG AbsoluteCoordinate(int p, int extent) {
    return static_cast<LONG>((static_cast<long long>(p) * 65536 + extent - 1) / extent);
}

DWORD ButtonFlag(HostWindow::Button button, bool down) {
    switch (button) {
    case HostWindow::Button::Right:
        return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case HostWindow::Button::Middle:
        return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    default:
        return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
}

// Dispatches what has arrived so far, as a host's loop does between its waits.
void DispatchWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class Win32HostWindow : public HostWindow {
public:
    explicit Win32HostWindow(HWND window) : window_(window) {}
    ~Win32HostWindow() override {
        DestroyWindow(window_);
        DispatchWaiting();
    }

    void* ParentHandle() const override { return window_; }

    void Run(PluginHost& /*host*/, int milliseconds) override {
        using Clock = std::chrono::steady_clock;
        const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
        for (;;) {
            DispatchWaiting();
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            if (left <= 0) {
                return;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
        }
    }

    void Pump() override { DispatchWaiting(); }

    // The window's device context shows what the screen shows, the editor window inside it too.
    bool ReadPixels(int x, int y, int width, int height,
                    std::vector<std::uint32_t>& pixels) override {
        if (width <= 0 || height <= 0) {
            return false;
        }
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height; // top-down rows
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(window_);
        HDC memory = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        bool read = false;
        if (memory != nullptr && section != nullptr) {
            HGDIOBJ previous = SelectObject(memory, section);
            read = BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY) != 0;
            GdiFlush();
            const auto* words = static_cast<const std::uint32_t*>(bits);
            pixels.assign(words, words + static_cast<size_t>(width) * static_cast<size_t>(height));
            for (std::uint32_t& pixel : pixels) {
                pixel &= 0x00FFFFFFu;
            }
            SelectObject(memory, previous);
        }
        if (section != nullptr) {
            DeleteObject(section);
        }
        if (memory != nullptr) {
            DeleteDC(memory);
        }
        ReleaseDC(window_, screen);
        return read;
    }

    void MoveMouse(int x, int y) override {
        POINT point{x, y};
        ClientToScreen(window_, &point);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = AbsoluteCoordinate(point.x, GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = AbsoluteCoordinate(point.y, GetSystemMetrics(SM_CYSCREEN));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
    }

    void PressButton(Button button, const Modifiers& keys) override {
        SendModifiers(keys, true);
        SendMouse(ButtonFlag(button, true), 0);
        SendModifiers(keys, false);
    }

    void ReleaseButton(Button button, const Modifiers& keys) override {
        SendModifiers(keys, true);
        SendMouse(ButtonFlag(button, false), 0);
        SendModifiers(keys, false);
    }

    void TurnWheel(int notches, const Modifiers& keys) override {
        SendModifiers(keys, true);
        SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA));
        SendModifiers(keys, false);
    }

    // The window's DPI sent to each window inside it, with the rectangle the system suggests
    // for the new size (the window's own here: the editor sizes itself).
    bool ChangeDpi(int dpi) override {
        constexpr UINT DpiChangedMessage = 0x02E0; // older system headers lack it
        for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            RECT suggested{};
            GetWindowRect(child, &suggested);
            SendMessageA(child, DpiChangedMessage, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
        }
        return true;
    }

private:
    HWND window_;
};

} // namespace

const char* HostWindow::WindowSystem() {
    return "win32";
}

std::unique_ptr<HostWindow> HostWindow::Open(int width, int height, std::string& error) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterHostClass(instance)) {
        error = "the host window class could not be registered";
        return nullptr;
    }
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, HostStyle, FALSE, 0);
    HWND window = CreateWindowExA(0, HostClassName, "Crescenda test host", HostStyle, 0, 0,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) {
        error = "no window could be created (is there a display?)";
        return nullptr;
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
    DispatchWaiting();
    return std::make_unique<Win32HostWindow>(window);
}
