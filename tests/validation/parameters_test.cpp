// Parameters as validators drive them: any float the host may write, text typed back, and texts
// written into host buffers of exactly the sizes hosts are known to pass.
#include "tests/validation/battery_host.h"
#include "tests/validation/block_render.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace battery;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

bool InRange(float value) {
    return std::isfinite(value) && value >= 0.f && value <= 1.f;
}

// Processes one block of noise; the first problem, or empty.
std::string ProcessNoise(PluginHost& host, std::uint32_t seed) {
    const Stream<float> input =
        MakeSignal(Signal::Noise, host.Effect()->numInputs, 256, 44100, seed);
    return Render(host, Path::FloatReplacing, false, input, {256}).problem;
}

std::vector<float> ExtremeValues() {
    return {0.f,
            1.f,
            kNaN,
            kInf,
            -kInf,
            -1.f,
            2.f,
            -0.f,
            1e30f,
            -1e30f,
            std::numeric_limits<float>::denorm_min(),
            std::nextafter(1.f, 2.f)};
}

// A host text buffer of exactly `size` bytes, followed by canary bytes that must survive.
class CanaryBuffer {
public:
    static constexpr unsigned char kCanary = 0xA5;
    static constexpr size_t kGuard = 64;

    explicit CanaryBuffer(size_t size) : size_(size), bytes_(size + kGuard, kCanary) {
        std::fill_n(bytes_.begin(), size, static_cast<unsigned char>('x'));
    }
    char* Data() { return reinterpret_cast<char*>(bytes_.data()); }

    // Empty when the text ended inside the buffer and the canaries are whole.
    std::string Problem() const {
        for (size_t i = size_; i < bytes_.size(); ++i) {
            if (bytes_[i] != kCanary) {
                return "byte " + std::to_string(i) + " past the end of the " +
                       std::to_string(size_) + "-byte buffer was overwritten (" +
                       Text(bytes_.size()) + ")";
            }
        }
        if (std::memchr(bytes_.data(), 0, size_) == nullptr) {
            return "no terminator inside the " + std::to_string(size_) + "-byte buffer";
        }
        return {};
    }
    std::string Text(size_t limit = SIZE_MAX) const {
        std::string text;
        for (size_t i = 0; i < std::min(limit, bytes_.size()) && bytes_[i] != 0; ++i) {
            text += static_cast<char>(bytes_[i]);
        }
        return "\"" + text + "\"";
    }

private:
    size_t size_;
    std::vector<unsigned char> bytes_;
};

struct TextRequest {
    const char* name;
    VstInt32 opcode;
    VstInt32 index;
    size_t size;
};

} // namespace

TEST(Parameters, EveryValueAHostMayWriteReadsBackBetweenZeroAndOneAndKeepsAudioFinite) {
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host, 44100.0, 256));
    const int count = host.Effect()->numParams;
    std::mt19937 random(Seed());
    std::uniform_real_distribution<float> unit(0.f, 1.f);
    const int randomWrites = Iterations(50, 2000);
    FailureBudget budget;
    long writes = 0;
    for (int i = 0; i < count; ++i) {
        std::vector<float> values = ExtremeValues();
        for (int k = 0; k < randomWrites; ++k) {
            values.push_back(unit(random));
        }
        for (float value : values) {
            const std::vector<float> before = ParameterValues(host);
            host.SetParameter(i, value);
            ++writes;
            const std::vector<float> after = ParameterValues(host);
            if (!InRange(after[static_cast<size_t>(i)]) && budget.Spend()) {
                ADD_FAILURE() << "setParameter(" << i << ", " << Describe(value)
                              << ") then getParameter(" << i << ") answered "
                              << Describe(after[static_cast<size_t>(i)]) << ", outside 0..1";
            }
            for (int j = 0; j < count; ++j) {
                if (j != i && after[static_cast<size_t>(j)] != before[static_cast<size_t>(j)] &&
                    budget.Spend()) {
                    ADD_FAILURE() << "setParameter(" << i << ", " << Describe(value)
                                  << ") changed parameter " << j << " from "
                                  << Describe(before[static_cast<size_t>(j)]) << " to "
                                  << Describe(after[static_cast<size_t>(j)]);
                }
            }
        }
    }
    // Every parameter at each extreme at once, then audio.
    for (float value : ExtremeValues()) {
        for (int i = 0; i < count; ++i) {
            host.SetParameter(i, value);
        }
        const std::string problem = ProcessNoise(host, Seed());
        if (!problem.empty() && budget.Spend()) {
            ADD_FAILURE() << "every parameter set to " << Describe(value)
                          << ", then a block of noise: " << problem << "; parameters read "
                          << Describe(ParameterValues(host));
        }
    }
    Report("parameters: random, 0, 1, NaN, +-inf, -1, 2 and other extremes", writes,
           std::to_string(count) + " parameters");
}

