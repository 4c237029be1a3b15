// Threads as hosts use them: an audio thread processing while another thread writes parameters,
// switches presets and moves chunks; a host that calls straight back into the plug-in from its
// own callback; instances created from several threads at once. Run under ThreadSanitizer in CI,
// which fails the run on any data race; a deadlock is caught by the watchdog here.
#include "tests/validation/battery_host.h"
#include "tests/validation/block_render.h"
#include "tests/validation/plugin_state.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

using namespace battery;

namespace {

// Runs `work` on its own thread; if it has not finished within `seconds` the run is stuck in a
// deadlock, which no test can recover from: say what was running and end the process.
void RunWithWatchdog(const char* what, int seconds, const std::function<void()>& work) {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread worker([&] {
        work();
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
        finished.notify_all();
    });
    std::unique_lock<std::mutex> lock(mutex);
    if (!finished.wait_for(lock, std::chrono::seconds(seconds), [&] { return done; })) {
        std::fprintf(stderr, "DEADLOCK: %s did not finish within %d s\n", what, seconds);
        std::fflush(stderr);
        std::_Exit(3);
    }
    lock.unlock();
    worker.join();
}

constexpr int kWatchdogSeconds = 300;

} // namespace

namespace {

// One run of the audio thread against the control thread; adds what was done to the counts.
void AudioAgainstControl(long& audioBlocks, long& controlCalls);

} // namespace

// Thorough mode repeats the run, giving the race detector more interleavings to see.
TEST(Threads, AudioAndAControlThreadRunTogetherWithoutRaceOrDeadlock) {
    long audioBlocks = 0;
    long controlCalls = 0;
    const int runs = Iterations(1, 5);
    for (int run = 0; run < runs && !HasFailure(); ++run) {
        AudioAgainstControl(audioBlocks, controlCalls);
    }
    Report("threads: 500 blocks of 32 against parameter/preset/chunk traffic",
           audioBlocks + controlCalls,
           std::to_string(runs) + " runs, " + std::to_string(controlCalls) + " control calls");
}

namespace {

void AudioAgainstControl(long& audioBlocks, long& controlCalls) {
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host, 44100.0, 32));
    const int blocks = 500;
    const int rounds = 500;
    const Stream<float> input =
        MakeSignal(Signal::Noise, host.Effect()->numInputs, blocks * 32, 44100.0, Seed());
    std::string audioProblem;
    RunWithWatchdog("audio thread with a control thread", kWatchdogSeconds, [&] {
        std::atomic<int> ready{0};
        std::thread audio([&] {
            ++ready;
            while (ready.load() < 2) {
            }
            // Blocks of 32 frames, the paths in turn.
            for (int b = 0; b < blocks && audioProblem.empty(); ++b) {
                Stream<float> piece;
                for (const auto& channel : input) {
                    piece.emplace_back(channel.begin() + b * 32, channel.begin() + (b + 1) * 32);
                }
                const Path path =
                    Offers(host, kAllPaths[b % 3]) ? kAllPaths[b % 3] : Path::FloatReplacing;
                const Rendered r = Render(host, path, b % 2 == 1, piece, {32});
                if (!r.problem.empty()) {
                    audioProblem =
                        "block " + std::to_string(b) + ", " + PathName(path) + ": " + r.problem;
                }
            }
        });
        std::thread control([&] {
            std::mt19937 random(Seed());
            std::uniform_real_distribution<float> unit(0.f, 1.f);
            const int params = host.Effect()->numParams;
            const int programs = host.Effect()->numPrograms;
            ++ready;
            while (ready.load() < 2) {
            }
            for (int round = 0; round < rounds; ++round) {
                for (int i = 0; i < params; ++i) {
                    host.SetParameter(i, unit(random));
                    host.GetParameter(i);
                    controlCalls += 2;
                }
                if (round % 10 == 0) {
                    host.SetProgram(round / 10 % std::max(programs, 1));
                    host.ParamDisplay(round % std::max(params, 1));
                    controlCalls += 2;
                }
                if (round % 25 == 0) {
                    host.SetChunk(true, host.GetChunk(true));
                    host.SetChunk(false, host.GetChunk(false));
                    controlCalls += 4;
                }
            }
        });
        audio.join();
        control.join();
    });
    EXPECT_TRUE(audioProblem.empty())
        << "while another thread wrote parameters, switched presets and "
           "moved chunks: "
        << audioProblem;
    for (float value : ParameterValues(host)) {
        EXPECT_TRUE(value >= 0.f && value <= 1.f) << "a parameter reads " << Describe(value);
    }
    audioBlocks += blocks;
}

} // namespace

