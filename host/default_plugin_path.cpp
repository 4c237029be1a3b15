#include "host/plugin_host.h"

std::string DefaultPluginPath() {
    return FileBesideExecutable(std::string("Crescenda") + SharedLibrarySuffix());
}
