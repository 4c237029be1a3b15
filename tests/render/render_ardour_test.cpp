// A real host renders through the VST3 bundle: Debian's Ardour 7 plays the demo's plucked notes
// through Crescenda in a headless session and exports the master bus
// (scripts/ardour-vst3-render.sh). Its export must be what crescenda-render writes for the same
// input and settings, sample for sample within float rounding, and in time: Ardour compensates
// the plug-in's latency, so the swell sits on the note rather than the latency late.
#include "platform/shared_library.h"
#include "tests/render/render_test_files.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

constexpr int kNotInstalled = 77;   // the script's answer when Ardour 7 is missing
constexpr long kLatency = 1362;     // the plug-in's reported latency at 44.1 kHz, defaults
constexpr float kTolerance = 1e-6f; // float rounding of a unity-gain mix, far below one 24-bit step

// The largest difference between a[i + lag] and b[i] over [from, to), or a value above `enough`
// as soon as one is seen.
float MaxDifference(const TestAudio& a, const TestAudio& b, long lag, long from, long to,
                    float enough = INFINITY) {
    float largest = 0.f;
    for (size_t c = 0; c < a.channels.size() && largest <= enough; ++c) {
        for (long i = from; i < to && largest <= enough; ++i) {
            const float d =
                a.channels[c][static_cast<size_t>(i + lag)] - b.channels[c][static_cast<size_t>(i)];
            largest = std::max(largest, std::fabs(d));
        }
    }
    return largest;
}

// The shift of `actual` against `expected` (within two latencies either way) that matches best.
long BestLag(const TestAudio& actual, const TestAudio& expected) {
    const long reach = 2 * kLatency;
    long best = 0;
    float bestDifference = INFINITY;
    for (long lag = -reach; lag <= reach; ++lag) {
        const float d =
            MaxDifference(actual, expected, lag, reach, expected.Frames() - reach, bestDifference);
        if (d < bestDifference) {
            bestDifference = d;
            best = lag;
        }
    }
    return best;
}

} // namespace

TEST(RenderArdour, ArdourRendersTheVst3BundleAsOurRendererDoesAndInTime) {
    const std::string folder =
        (fs::temp_directory_path() / ("crescenda-render-ardour-" + std::to_string(std::rand())))
            .string();
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string bundle = FileBesideExecutable("Crescenda.vst3");
    const RunResult ours = RunRenderer(folder, {"--plugin", bundle, "--out-dir", "demo"});
    ASSERT_EQ(ours.exitCode, 0) << ours.err;
    // What an uncompensating host would give: the swell the latency late.
    const RunResult late = RunRenderer(
        folder, {"--plugin", bundle, "--keep-latency", "demo/crescenda-demo-dry.wav", "late.wav"});
    ASSERT_EQ(late.exitCode, 0) << late.err;

    const std::string command = "bash '" CRESCENDA_SOURCE_DIR "/scripts/ardour-vst3-render.sh' '" +
                                fs::path(ExecutableDirectory()).parent_path().string() + "' '" +
                                folder + "/demo/crescenda-demo-dry.wav' '" + folder +
                                "/ardour.wav'";
    const int status = std::system(command.c_str());
    const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (exitCode == kNotInstalled) {
        fs::remove_all(folder);
        GTEST_SKIP() << "Ardour 7 is not installed (scripts/setup.sh installs the ardour package)";
    }
    ASSERT_EQ(exitCode, 0) << command;

    TestAudio dry;
    TestAudio expected;
    TestAudio uncompensated;
    TestAudio actual;
    ASSERT_TRUE(ReadTestAudio(folder + "/demo/crescenda-demo-dry.wav", dry));
    ASSERT_TRUE(ReadTestAudio(folder + "/demo/crescenda-demo-swelled.wav", expected));
    ASSERT_TRUE(ReadTestAudio(folder + "/late.wav", uncompensated));
    ASSERT_TRUE(ReadTestAudio(folder + "/ardour.wav", actual));
    // The measures can tell: the plug-in changes the sound, and a late swell shows as late.
    ASSERT_GT(MaxDifference(dry, expected, 0, 0, expected.Frames()), 0.1f);
    ASSERT_EQ(BestLag(uncompensated, expected), kLatency);

    ASSERT_EQ(actual.sampleRate, expected.sampleRate);
    ASSERT_EQ(actual.channels.size(), expected.channels.size());
    ASSERT_EQ(actual.Frames(), expected.Frames());
    const float difference = MaxDifference(actual, expected, 0, 0, expected.Frames());
    const long lag = BestLag(actual, expected);
    std::printf("Ardour against crescenda-render: max abs difference %.3g, best alignment %ld "
                "samples\n",
                static_cast<double>(difference), lag);
    EXPECT_LE(difference, kTolerance);
    EXPECT_EQ(lag, 0);
    fs::remove_all(folder);
}
