// Keeps the binary under test loaded for the whole run, so the many instances the battery makes
// and ends do not load and unload it each time (slow under Wine, and not what a host does).
#include "platform/shared_library.h"
#include "tests/validation/battery_config.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

class LibraryAnchor : public ::testing::Environment {
public:
    void SetUp() override {
        if (!library_.Open(battery::PluginPath())) {
            std::printf("[ battery  ] could not load %s: %s\n", battery::PluginPath().c_str(),
                        library_.Error().c_str());
        }
        std::printf("[ battery  ] %s mode, plug-in %s, seed %u\n", battery::ModeName(),
                    battery::PluginPath().c_str(), static_cast<unsigned>(battery::Seed()));
    }
    void TearDown() override { library_.Close(); }

private:
    SharedLibrary library_;
};

[[maybe_unused]] ::testing::Environment* const kAnchor =
    ::testing::AddGlobalTestEnvironment(new LibraryAnchor);

} // namespace
