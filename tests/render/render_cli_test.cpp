// The renderer as a user runs it, against the host tests' own effect (gain 0..2 and a delay of
// 0..64 samples reported as latency; presets "Unity", "Quiet" with gain 0.25, "Late" delay 32).
#include "platform/shared_library.h"
#include "tests/render/render_test_files.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>

namespace fs = std::filesystem;

namespace {

std::string TestPlugin() {
    return ExecutableDirectory() + "/host_test_plugin" + SharedLibrarySuffix();
}

TestAudio Noise(int channels, long frames, int sampleRate = 44100) {
    TestAudio audio;
    audio.sampleRate = sampleRate;
    audio.channels.assign(static_cast<size_t>(channels),
                          std::vector<float>(static_cast<size_t>(frames)));
    unsigned seed = 7;
    for (auto& channel : audio.channels) {
        for (float& sample : channel) {
            seed = seed * 1664525u + 1013904223u;
            sample = static_cast<float>(seed >> 8) / 16777216.f - 0.5f;
        }
    }
    return audio;
}

TestAudio Click(long frames, long at) {
    TestAudio audio;
    audio.channels.assign(1, std::vector<float>(static_cast<size_t>(frames)));
    audio.channels[0][static_cast<size_t>(at)] = 0.75f;
    return audio;
}

long PeakIndex(const std::vector<float>& samples) {
    long best = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::fabs(samples[i]) > std::fabs(samples[static_cast<size_t>(best)])) {
            best = static_cast<long>(i);
        }
    }
    return best;
}

class RenderCli : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = NewScratchFolder("crescenda-render-" + std::string(info->name()) + "-");
        ASSERT_FALSE(folder.empty());
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string In(const std::string& name) const { return (fs::path(folder) / name).string(); }

    // Runs the renderer on the test effect.
    RunResult Render(std::vector<std::string> args) {
        args.insert(args.begin(), {"--plugin", TestPlugin()});
        return RunRenderer(folder, args);
    }

    TestAudio Rendered(const std::string& name) {
        TestAudio audio;
        EXPECT_TRUE(ReadTestAudio(In(name), audio)) << name;
        return audio;
    }

    void ExpectFailureLeavingOnly(const RunResult& result, const std::vector<std::string>& files,
                                  const std::string& message) {
        EXPECT_NE(result.exitCode, 0);
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_EQ(FilesIn(folder), files);
    }

    std::string folder;
};

} // namespace

TEST_F(RenderCli, AMissingInputFileFailsAndWritesNothing) {
    ExpectFailureLeavingOnly(Render({"missing.wav", "out.wav"}), {}, "no such file");
}

TEST_F(RenderCli, AFileThatIsNotAudioFails) {
    std::ofstream(In("text.wav")) << "this is not a sound file";
    ExpectFailureLeavingOnly(Render({"text.wav", "out.wav"}), {"text.wav"}, "cannot read");
}

TEST_F(RenderCli, AFileWithMoreThanTwoChannelsIsRefused) {
    ASSERT_TRUE(WriteTestAudio(In("three.wav"), Noise(3, 100)));
    ExpectFailureLeavingOnly(Render({"three.wav", "out.wav"}), {"three.wav"}, "3 channels");
}

TEST_F(RenderCli, BadSettingsFailWithAMessageAndNoOutput) {
    ASSERT_TRUE(WriteTestAudio(In("in.wav"), Noise(2, 1000)));
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--set", "Volume=1"}, "unknown parameter 'Volume'"},
        {{"--set", "Gain=2.5"}, "out of range for Gain (0.00 to 2.00 x)"},
        {{"--set", "Gain=-0.1"}, "out of range"},
        {{"--set", "Gain=loud"}, "takes a number"},
        {{"--set", "Gain=nan"}, "takes a number"},
        {{"--set", "Gain"}, "NAME=VALUE"},
        {{"--preset", "Brilliant"}, "unknown preset 'Brilliant'"},
        {{"--preset", "3"}, "out of range (0 to 2)"},
        {{"--block", "0"}, "--block"},
        {{"--block", "many"}, "--block"},
        {{"--load-state", "nothing.bin"}, "no such file"},
        {{"--frobnicate"}, "unknown option"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"in.wav", "out.wav"});
        SCOPED_TRACE(args[0] + " " + args[1]);
        ExpectFailureLeavingOnly(Render(args), {"in.wav"}, c.message);
    }
}