TEST(Parameters, IndexesOutsideTheListChangeNothing) {
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host));
    const int count = host.Effect()->numParams;
    const std::vector<float> before = ParameterValues(host);
    for (int index : {-1, count, count + 1, INT_MAX, INT_MIN}) {
        host.SetParameter(index, 0.37f);
        const float read = host.GetParameter(index);
        EXPECT_TRUE(std::isfinite(read))
            << "getParameter(" << index << ") answered " << Describe(read);
        const std::vector<float> after = ParameterValues(host);
        EXPECT_TRUE(BitEqual(before, after))
            << "setParameter(" << index << ", 0.37) with " << count
            << " parameters changed them from " << Describe(before) << " to " << Describe(after);
        char text[256] = "unchanged";
        host.Dispatch(effGetParamDisplay, index, 0, text);
        host.Dispatch(effGetParamName, index, 0, text);
        host.Dispatch(effString2Parameter, index, 0, const_cast<char*>("0.5"));
        EXPECT_TRUE(BitEqual(before, ParameterValues(host)))
            << "effString2Parameter(" << index << ", \"0.5\") changed the parameters to "
            << Describe(ParameterValues(host));
    }
    Report("parameters: indexes outside the list", 5);
}

TEST(Parameters, DisplayTextTypedBackGivesTheSameValueWithinTheDisplayPrecision) {
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host));
    const int count = host.Effect()->numParams;
    std::mt19937 random(Seed());
    std::uniform_real_distribution<float> unit(0.f, 1.f);
    FailureBudget budget;
    long trips = 0;
    for (int i = 0; i < count; ++i) {
        std::vector<float> values = {0.f, 1.f, 0.5f, 0.25f};
        for (int k = 0; k < Iterations(20, 500); ++k) {
            values.push_back(unit(random));
        }
        for (float value : values) {
            host.SetParameter(i, value);
            const std::string shown = host.ParamDisplay(i);
            const float normalised = host.GetParameter(i);
            char* end = nullptr;
            std::strtod(shown.c_str(), &end);
            if (shown.empty() || end == shown.c_str()) {
                continue; // not a number: typing it back is not asked of the plug-in
            }
            host.SetParameter(i, value < 0.5f ? 1.f : 0.f); // so the text has to bring it back
            std::vector<char> typed(shown.begin(), shown.end());
            typed.push_back('\0');
            const VstIntPtr answer = host.Dispatch(effString2Parameter, i, 0, typed.data());
            const std::string shownAgain = host.ParamDisplay(i);
            ++trips;
            if ((answer != 1 || shownAgain != shown) && budget.Spend()) {
                ADD_FAILURE() << "parameter " << i << " (" << host.ParamName(i) << ") at "
                              << Describe(value) << " showed \"" << shown << "\" (normalised "
                              << Describe(normalised) << "); effString2Parameter with that text "
                              << "answered " << answer << " and the parameter then showed \""
                              << shownAgain << "\" (normalised " << Describe(host.GetParameter(i))
                              << ")";
            }
        }
    }
    Report("parameters: display -> effString2Parameter -> display", trips);
}

