// Shared helpers of the VST3 tests: the bundle beside the test executable and a host that has
// loaded it.
#pragma once

#include "host/vst3/vst3_plugin_host.h"
#include "tests/vst2/vst2_test_support.h"

#include <gtest/gtest.h>
#include <string>

inline std::string BundlePath() {
    return ExecutableDirectory() + "/Crescenda.vst3";
}

inline std::string Narrow(const vst3::char16* text) {
    std::string out;
    for (; *text != 0; ++text) {
        out += static_cast<char>(*text);
    }
    return out;
}

class LoadedBundle : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Load(Bundle())) << host.LastError(); }
    virtual std::string Bundle() const { return BundlePath(); }

    vst3::IEditController& Controller() { return *host.Controller(); }
    double Value(vst3::ParamID id) { return Controller().getParamNormalized(id); }

    Vst3PluginHost host;
};
