// Lifecycle as hosts really drive it: many instances in a row and at once, opens doubled or
// missing, suspend and resume, sample rate and block size changed at any time, audio before
// anything was set up.
#include "tests/validation/battery_host.h"
#include "tests/validation/block_render.h"

#include <gtest/gtest.h>
#include <memory>

using namespace battery;

namespace {

// A block of noise through every path; the first problem (with the path), or empty.
std::string ProcessEveryPath(PluginHost& host, int frames) {
    const Stream<float> input =
        MakeSignal(Signal::Noise, host.Effect()->numInputs, frames, 44100.0, Seed());
    for (Path path : kAllPaths) {
        if (!Offers(host, path)) {
            continue;
        }
        const Rendered rendered = Render(host, path, false, input, {frames});
        if (!rendered.problem.empty()) {
            return std::string(PathName(path)) + ": " + rendered.problem;
        }
    }
    return {};
}

} // namespace

TEST(Lifecycle, ManyInstancesCreatedOpenedAndClosedInARowEachWork) {
    const int count = Iterations(100, 1000);
    for (int i = 0; i < count; ++i) {
        PluginHost host;
        ASSERT_TRUE(Load(host)) << "instance " << i;
        host.Dispatch(effOpen);
        if (i % 10 == 0) {
            host.Open(48000.0, 128);
            const std::string problem = ProcessEveryPath(host, 128);
            ASSERT_TRUE(problem.empty())
                << "instance " << i << " of a row, processing: " << problem;
        }
        host.Close();
        ASSERT_EQ(host.Effect(), nullptr);
    }
    Report("lifecycle: instances created and destroyed in a row", count);
}

TEST(Lifecycle, FiftyInstancesAliveAtOnceKeepTheirOwnParametersAndAudio) {
    const int count = 50;
    std::vector<std::unique_ptr<PluginHost>> hosts;
    for (int i = 0; i < count; ++i) {
        hosts.push_back(std::make_unique<PluginHost>());
        ASSERT_TRUE(LoadAndOpen(*hosts.back(), 44100.0, 64)) << "instance " << i;
    }
    const int params = hosts[0]->Effect()->numParams;
    for (int i = 0; i < count; ++i) {
        for (int p = 0; p < params; ++p) {
            hosts[static_cast<size_t>(i)]->SetParameter(
                p, static_cast<float>((i * 7 + p * 3) % 11) / 10.f);
        }
    }
    // What a lone instance reads back for each value written.
    PluginHost lone;
    ASSERT_TRUE(LoadAndOpen(lone, 44100.0, 64));
    std::vector<std::vector<float>> expected(static_cast<size_t>(params));
    for (int p = 0; p < params; ++p) {
        for (int k = 0; k < 11; ++k) {
            lone.SetParameter(p, static_cast<float>(k) / 10.f);
            expected[static_cast<size_t>(p)].push_back(lone.GetParameter(p));
        }
    }
    for (int i = 0; i < count; ++i) {
        PluginHost& host = *hosts[static_cast<size_t>(i)];
        const std::string problem = ProcessEveryPath(host, 64);
        EXPECT_TRUE(problem.empty())
            << "instance " << i << " of " << count << " alive: " << problem;
        for (int p = 0; p < params; ++p) {
            const float want =
                expected[static_cast<size_t>(p)][static_cast<size_t>((i * 7 + p * 3) % 11)];
            EXPECT_EQ(host.GetParameter(p), want)
                << "instance " << i << " parameter " << p << " reads "
                << Describe(host.GetParameter(p))
                << " while a lone instance given the same write reads " << Describe(want);
        }
    }
    hosts.clear();
    Report("lifecycle: instances alive at once", count);
}

TEST(Lifecycle, SuspendAndResumeThreeTimesWithProcessingBetween) {
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host, 44100.0, 256));
    for (int round = 0; round < 3; ++round) {
        host.MainsChanged(false);
        host.MainsChanged(true);
        const std::string problem = ProcessEveryPath(host, 256);
        EXPECT_TRUE(problem.empty())
            << "after suspend/resume round " << round + 1 << ": " << problem;
    }
    Report("lifecycle: suspend/resume", 3);
}

