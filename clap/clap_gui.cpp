#include "clap/clap_gui.h"

#include "clap/clap_plugin.h"
#include "framework/realtime_checks.h"

#include <cmath>
#include <cstring>

namespace {

// Hosts may lengthen a period (one shared tick serving several plug-ins fires a longer timer at
// the next multiple of its own); at this period the editor's 25 frames a second keep their pace.
constexpr std::uint32_t TimerPeriodMs = 30;

template <class Extension>
const Extension* HostExtensionOf(const ClapPlugin& plugin, const char* id) {
    return static_cast<const Extension*>(plugin.HostExtension(id));
}

} // namespace

PluginEditor* ClapGui::Editor() const {
    PluginEditor* editor = plugin_.Core().Editor();
    return editor != nullptr && editor->CanOpenWindows() ? editor : nullptr;
}

bool ClapGui::IsApiSupported(const char* api, bool floating) const {
    return !floating && api != nullptr && std::strcmp(api, ClapWindowSystem::Api()) == 0 &&
           Editor() != nullptr;
}

bool ClapGui::Create(const char* api, bool floating) {
    if (created_ || !IsApiSupported(api, floating)) {
        return false;
    }
    const auto* timers = HostExtensionOf<clap_host_timer_support>(plugin_, CLAP_EXT_TIMER_SUPPORT);
    if (timers != nullptr && timers->register_timer != nullptr) {
        timerRegistered_ = timers->register_timer(plugin_.Host(), TimerPeriodMs, &timer_);
    }
    const auto* fds =
        HostExtensionOf<clap_host_posix_fd_support>(plugin_, CLAP_EXT_POSIX_FD_SUPPORT);
    const bool watchesFds = fds != nullptr && fds->register_fd != nullptr;
    if (ClapWindowSystem::NeedsHostDrive() && !timerRegistered_ && !watchesFds) {
        return false; // nothing would ever run the window
    }
    created_ = true;
    return true;
}

void ClapGui::Destroy() {
    if (!created_) {
        return;
    }
    CloseWindow();
    if (timerRegistered_) {
        const auto* timers =
            HostExtensionOf<clap_host_timer_support>(plugin_, CLAP_EXT_TIMER_SUPPORT);
        if (timers != nullptr && timers->unregister_timer != nullptr) {
            timers->unregister_timer(plugin_.Host(), timer_);
        }
        timerRegistered_ = false;
    }
    parent_ = nullptr;
    created_ = false;
}

bool ClapGui::Size(std::uint32_t& width, std::uint32_t& height) const {
    PluginEditor* editor = Editor();
    if (editor == nullptr) {
        return false;
    }
    if (!open_) {
        editor->AdoptSystemScale(parent_);
    }
    width = static_cast<std::uint32_t>(editor->Width());
    height = static_cast<std::uint32_t>(editor->Height());
    return true;
}

void ClapGui::RequestResize(int width, int height) {
    const auto* gui = HostExtensionOf<clap_host_gui>(plugin_, CLAP_EXT_GUI);
    if (gui != nullptr && gui->request_resize != nullptr) {
        gui->request_resize(plugin_.Host(), static_cast<std::uint32_t>(width),
                            static_cast<std::uint32_t>(height));
    }
}

bool ClapGui::SetScale(double factor) {
    PluginEditor* editor = Editor();
    if (editor == nullptr || !std::isfinite(factor) || factor <= 0.0) {
        return false;
    }
    ChangeAndReportSize(
        *editor, [&] { editor->SetHostScale(factor); }, ResizeReport());
    return true;
}

void ClapGui::FollowSystemScale(double factor) {
    if (PluginEditor* editor = Editor()) {
        ChangeAndReportSize(
            *editor, [&] { editor->FollowSystemScale(factor); }, ResizeReport());
    }
}

bool ClapGui::SetParent(const clap_window& window) {
    if (!created_ || window.api == nullptr ||
        std::strcmp(window.api, ClapWindowSystem::Api()) != 0) {
        return false;
    }
    CloseWindow();
    parent_ = ClapWindowSystem::ParentOf(window);
    return parent_ != nullptr && OpenWindow();
}

bool ClapGui::Show() {
    if (!created_ || parent_ == nullptr) {
        return false;
    }
    return open_ || OpenWindow();
}

bool ClapGui::Hide() {
    if (!created_) {
        return false;
    }
    CloseWindow();
    return true;
}

void ClapGui::OnTimer(clap_id timer) {
    if (timerRegistered_ && timer == timer_) {
        Drive();
    }
}

void ClapGui::OnDescriptor(int fd) {
    if (open_ && fd == watchedFd_) {
        Drive();
    }
}

// Buffered X events do not make the descriptor readable, so the timer drains them too.
void ClapGui::Drive() {
    if (open_) {
        Editor()->IdleEditorWindow();
    }
    plugin_.ServiceHostRequests();
}

// The window calls run outside the instance lock (a slow X server must not hold up the audio
// thread); the effect's hooks run under it.
bool ClapGui::OpenWindow() {
    PluginEditor* editor = Editor();
    // The parent's window may take another scale than the size the host last read.
    if (editor == nullptr || !ChangeAndReportSize(
                                 *editor,
                                 [&] {
                                     open_ = editor->OpenEditorWindow(parent_) != nullptr;
                                     return open_;
                                 },
                                 ResizeReport())) {
        return false;
    }
    {
        InstanceHold hold(plugin_.Core().Lock());
        plugin_.Core().EditorOpened();
    }
    const auto* fds =
        HostExtensionOf<clap_host_posix_fd_support>(plugin_, CLAP_EXT_POSIX_FD_SUPPORT);
    const int fd = editor->WatchedDescriptor();
    if (ClapWindowSystem::NeedsHostDrive() && fd >= 0 && fds != nullptr &&
        fds->register_fd != nullptr && fds->register_fd(plugin_.Host(), fd, CLAP_POSIX_FD_READ)) {
        watchedFd_ = fd;
    }
    return true;
}

void ClapGui::CloseWindow() {
    if (!open_) {
        return;
    }
    if (watchedFd_ >= 0) {
        const auto* fds =
            HostExtensionOf<clap_host_posix_fd_support>(plugin_, CLAP_EXT_POSIX_FD_SUPPORT);
        if (fds != nullptr && fds->unregister_fd != nullptr) {
            fds->unregister_fd(plugin_.Host(), watchedFd_);
        }
        watchedFd_ = -1;
    }
    {
        InstanceHold hold(plugin_.Core().Lock());
        plugin_.Core().EditorClosed();
    }
    Editor()->CloseEditorWindow();
    open_ = false;
}