TEST_F(RenderCli, AnUnwritableOutputFailsAndLeavesNoPartialFile) {
    ASSERT_TRUE(WriteTestAudio(In("in.wav"), Noise(1, 1000)));
    fs::create_directories(In("sub"));
    ExpectFailureLeavingOnly(Render({"in.wav", "absent/out.wav"}), {"in.wav", "sub"},
                             "cannot write");
    ExpectFailureLeavingOnly(Render({"in.wav", "sub/out.mp3"}), {"in.wav", "sub"}, ".wav, .aiff");
    ExpectFailureLeavingOnly(Render({"in.wav", "sub"}), {"in.wav", "sub"}, "cannot write");
}

TEST_F(RenderCli, APluginThatCannotBeLoadedFailsAndWritesNothing) {
    ASSERT_TRUE(WriteTestAudio(In("in.wav"), Noise(1, 100)));
    ExpectFailureLeavingOnly(RunRenderer(folder, {"--plugin", In("none.so"), "in.wav", "out.wav"}),
                             {"in.wav"}, "cannot load the plug-in");
}

TEST_F(RenderCli, RemovingTheLatencyLinesTheOutputUpWithTheInput) {
    ASSERT_TRUE(WriteTestAudio(In("click.wav"), Click(5000, 1000)));
    ASSERT_EQ(Render({"--set", "delay=10", "click.wav", "aligned.wav"}).exitCode, 0);
    const TestAudio aligned = Rendered("aligned.wav");
    EXPECT_EQ(aligned.Frames(), 5000);
    EXPECT_EQ(PeakIndex(aligned.channels[0]), 1000);
    EXPECT_EQ(aligned.channels[0][1000], 0.75f);

    ASSERT_EQ(Render({"--keep-latency", "--set", "Delay=10", "click.wav", "kept.wav"}).exitCode, 0);
    const TestAudio kept = Rendered("kept.wav");
    EXPECT_EQ(kept.Frames(), 5010);
    EXPECT_EQ(PeakIndex(kept.channels[0]), 1010);
}

TEST_F(RenderCli, TheLatencyTailIsFlushedOutOfThePlugin) {
    // The click in the last frame only leaves the delay when silence is fed after the file.
    ASSERT_TRUE(WriteTestAudio(In("late.wav"), Click(300, 299)));
    ASSERT_EQ(Render({"--preset", "Late", "late.wav", "out.wav"}).exitCode, 0);
    EXPECT_EQ(Rendered("out.wav").channels[0][299], 0.75f);
}

TEST_F(RenderCli, TheOutputDoesNotDependOnTheBlockSize) {
    ASSERT_TRUE(WriteTestAudio(In("in.wav"), Noise(2, 3001)));
    std::vector<TestAudio> outputs;
    for (const char* block : {"1", "7", "512", "65536"}) {
        const std::string name = std::string("out") + block + ".wav";
        ASSERT_EQ(Render({"--block", block, "--set", "Delay=7", "in.wav", name}).exitCode, 0);
        outputs.push_back(Rendered(name));
    }
    for (const TestAudio& output : outputs) {
        EXPECT_EQ(output.channels, outputs.front().channels);
    }
}

TEST_F(RenderCli, PlainValuesAreTakenInTheParametersOwnUnits) {
    const TestAudio input = Noise(2, 1000);
    ASSERT_TRUE(WriteTestAudio(In("in.wav"), input));
    ASSERT_EQ(Render({"--set", "GAIN=0.5", "in.wav", "out.wav"}).exitCode, 0);
    const TestAudio output = Rendered("out.wav");
    for (long i = 0; i < 1000; ++i) {
        ASSERT_EQ(output.channels[1][static_cast<size_t>(i)],
                  0.5f * input.channels[1][static_cast<size_t>(i)]);
    }
}

TEST_F(RenderCli, APresetIsChosenByNameOrByIndex) {
    const TestAudio input = Noise(1, 500);
    ASSERT_TRUE(WriteTestAudio(In("in.wav"), input));
    ASSERT_EQ(Render({"--preset", "quiet", "in.wav", "byname.wav"}).exitCode, 0);
    ASSERT_EQ(Render({"--preset", "1", "in.wav", "byindex.wav"}).exitCode, 0);
    const TestAudio byName = Rendered("byname.wav");
    EXPECT_EQ(byName.channels, Rendered("byindex.wav").channels);
    EXPECT_EQ(byName.channels[0][10], 0.25f * input.channels[0][10]);
}

