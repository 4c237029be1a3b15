#include "tests/validation/battery_config.h"

#include "host/plugin_host.h"
#include "platform/shared_library.h"

#include <cstdlib>
#include <fstream>

namespace battery {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

bool FileExists(const std::string& path) {
    return !path.empty() && std::ifstream(path).good();
}

} // namespace

bool Thorough() {
    static const bool thorough = Environment("CRESCENDA_VALIDATION") == "thorough";
    return thorough;
}

int Iterations(int quick, int thorough) {
    return Thorough() ? thorough : quick;
}

std::string PluginPath() {
    const std::string chosen = Environment("CRESCENDA_VALIDATION_PLUGIN");
    return chosen.empty() ? DefaultPluginPath() : chosen;
}

std::string RealtimePluginPath() {
    const std::string chosen = Environment("CRESCENDA_VALIDATION_RT_PLUGIN");
    if (!chosen.empty()) {
        return chosen;
    }
    const std::string beside = ExecutableDirectory() + "/CrescendaRtChecks" + SharedLibrarySuffix();
    return FileExists(beside) ? beside : std::string();
}

bool TimingChecks() {
    return Environment("CRESCENDA_VALIDATION_TIMING") != "off";
}

std::uint32_t Seed() {
    static const std::uint32_t seed = [] {
        const std::string text = Environment("CRESCENDA_VALIDATION_SEED");
        return text.empty() ? 20261209u
                            : static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
    }();
    return seed;
}

const char* ModeName() {
    return Thorough() ? "thorough" : "quick";
}

} // namespace battery
