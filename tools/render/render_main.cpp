// crescenda-render: runs an audio file (or a built-in demo) through the plug-in as a host would.
#include "tools/render/render_app.h"
#include "tools/render/render_options.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    RenderOptions options;
    std::string error;
    switch (ParseRenderOptions(args, options, error)) {
    case ParseResult::Help:
        std::fputs(RenderUsage(), stdout);
        return 0;
    case ParseResult::Error:
        std::fprintf(stderr, "crescenda-render: %s\n(see crescenda-render --help)\n",
                     error.c_str());
        return 2;
    case ParseResult::Run:
        break;
    }
    return RunRenderer(options);
}
