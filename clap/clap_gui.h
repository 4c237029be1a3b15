// ClapGui: the editor inside the host's window, as the gui extension drives it. Fixed size; the
// native window is made when the host names its parent and made again after a hide, so show, hide
// and destroy may come any number of times. Where the window system gives the editor no timer of
// its own (X11) the host's timer and the connection's descriptor drive it, on the main thread, and
// an editor is refused when the host offers neither. Every call: main thread, no lock held.
#pragma once

#include "clap/clap_abi.h"
#include "framework/plugin_editor.h"

class ClapPlugin;

class ClapGui {
public:
    explicit ClapGui(ClapPlugin& plugin) : plugin_(plugin) {}
    ClapGui(const ClapGui&) = delete;
    ClapGui& operator=(const ClapGui&) = delete;

    // This build's window kind, embedded; the answer never depends on the host's extensions
    // (scanners offer none), create does.
    bool IsApiSupported(const char* api, bool floating) const;
    bool Create(const char* api, bool floating);
    void Destroy();
    // Before the window exists the size follows the system's scale, unless the host gave one.
    bool Size(std::uint32_t& width, std::uint32_t& height) const;
    // A factor that is not a positive number is refused. An open window takes the new size and
    // the host is asked to resize its own.
    bool SetScale(double factor);
    // The system's new scale for the open editor, unless the host gave its own (HostLink).
    void FollowSystemScale(double factor);
    bool SetParent(const clap_window& window);
    bool Show();
    bool Hide();
    void OnTimer(clap_id timer);
    void OnDescriptor(int fd);

private:
    PluginEditor* Editor() const;
    bool OpenWindow();
    void CloseWindow();
    void Drive(); // the window's work, then what the instance needs of the host
    // The host's window takes the editor's new size (no lock held).
    void RequestResize(int width, int height);
    // What tells the host of an open window's new size.
    auto ResizeReport() {
        return [this](int width, int height) { RequestResize(width, height); };
    }

    ClapPlugin& plugin_;
    bool created_ = false;
    bool open_ = false;
    NativeWindow parent_ = nullptr;
    bool timerRegistered_ = false;
    clap_id timer_ = CLAP_INVALID_ID;
    int watchedFd_ = -1;
};

// What differs between window systems (clap/x11/, clap/win32/).
namespace ClapWindowSystem {
const char* Api();
// Whether the editor window needs the host's timer or descriptor watch to work at all.
bool NeedsHostDrive();
NativeWindow ParentOf(const clap_window& window);
} // namespace ClapWindowSystem
