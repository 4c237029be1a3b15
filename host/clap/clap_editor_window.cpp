#include "host/clap/clap_editor_window.h"

#include <cstring>

clap_window ClapWindowFor(const HostWindow& window) {
    clap_window record{};
    record.api = HostWindow::WindowSystem();
    if (std::strcmp(record.api, CLAP_WINDOW_API_X11) == 0) {
        record.x11 =
            static_cast<clap_xwnd>(reinterpret_cast<std::uintptr_t>(window.ParentHandle()));
    } else {
        record.win32 = window.ParentHandle();
    }
    return record;
}

bool CreateClapEditor(ClapInstance& instance, std::uint32_t& width, std::uint32_t& height,
                      std::string& error, double scale) {
    const auto* gui = instance.Extension<clap_plugin_gui>(CLAP_EXT_GUI);
    const clap_plugin* plugin = instance.Plugin();
    const char* api = HostWindow::WindowSystem();
    if (gui == nullptr || !gui->is_api_supported(plugin, api, false)) {
        error = std::string("the plug-in has no ") + api + " editor";
        return false;
    }
    if (!gui->create(plugin, api, false)) {
        error = "the plug-in could not create its editor";
        return false;
    }
    if (scale > 0.0) {
        gui->set_scale(plugin, scale); // "ignored" is a valid answer for a fixed-size editor
    }
    gui->can_resize(plugin);
    if (!gui->get_size(plugin, &width, &height)) {
        error = "the editor reports no size";
        return false;
    }
    return true;
}

bool ShowClapEditor(ClapInstance& instance, HostWindow& window, std::string& error) {
    const auto* gui = instance.Extension<clap_plugin_gui>(CLAP_EXT_GUI);
    const clap_window record = ClapWindowFor(window);
    if (gui == nullptr || !gui->set_parent(instance.Plugin(), &record)) {
        error = "the editor did not take the host's window";
        return false;
    }
    if (!gui->show(instance.Plugin())) {
        error = "the editor did not show";
        return false;
    }
    return true;
}

void DestroyClapEditor(ClapInstance& instance) {
    const auto* gui = instance.Extension<clap_plugin_gui>(CLAP_EXT_GUI);
    if (gui != nullptr) {
        gui->destroy(instance.Plugin());
    }
}
