// The renderer with the CLAP binary (--plugin Crescenda.clap) and the VST3 bundle (--plugin
// Crescenda.vst3): for the same settings and block size their output is bit-identical to the VST2
// binary's, the settings coming from a preset, from a state the VST2 binary saved, or from the
// defaults.
#include "platform/shared_library.h"
#include "tests/render/render_test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(RenderClap, TheClapAndVst3BinariesRenderExactlyWhatTheVst2BinaryRenders) {
    const std::string folder = NewScratchFolder("crescenda-render-clap-");
    ASSERT_FALSE(folder.empty());
    ASSERT_EQ(RunRenderer(folder, {"--out-dir", "demo"}).exitCode, 0);
    const std::string input = "demo/crescenda-demo-dry.wav";
    ASSERT_EQ(RunRenderer(folder, {"--preset", "4", "--save-state", "vst2.state", input, "x.wav"})
                  .exitCode,
              0);
    const std::vector<std::vector<std::string>> cases = {
        {"--block", "512"},
        {"--block", "37", "--preset", "3"},
        {"--block", "4096", "--load-state", "vst2.state"},
        {"--block", "1", "--preset", "Arpeggio"},
    };
    for (const char* plugin : {"Crescenda.clap", "Crescenda.vst3"}) {
        for (size_t i = 0; i < cases.size(); ++i) {
            std::vector<std::string> args = cases[i];
            args.insert(args.end(), {input, "vst2-" + std::to_string(i) + ".wav"});
            const RunResult vst2 = RunRenderer(folder, args);
            args.back() = "other-" + std::to_string(i) + ".wav";
            args.insert(args.begin(), {"--plugin", FileBesideExecutable(plugin)});
            const RunResult other = RunRenderer(folder, args);
            ASSERT_EQ(vst2.exitCode, 0) << vst2.err;
            ASSERT_EQ(other.exitCode, 0) << other.err;
            TestAudio expected;
            TestAudio actual;
            ASSERT_TRUE(ReadTestAudio(folder + "/vst2-" + std::to_string(i) + ".wav", expected));
            ASSERT_TRUE(ReadTestAudio(folder + "/other-" + std::to_string(i) + ".wav", actual));
            EXPECT_EQ(expected.channels, actual.channels) << plugin << ", case " << i;
        }
    }
    fs::remove_all(folder);
}