TEST(Lifecycle, SampleRateAndBlockSizeChangeWhileSuspendedAndWhileRunning) {
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host, 44100.0, 256));
    const struct {
        double rate;
        int block;
    } changes[] = {{48000, 512},   {96000, 32},  {8000, 1},
                   {192000, 4096}, {22050, 100}, {44100, 256}};
    long steps = 0;
    for (bool running : {false, true}) {
        for (const auto& change : changes) {
            if (!running) {
                host.MainsChanged(false);
            }
            host.SetSampleRate(change.rate);
            host.SetBlockSize(change.block);
            if (!running) {
                host.MainsChanged(true);
            }
            const std::string problem = ProcessEveryPath(host, change.block);
            ++steps;
            EXPECT_TRUE(problem.empty())
                << "rate " << change.rate << " and block size " << change.block << " set while "
                << (running ? "running" : "suspended") << ": " << problem;
        }
    }
    Report("lifecycle: rate and block size changes", steps);
}

TEST(Lifecycle, ProcessingWorksWithNoResumeEverSent) {
    PluginHost host;
    ASSERT_TRUE(Load(host));
    host.Dispatch(effOpen);
    host.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.f);
    host.Dispatch(effSetBlockSize, 0, 512);
    const std::string problem = ProcessEveryPath(host, 512);
    EXPECT_TRUE(problem.empty()) << "effOpen, rate 48000, block 512, no effMainsChanged(1): "
                                 << problem;
    Report("lifecycle: processing without resume", 1);
}

TEST(Lifecycle, ASecondOpenKeepsTheInstanceWorking) {
    PluginHost host;
    ASSERT_TRUE(Load(host));
    host.Dispatch(effOpen);
    host.SetParameter(0, 0.25f);
    const float before = host.GetParameter(0);
    host.Dispatch(effOpen);
    host.Open(44100.0, 512);
    EXPECT_EQ(host.GetParameter(0), before)
        << "effOpen sent again changed parameter 0 from " << Describe(before) << " to "
        << Describe(host.GetParameter(0));
    const std::string problem = ProcessEveryPath(host, 512);
    EXPECT_TRUE(problem.empty()) << "effOpen sent three times, then processing: " << problem;
    Report("lifecycle: effOpen twice", 1);
}

TEST(Lifecycle, ProcessingStraightAfterConstructionBeforeOpenWorks) {
    PluginHost host;
    ASSERT_TRUE(Load(host));
    const std::string problem = ProcessEveryPath(host, 512);
    EXPECT_TRUE(problem.empty()) << "blocks of 512 straight after the entry point, before effOpen: "
                                 << problem;
    host.Dispatch(effOpen);
    const std::string after = ProcessEveryPath(host, 512);
    EXPECT_TRUE(after.empty()) << "the same instance after effOpen: " << after;
    Report("lifecycle: processing before effOpen", 2);
}

TEST(Lifecycle, BothEntryPointsGiveInstancesThatRenderTheSame) {
    PluginHost first;
    PluginHost second;
    ASSERT_TRUE(Load(first, PluginPath(), "VSTPluginMain"));
    ASSERT_TRUE(Load(second, PluginPath(), "main"));
    first.Open(44100.0, 256);
    second.Open(44100.0, 256);
    const Stream<float> input =
        MakeSignal(Signal::Noise, first.Effect()->numInputs, 4096, 44100, Seed());
    const Rendered a = Render(first, Path::FloatReplacing, false, input, {256});
    const Rendered b = Render(second, Path::FloatReplacing, false, input, {256});
    const std::string difference = CompareStreams(a.output, b.output);
    EXPECT_TRUE(difference.empty())
        << "VSTPluginMain and main instances rendered differently: " << difference;
    Report("lifecycle: both entry points", 2);
}
