#include "host/plugin_host.h"

std::string DefaultPluginPath() {
    return ExecutableDirectory() + "/Crescenda" + SharedLibrarySuffix();
}
