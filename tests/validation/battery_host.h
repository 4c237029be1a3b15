// Loading and opening instances of the plug-in under test through the bundled host, and reading
// back what a validator compares.
#pragma once

#include "host/plugin_host.h"
#include "tests/validation/battery_config.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace battery {

// A new instance of `path` in `host` (any instance it held is closed first); nothing sent yet.
::testing::AssertionResult Load(PluginHost& host, const std::string& path = PluginPath(),
                                const char* entryName = nullptr);
// Load, then effOpen, effSetSampleRate, effSetBlockSize and effMainsChanged(1).
::testing::AssertionResult LoadAndOpen(PluginHost& host, double sampleRate = 44100.0,
                                       int blockSize = 512, const std::string& path = PluginPath());

// getParameter for every parameter, in index order.
std::vector<float> ParameterValues(PluginHost& host);
// True when both hold the same floats bit for bit.
bool BitEqual(const std::vector<float>& a, const std::vector<float>& b);
// "[0.700000 (0x3f333333), ...]" for failure messages.
std::string Describe(const std::vector<float>& values);
std::string Describe(const std::vector<unsigned char>& bytes, size_t around = 0);
// "0.5 (0x3f000000)": a float with its bits, so bit-level differences show.
std::string Describe(float value);

} // namespace battery

namespace battery {

// One line per check for the closing report: "[ battery ] <check>: <n> iterations (<mode>)".
void Report(const std::string& check, long iterations, const std::string& detail = {});

// Keeps a check that fails everywhere from printing thousands of lines: the first `limit`
// failures are shown, then one line says how many more there were.
class FailureBudget {
public:
    explicit FailureBudget(int limit = 8) : limit_(limit) {}
    ~FailureBudget();
    // True while failures should still be printed; counts the failure either way.
    bool Spend();

private:
    int limit_;
    int failures_ = 0;
};

} // namespace battery