// Unless the parameter shows that very text itself (a level of -inf dB).
TEST(Parameters, TextsThatReadAsNaNOrInfinityChangeNothing) {
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host));
    const int count = host.Effect()->numParams;
    for (int i = 0; i < count; ++i) {
        for (const char* text : {"nan", "NaN", "inf", "-inf", "infinity", "1e999", "-1e999"}) {
            const std::vector<float> before = ParameterValues(host);
            std::string copy = text;
            const VstIntPtr answer = host.Dispatch(effString2Parameter, i, 0, copy.data());
            const std::vector<float> after = ParameterValues(host);
            EXPECT_TRUE(BitEqual(before, after) || host.ParamDisplay(i) == text)
                << "effString2Parameter(" << i << ", \"" << text << "\") answered " << answer
                << " and changed the parameters from " << Describe(before) << " to "
                << Describe(after);
        }
    }
    Report("parameters: NaN and infinite texts", count * 7L);
}

TEST(Parameters, NamesLabelsAndDisplaysFitHostBuffersOfExactlyTheSizesHostsPass) {
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host));
    const int params = host.Effect()->numParams;
    const int programs = host.Effect()->numPrograms;
    std::vector<TextRequest> requests = {{"effGetEffectName", effGetEffectName, 0, 32},
                                         {"effGetVendorString", effGetVendorString, 0, 64},
                                         {"effGetProductString", effGetProductString, 0, 64},
                                         {"effGetProgramName", effGetProgramName, 0, 24}};
    for (int i = 0; i < params; ++i) {
        requests.push_back({"effGetParamName", effGetParamName, i, 32});
        requests.push_back({"effGetParamLabel", effGetParamLabel, i, 8});
        requests.push_back({"effGetParamDisplay", effGetParamDisplay, i, 8});
    }
    for (int p = 0; p < programs; ++p) {
        requests.push_back({"effGetProgramNameIndexed", effGetProgramNameIndexed, p, 24});
    }
    FailureBudget budget;
    long checks = 0;
    const auto checkAll = [&](const std::string& state) {
        for (const TextRequest& r : requests) {
            CanaryBuffer buffer(r.size);
            host.Dispatch(r.opcode, r.index, 0, buffer.Data());
            ++checks;
            const std::string problem = buffer.Problem();
            if (!problem.empty() && budget.Spend()) {
                ADD_FAILURE() << state << ": " << r.name << "(index " << r.index << ") into a "
                              << r.size << "-byte buffer: " << problem;
            }
        }
    };
    checkAll("after opening");
    for (float value : ExtremeValues()) {
        for (int i = 0; i < params; ++i) {
            host.SetParameter(i, value);
        }
        checkAll("every parameter set to " + Describe(value));
    }
    // Long preset names, as a rename or a bank chunk may bring them.
    for (int p = 0; p < programs; ++p) {
        host.SetProgram(p);
        std::string name(p % 2 == 0 ? 300 : 23 + p, static_cast<char>('A' + p));
        host.Dispatch(effSetProgramName, 0, 0, name.data());
    }
    checkAll("every preset renamed to a long name");
    Report("parameters: texts into 24/32/8/64-byte buffers with canaries", checks);
}

TEST(Parameters, TextRequestsWithoutABufferAreRefused) {
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host));
    for (VstInt32 opcode :
         {effGetParamLabel, effGetParamDisplay, effGetParamName, effGetProgramNameIndexed,
          effGetProgramName, effGetEffectName, effGetVendorString, effGetProductString}) {
        EXPECT_EQ(host.Dispatch(opcode, 0, 0, nullptr), 0)
            << "opcode " << opcode << " with a null buffer did not answer 0";
    }
    EXPECT_TRUE(ProcessNoise(host, Seed()).empty()) << "the instance failed after the null buffers";
    Report("parameters: null text buffers", 8);
}
