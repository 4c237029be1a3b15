// The gui, timer-support and posix-fd-support tables: every call comes on the main thread and
// goes to the instance's ClapGui.
#include "clap/clap_extensions.h"
#include "clap/clap_plugin.h"

namespace {

ClapGui* GuiOf(const clap_plugin* plugin) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    return instance != nullptr ? &instance->Gui() : nullptr;
}

bool IsApiSupported(const clap_plugin* plugin, const char* api, bool floating) {
    const ClapGui* gui = GuiOf(plugin);
    return gui != nullptr && gui->IsApiSupported(api, floating);
}

bool PreferredApi(const clap_plugin* plugin, const char** api, bool* floating) {
    if (GuiOf(plugin) == nullptr || api == nullptr || floating == nullptr) {
        return false;
    }
    *api = ClapWindowSystem::Api();
    *floating = false;
    return true;
}

bool Create(const clap_plugin* plugin, const char* api, bool floating) {
    ClapGui* gui = GuiOf(plugin);
    return gui != nullptr && gui->Create(api, floating);
}

void Destroy(const clap_plugin* plugin) {
    if (ClapGui* gui = GuiOf(plugin)) {
        gui->Destroy();
    }
}

// The editor comes at 1, 1.5 and 2 times its size; the host's factor picks the nearest.
bool SetScale(const clap_plugin* plugin, double scale) {
    ClapGui* gui = GuiOf(plugin);
    return gui != nullptr && gui->SetScale(scale);
}

bool GetSize(const clap_plugin* plugin, std::uint32_t* width, std::uint32_t* height) {
    const ClapGui* gui = GuiOf(plugin);
    return gui != nullptr && width != nullptr && height != nullptr && gui->Size(*width, *height);
}

bool CanResize(const clap_plugin* /*plugin*/) {
    return false;
}

bool ResizeHints(const clap_plugin* plugin, clap_gui_resize_hints* hints) {
    if (GuiOf(plugin) == nullptr || hints == nullptr) {
        return false;
    }
    *hints = clap_gui_resize_hints{};
    return true;
}

// The one size there is.
bool AdjustSize(const clap_plugin* plugin, std::uint32_t* width, std::uint32_t* height) {
    const ClapGui* gui = GuiOf(plugin);
    return gui != nullptr && width != nullptr && height != nullptr && gui->Size(*width, *height);
}

bool SetSize(const clap_plugin* plugin, std::uint32_t width, std::uint32_t height) {
    const ClapGui* gui = GuiOf(plugin);
    std::uint32_t ownWidth = 0;
    std::uint32_t ownHeight = 0;
    return gui != nullptr && gui->Size(ownWidth, ownHeight) && width == ownWidth &&
           height == ownHeight;
}

bool SetParent(const clap_plugin* plugin, const clap_window* window) {
    ClapGui* gui = GuiOf(plugin);
    return gui != nullptr && window != nullptr && gui->SetParent(*window);
}

// Floating windows are not offered.
bool SetTransient(const clap_plugin* /*plugin*/, const clap_window* /*window*/) {
    return false;
}

void SuggestTitle(const clap_plugin* /*plugin*/, const char* /*title*/) {}

bool Show(const clap_plugin* plugin) {
    ClapGui* gui = GuiOf(plugin);
    return gui != nullptr && gui->Show();
}

bool Hide(const clap_plugin* plugin) {
    ClapGui* gui = GuiOf(plugin);
    return gui != nullptr && gui->Hide();
}

void OnTimer(const clap_plugin* plugin, clap_id timer) {
    if (ClapGui* gui = GuiOf(plugin)) {
        gui->OnTimer(timer);
    }
}

void OnFd(const clap_plugin* plugin, int fd, clap_posix_fd_flags /*flags*/) {
    if (ClapGui* gui = GuiOf(plugin)) {
        gui->OnDescriptor(fd);
    }
}

} // namespace

const clap_plugin_gui* GuiExtension() {
    static const clap_plugin_gui table{&IsApiSupported, &PreferredApi, &Create,    &Destroy,
                                       &SetScale,       &GetSize,      &CanResize, &ResizeHints,
                                       &AdjustSize,     &SetSize,      &SetParent, &SetTransient,
                                       &SuggestTitle,   &Show,         &Hide};
    return &table;
}

const clap_plugin_timer_support* TimerSupportExtension() {
    static const clap_plugin_timer_support table{&OnTimer};
    return &table;
}

const clap_plugin_posix_fd_support* PosixFdSupportExtension() {
    static const clap_plugin_posix_fd_support table{&OnFd};
    return &table;
}
