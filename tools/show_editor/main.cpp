// crescenda-show-editor [--seconds N] [PLUGIN]: a plug-in binary's editor in the bundled host's
// window, its loop run for N seconds (10 by default), as a host shows it: for screenshots from the
// window system and for trying the editor by hand. PLUGIN defaults to the Crescenda binary beside
// this program; a .clap file is shown through the CLAP host (show_clap_editor.cpp).
#include "host/host_window.h"
#include "host/plugin_host.h"
#include "tools/show_editor/show_clap_editor.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* Usage = "usage: crescenda-show-editor [--seconds N] [PLUGIN]\n";

bool ParseArguments(int argc, char** argv, int& seconds, std::string& plugin) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (end == argv[i] || *end != '\0' || value < 1 || value > 3600) {
                return false;
            }
            seconds = static_cast<int>(value);
        } else if (argv[i][0] == '-' || !plugin.empty()) {
            return false;
        } else {
            plugin = argv[i];
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int seconds = 10;
    std::string plugin;
    if (!ParseArguments(argc, argv, seconds, plugin)) {
        std::fprintf(stderr, "%s", Usage);
        return 2;
    }
    if (plugin.empty()) {
        plugin = DefaultPluginPath();
    }
    const std::string clapSuffix = ".clap";
    if (plugin.size() > clapSuffix.size() &&
        plugin.compare(plugin.size() - clapSuffix.size(), clapSuffix.size(), clapSuffix) == 0) {
        return ShowClapEditor(plugin, seconds);
    }
    PluginHost host;
    if (!host.Load(plugin)) {
        std::fprintf(stderr, "crescenda-show-editor: %s\n", host.LastError().c_str());
        return 1;
    }
    host.Open();
    ERect* rect = nullptr;
    if (host.Dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr) {
        std::fprintf(stderr, "crescenda-show-editor: the plug-in reports no editor\n");
        return 1;
    }
    std::string error;
    std::unique_ptr<HostWindow> window =
        HostWindow::Open(rect->right - rect->left, rect->bottom - rect->top, error);
    if (window == nullptr) {
        std::fprintf(stderr, "crescenda-show-editor: %s\n", error.c_str());
        return 1;
    }
    if (host.Dispatch(effEditOpen, 0, 0, window->ParentHandle()) != 1) {
        std::fprintf(stderr, "crescenda-show-editor: the editor did not open\n");
        return 1;
    }
    std::printf("crescenda-show-editor: %s's editor (%d x %d) open for %d s\n", plugin.c_str(),
                rect->right - rect->left, rect->bottom - rect->top, seconds);
    std::fflush(stdout);
    window->Run(host, seconds * 1000);
    host.Dispatch(effEditClose);
    host.Close(); // the plug-in goes before the window it was opened in
    return 0;
}