TEST(Threads, AHostCallingBackFromItsCallbackCausesNoDeadlock) {
    PluginHost host;
    ASSERT_TRUE(Load(host));
    std::atomic<long> reentries{0};
    std::atomic<long> automations{0};
    host.SetCallHook([&](PluginHost& h, const HostCall& call) {
        static thread_local int depth = 0;
        if (depth > 0 || h.Effect() == nullptr) {
            return;
        }
        ++depth;
        // As some hosts answer an automation: read and write the parameter straight back.
        if (call.opcode == audioMasterAutomate) {
            ++automations;
            h.SetParameter(call.index, call.opt);
            h.GetParameter(call.index);
        } else {
            h.SetParameter(0, h.GetParameter(0));
        }
        char text[256];
        h.Dispatch(effGetParamDisplay, call.index >= 0 ? call.index : 0, 0, text);
        ++reentries;
        --depth;
    });
    std::string problem;
    RunWithWatchdog("a host re-entering from its callback", kWatchdogSeconds, [&] {
        host.Open(44100.0, 64);
        const int params = host.Effect()->numParams;
        const Stream<float> input =
            MakeSignal(Signal::Noise, host.Effect()->numInputs, 640, 44100, Seed());
        for (int round = 0; round < Iterations(20, 200); ++round) {
            for (int i = 0; i < params; ++i) {
                host.SetParameter(i, static_cast<float>(round % 10) / 9.f);
                char text[] = "0.5";
                host.Dispatch(effString2Parameter, i, 0, text);
            }
            host.SetProgram(round % std::max(host.Effect()->numPrograms, 1));
            host.SetChunk(false, host.GetChunk(false));
            const Path path =
                Offers(host, kAllPaths[round % 3]) ? kAllPaths[round % 3] : Path::FloatReplacing;
            const Rendered r = Render(host, path, false, input, {64});
            if (!r.problem.empty() && problem.empty()) {
                problem = r.problem;
            }
        }
        host.Close();
    });
    EXPECT_TRUE(problem.empty()) << "audio while the host called back: " << problem;
    Report("threads: re-entrant host callback", Iterations(20, 200),
           std::to_string(reentries.load()) + " calls back from the host callback, " +
               std::to_string(automations.load()) + " of them answering audioMasterAutomate");
}

TEST(Threads, InstancesCreatedFromSeveralThreadsAtOnceAllWork) {
    const int perThread = Iterations(10, 50);
    std::atomic<int> failures{0};
    std::mutex messageMutex;
    std::string firstMessage;
    RunWithWatchdog("instances created from four threads", kWatchdogSeconds, [&] {
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&, t] {
                for (int i = 0; i < perThread; ++i) {
                    PluginHost host;
                    std::string message;
                    if (!Load(host)) {
                        message = "loading failed";
                    } else {
                        host.Open(44100.0 + t, 128);
                        const Stream<float> input = MakeSignal(
                            Signal::Noise, host.Effect()->numInputs, 256, 44100.0, Seed() + t);
                        message = Render(host, Path::FloatReplacing, false, input, {128}).problem;
                        host.Close();
                    }
                    if (!message.empty()) {
                        ++failures;
                        std::lock_guard<std::mutex> lock(messageMutex);
                        if (firstMessage.empty()) {
                            firstMessage = "thread " + std::to_string(t) + ", instance " +
                                           std::to_string(i) + ": " + message;
                        }
                    }
                }
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
    });
    EXPECT_EQ(failures.load(), 0) << firstMessage;
    Report("threads: instances created from 4 threads at once", 4L * perThread);
}
