#include "tools/show_editor/show_clap_editor.h"

#include "host/clap/clap_editor_window.h"
#include "host/clap/clap_host_loop.h"

#include <cstdio>

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "crescenda-show-editor: %s\n", message.c_str());
    return 1;
}

} // namespace

int ShowClapEditor(const std::string& path, int seconds) {
    ClapHostServices services;
    ClapModule module;
    if (!module.Open(path)) {
        return Fail(module.Error());
    }
    ClapInstance instance(module, services);
    std::string error;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!instance.Create() || !CreateClapEditor(instance, width, height, error)) {
        return Fail(error.empty() ? instance.Error() : error);
    }
    std::unique_ptr<HostWindow> window =
        HostWindow::Open(static_cast<int>(width), static_cast<int>(height), error);
    if (window == nullptr || !ShowClapEditor(instance, *window, error)) {
        return Fail(error);
    }
    std::printf("crescenda-show-editor: %s's editor (%u x %u) open for %d s\n", path.c_str(), width,
                height, seconds);
    std::fflush(stdout);
    ClapHostLoop(instance, services, window.get()).Run(seconds * 1000);
    DestroyClapEditor(instance);
    instance.Destroy(); // the plug-in goes before the window it was shown in
    return 0;
}
