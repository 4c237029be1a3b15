#include "tests/validation/battery_host.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace battery {

::testing::AssertionResult Load(PluginHost& host, const std::string& path, const char* entryName) {
    if (!host.Load(path, entryName)) {
        return ::testing::AssertionFailure()
               << "loading " << path << " failed: " << host.LastError();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult LoadAndOpen(PluginHost& host, double sampleRate, int blockSize,
                                       const std::string& path) {
    ::testing::AssertionResult loaded = Load(host, path);
    if (!loaded) {
        return loaded;
    }
    host.Open(sampleRate, blockSize);
    return ::testing::AssertionSuccess();
}

std::vector<float> ParameterValues(PluginHost& host) {
    std::vector<float> values;
    const int count = host.Effect() != nullptr ? host.Effect()->numParams : 0;
    for (int i = 0; i < count; ++i) {
        values.push_back(host.GetParameter(i));
    }
    return values;
}

bool BitEqual(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

std::string Describe(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char text[64];
    std::snprintf(text, sizeof text, "%.9g (0x%08x)", static_cast<double>(value),
                  static_cast<unsigned>(bits));
    return text;
}

std::string Describe(const std::vector<float>& values) {
    std::string text = "[";
    for (size_t i = 0; i < values.size(); ++i) {
        text += (i > 0 ? ", " : "") + Describe(values[i]);
    }
    return text + "]";
}

std::string Describe(const std::vector<unsigned char>& bytes, size_t around) {
    const size_t first = around > 16 ? around - 16 : 0;
    const size_t last = std::min(bytes.size(), first + 48);
    std::string text =
        std::to_string(bytes.size()) + " bytes, from offset " + std::to_string(first) + ":";
    char hex[4];
    for (size_t i = first; i < last; ++i) {
        std::snprintf(hex, sizeof hex, " %02x", bytes[i]);
        text += hex;
    }
    return text;
}

} // namespace battery

namespace battery {

void Report(const std::string& check, long iterations, const std::string& detail) {
    std::printf("[ battery  ] %s: %ld iterations (%s)%s%s\n", check.c_str(), iterations, ModeName(),
                detail.empty() ? "" : "; ", detail.c_str());
    std::fflush(stdout);
}

FailureBudget::~FailureBudget() {
    if (failures_ > limit_) {
        ADD_FAILURE() << failures_ - limit_ << " further failures of this check not shown";
    }
}

bool FailureBudget::Spend() {
    return ++failures_ <= limit_;
}

} // namespace battery