TEST_F(RenderCli, ListShowsPresetsAndParametersWithRangesAndDefaults) {
    const RunResult result = Render({"--list"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* text :
         {"Unity", "Quiet", "Late", "Gain", "0.00 to 2.00 x", "1.00 x", "Delay", "0 to 64 smp"}) {
        EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
    }
    EXPECT_TRUE(FilesIn(folder).empty());
}

TEST_F(RenderCli, ASavedStateRestoresTheSettingsInALaterRun) {
    const TestAudio input = Noise(1, 500);
    ASSERT_TRUE(WriteTestAudio(In("in.wav"), input));
    ASSERT_EQ(
        Render({"--set", "Gain=1.5", "--save-state", "gain.state", "in.wav", "a.wav"}).exitCode, 0);
    ASSERT_EQ(Render({"--load-state", "gain.state", "in.wav", "b.wav"}).exitCode, 0);
    EXPECT_EQ(Rendered("b.wav").channels[0][3], 1.5f * input.channels[0][3]);

    std::ofstream(In("bad.state")) << "xyz";
    ExpectFailureLeavingOnly(Render({"--load-state", "bad.state", "in.wav", "c.wav"}),
                             {"a.wav", "b.wav", "bad.state", "gain.state", "in.wav"}, "refused");
}

TEST_F(RenderCli, MonoAiffBecomesMonoFlacAtTheFilesRate) {
    const TestAudio input = Noise(1, 2000, 96000);
    ASSERT_TRUE(WriteTestAudio(In("in.aiff"), input));
    ASSERT_EQ(Render({"in.aiff", "out.flac"}).exitCode, 0);
    const TestAudio output = Rendered("out.flac");
    ASSERT_EQ(output.channels.size(), 1u);
    EXPECT_EQ(output.sampleRate, 96000);
    ASSERT_EQ(output.Frames(), 2000);
    for (long i = 0; i < 2000; ++i) {
        ASSERT_NEAR(output.channels[0][static_cast<size_t>(i)],
                    input.channels[0][static_cast<size_t>(i)], 1e-6);
    }
}

TEST_F(RenderCli, WithoutAnOutputNameTheResultGoesToTheOutputFolder) {
    ASSERT_TRUE(WriteTestAudio(In("take.flac"), Noise(2, 300)));
    const RunResult result = Render({"--out-dir", "renders", "take.flac"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(FilesIn(folder),
              (std::vector<std::string>{"renders", "renders/take-swelled.flac", "take.flac"}));
}

TEST_F(RenderCli, TheDemoWritesADryAndAProcessedFileAndPrintsTheirPaths) {
    const RunResult result = Render({"--out-dir", "demo"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string dry = In("demo/crescenda-demo-dry.wav");
    const std::string wet = In("demo/crescenda-demo-swelled.wav");
    EXPECT_NE(result.out.find(dry), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(wet), std::string::npos) << result.out;
    TestAudio dryAudio, wetAudio;
    ASSERT_TRUE(ReadTestAudio(dry, dryAudio));
    ASSERT_TRUE(ReadTestAudio(wet, wetAudio));
    EXPECT_EQ(dryAudio.channels.size(), 2u);
    EXPECT_GE(dryAudio.Frames(), 44100 * 4);
    float peak = 0.f;
    for (float s : dryAudio.channels[0]) {
        peak = std::max(peak, std::fabs(s));
    }
    EXPECT_GT(peak, 0.1f);
    EXPECT_LE(peak, 1.f);
    // The test effect at its defaults passes audio through unchanged.
    EXPECT_EQ(wetAudio.channels, dryAudio.channels);
}

TEST_F(RenderCli, TheDefaultPluginIsTheOneBuiltBesideTheRenderer) {
    const RunResult result = RunRenderer(folder, {"--list"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Crescenda" + std::string(SharedLibrarySuffix())), std::string::npos)
        << result.out;
}

// The plug-in built beside the renderer, driven only through what the renderer offers.
class RenderDefaultPlugin : public RenderCli {
protected:
    RunResult RenderWithDefault(const std::vector<std::string>& args) {
        return RunRenderer(folder, args);
    }
};

TEST_F(RenderDefaultPlugin, ABypassedRenderGivesBackTheInputSampleForSample) {
    // Latency removal must line the delayed signal up exactly, or this comparison fails.
    ASSERT_EQ(RenderWithDefault({"--out-dir", "demo"}).exitCode, 0);
    const RunResult result =
        RenderWithDefault({"--set", "OnOff=0", "demo/crescenda-demo-dry.wav", "bypassed.wav"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Rendered("bypassed.wav").channels, Rendered("demo/crescenda-demo-dry.wav").channels);
}

TEST_F(RenderDefaultPlugin, TheSwelledDemoIsTheSameForEveryBlockSize) {
    ASSERT_EQ(RenderWithDefault({"--block", "4096", "--out-dir", "large"}).exitCode, 0);
    ASSERT_EQ(RenderWithDefault({"--block", "37", "--out-dir", "odd"}).exitCode, 0);
    const TestAudio large = Rendered("large/crescenda-demo-swelled.wav");
    EXPECT_EQ(large.channels, Rendered("odd/crescenda-demo-swelled.wav").channels);
    // And the swell did something.
    EXPECT_NE(large.channels, Rendered("large/crescenda-demo-dry.wav").channels);
}

TEST_F(RenderDefaultPlugin, AStateSavedFromOneRunRendersTheSameInTheNext) {
    ASSERT_EQ(RenderWithDefault({"--out-dir", "demo"}).exitCode, 0);
    const std::string input = "demo/crescenda-demo-dry.wav";
    ASSERT_EQ(RenderWithDefault({"--preset", "3", "--set", "Depth=0.3", "--set", "Vol=0.5",
                                 "--save-state", "s.bin", input, "first.wav"})
                  .exitCode,
              0);
    ASSERT_EQ(RenderWithDefault({"--load-state", "s.bin", input, "second.wav"}).exitCode, 0);
    EXPECT_EQ(Rendered("first.wav").channels, Rendered("second.wav").channels);
    EXPECT_NE(Rendered("first.wav").channels, Rendered("demo/crescenda-demo-swelled.wav").channels);
}

// A steady tone from 1 s on (after a short note that arms the detector), swelled at full depth:
// its gain rises linearly from the attack over the Time typed, so the rise from a quarter to
// three quarters of the tone's level takes half of it. Levels are RMS over 10 ms windows.
TEST_F(RenderDefaultPlugin, TimeTypedInSecondsOrMillisecondsGivesASwellThatLong) {
    TestAudio tone;
    tone.channels.assign(1, std::vector<float>(44100 * 4));
    for (size_t i = 4410; i < tone.channels[0].size(); ++i) {
        const double t = static_cast<double>(i) / 44100.0;
        const double primer = 0.3 * std::exp(-(t - 0.1) / 0.05);
        tone.channels[0][i] = static_cast<float>((primer + (i >= 44100 ? 0.5 : 0.0)) *
                                                 std::sin(2.0 * M_PI * 441.0 * t));
    }
    ASSERT_TRUE(WriteTestAudio(In("tone.wav"), tone));
    for (const char* time : {"Time=0.8s", "Time=800 ms", "Time=0.8"}) {
        const RunResult result =
            RenderWithDefault({"--set", "Depth=100 %", "--set", time, "tone.wav", "out.wav"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<float> out = Rendered("out.wav").channels[0];
        constexpr long Window = 441; // ten cycles
        long quarter = -1, threeQuarters = -1;
        for (long w = 44100 / Window; (w + 1) * Window <= static_cast<long>(out.size()); ++w) {
            const auto first = out.begin() + w * Window;
            const double power = std::inner_product(first, first + Window, first, 0.0) / Window;
            const double level = std::sqrt(power) / (0.5 / std::sqrt(2.0));
            quarter = quarter < 0 && level >= 0.25 ? w : quarter;
            threeQuarters = threeQuarters < 0 && level >= 0.75 ? w : threeQuarters;
        }
        ASSERT_GT(quarter, 0) << time;
        ASSERT_GT(threeQuarters, quarter) << time;
        const double swellSeconds = 2.0 * (threeQuarters - quarter) * Window / 44100.0;
        EXPECT_NEAR(swellSeconds, 0.8, 0.03) << time;
    }
}

TEST_F(RenderDefaultPlugin, TheListShowsRangesAndDefaultsInTheParametersUnits) {
    const RunResult list = RenderWithDefault({"--list"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    for (const char* text : {"0.010 to 10.0 s", "0.32 s", "-inf to +6.0 dB", "70.0 %", "on"}) {
        EXPECT_NE(list.out.find(text), std::string::npos) << text << "\n" << list.out;
    }
}
