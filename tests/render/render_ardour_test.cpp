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
constexpr float kTolerance = 1e-6f; // float rounding of a unity-gain mix, far below one 24-bit step
constexpr long kReach = 3000;       // how far either way BestLag looks

// A setting as each side is told it; its latency is the look-ahead, trunc(1500 · ∛Depth) samples.
struct Setting {
    const char* name;
    std::vector<std::string> ardour;   // NAME=VALUE as Ardour's controls take them (0 to 1)
    std::vector<std::string> renderer; // crescenda-render options, in the parameters' units
    long latency;
};
const Setting kSettings[] = {
    {"defaults", {}, {}, 1362},
    // Loaded from the session, this latency differs from the one the plug-in starts with.
    {"Depth 50 %, Sensitivity 40 %",
     {"Depth=0.5", "Sensitivity=0.4"},
     {"--set", "Depth=50", "--set", "Sensitivity=40"},
     1190},
};

// The largest |a[i + lag] − b[i]| over [from, to); it stops once it exceeds `enough`.
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

// The shift of `actual` against `expected` (within kReach either way) that matches best.
long BestLag(const TestAudio& actual, const TestAudio& expected) {
    long best = 0;
    float bestDifference = INFINITY;
    for (long lag = -kReach; lag <= kReach; ++lag) {
        const float d = MaxDifference(actual, expected, lag, kReach, expected.Frames() - kReach,
                                      bestDifference);
        if (d < bestDifference) {
            bestDifference = d;
            best = lag;
        }
    }
    return best;
}

// Our renderer with the setting and the `extra` options, into `output` (in `folder`).
void RenderOurs(const std::string& folder, const Setting& setting,
                const std::vector<std::string>& extra, const std::string& output) {
    std::vector<std::string> args = {"--plugin", FileBesideExecutable("Crescenda.vst3")};
    args.insert(args.end(), setting.renderer.begin(), setting.renderer.end());
    args.insert(args.end(), extra.begin(), extra.end());
    args.insert(args.end(), {"demo/crescenda-demo-dry.wav", output});
    const RunResult run = RunRenderer(folder, args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
}

// Ardour's export of the demo through the bundle with the setting; the script's exit code.
int RenderInArdour(const std::string& folder, const Setting& setting, const std::string& output) {
    std::string command = "bash '" CRESCENDA_SOURCE_DIR "/scripts/ardour-vst3-render.sh' '" +
                          fs::path(ExecutableDirectory()).parent_path().string() + "' '" + folder +
                          "/demo/crescenda-demo-dry.wav' '" + folder + "/" + output + "'";
    for (const std::string& value : setting.ardour) {
        command += " " + value;
    }
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TestAudio Read(const std::string& path) {
    TestAudio audio;
    EXPECT_TRUE(ReadTestAudio(path, audio)) << path;
    return audio;
}

} // namespace

TEST(RenderArdour, ArdourRendersTheVst3BundleAsOurRendererDoesAndInTime) {
    const std::string folder = NewScratchFolder("crescenda-render-ardour-");
    ASSERT_FALSE(folder.empty());
    ASSERT_EQ(RunRenderer(folder, {"--out-dir", "demo"}).exitCode, 0);
    const TestAudio dry = Read(folder + "/demo/crescenda-demo-dry.wav");

    for (const Setting& setting : kSettings) {
        SCOPED_TRACE(setting.name);
        RenderOurs(folder, setting, {}, "expected.wav");
        RenderOurs(folder, setting, {"--keep-latency"}, "late.wav"); // as if not compensated
        const int exitCode = RenderInArdour(folder, setting, "ardour.wav");
        if (exitCode == kNotInstalled) {
            fs::remove_all(folder);
            GTEST_SKIP() << "Ardour 7 is not installed (scripts/setup.sh installs it)";
        }
        ASSERT_EQ(exitCode, 0);
        const TestAudio expected = Read(folder + "/expected.wav");
        const TestAudio actual = Read(folder + "/ardour.wav");
        // The measures can tell: the plug-in changes the sound; a late swell shows as late.
        ASSERT_GT(MaxDifference(dry, expected, 0, 0, expected.Frames()), 0.1f);
        ASSERT_EQ(BestLag(Read(folder + "/late.wav"), expected), setting.latency);
        ASSERT_EQ(actual.channels.size(), expected.channels.size());
        ASSERT_EQ(actual.Frames(), expected.Frames());
        const float difference = MaxDifference(actual, expected, 0, 0, expected.Frames());
        const long lag = BestLag(actual, expected);
        std::printf("%s: Ardour against crescenda-render: max abs difference %.3g, best alignment "
                    "%ld samples\n",
                    setting.name, static_cast<double>(difference), lag);
        EXPECT_LE(difference, kTolerance);
        EXPECT_EQ(lag, 0);
    }
    fs::remove_all(folder);
}
