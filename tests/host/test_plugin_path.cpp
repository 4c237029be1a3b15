#include "platform/shared_library.h"
#include "tests/host/test_plugin_requests.h"

std::string TestPluginPath() {
    return ExecutableDirectory() + "/host_test_plugin" + SharedLibrarySuffix();
}
