// clap_entry: the one symbol the CLAP binary exports, a data record. init and deinit may come
// more than once (each host probe calls both); they are counted, and do nothing else that could
// be slow or visible.
#include "clap/clap_abi.h"
#include "clap/clap_export.h"
#include "clap/clap_factory.h"
#include "clap/clap_presets.h"

#include <cstring>
#include <mutex>

namespace {

std::mutex& EntryMutex() {
    static std::mutex mutex;
    return mutex;
}

int initCount = 0;

bool Init(const char* /*pluginPath*/) {
    std::lock_guard<std::mutex> hold(EntryMutex());
    ++initCount;
    return true;
}

void Deinit() {
    std::lock_guard<std::mutex> hold(EntryMutex());
    if (initCount > 0) {
        --initCount;
    }
}

const void* Factory(const char* id) {
    if (id == nullptr) {
        return nullptr;
    }
    if (std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0) {
        return PluginFactory();
    }
    if (std::strcmp(id, CLAP_PRESET_DISCOVERY_FACTORY_ID) == 0 ||
        std::strcmp(id, CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT) == 0) {
        return PresetDiscoveryFactory();
    }
    return nullptr;
}

} // namespace

const clap_plugin_entry clap_entry{CLAP_VERSION, &Init, &Deinit, &Factory};
