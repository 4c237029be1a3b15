// Real-time safety, counted by a test build of the plug-in: once a block size is set and one block
// has run at it, the process callbacks allocate nothing and never wait for a lock (the instance
// lock is taken, but nothing else holds it here). Parameter changes between blocks, smaller
// blocks and every path are part of the traffic.
#include "tests/validation/battery_host.h"
#include "tests/validation/block_render.h"
#include "vst2/realtime_counters_request.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <thread>

using namespace battery;

namespace {

// Reads (and with `reset`, restarts) the counters; false when the binary does not count.
bool ReadCounters(PluginHost& host, RealtimeCounters& counters, bool reset) {
    counters = RealtimeCounters{};
    return host.Dispatch(effVendorSpecific, RealtimeCountersRequest, reset ? 1 : 0, &counters) ==
           RealtimeCountersAnswer;
}

// The binary under test if it counts, else the instrumented build beside the battery.
std::string CountingPluginPath() {
    PluginHost host;
    RealtimeCounters counters;
    if (Load(host) && ReadCounters(host, counters, false)) {
        return PluginPath();
    }
    return RealtimePluginPath();
}

class RealtimeSafety : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = CountingPluginPath();
        if (path_.empty()) {
            GTEST_SKIP() << "no plug-in binary with real-time counters was built "
                            "(CrescendaRtChecks beside the battery, or CRESCENDA_RT_CHECKS=ON)";
        }
        ASSERT_TRUE(anchor_.Load(path_)) << anchor_.LastError();
        RealtimeCounters counters;
        ASSERT_TRUE(ReadCounters(anchor_, counters, true))
            << path_ << " does not answer the counters";
    }
    PluginHost anchor_; // keeps the instrumented binary loaded
    std::string path_;
};

std::vector<int> BlockSizes() {
    if (Thorough()) {
        return {1, 10, 17, 63, 256, 1024, 1536, 2027, 4096};
    }
    return {1, 64, 1024, 2027};
}

} // namespace

TEST_F(RealtimeSafety, AfterTheFirstBlockAtABlockSizeNoCallbackAllocatesOrWaits) {
    std::mt19937 random(Seed());
    std::uniform_real_distribution<float> unit(0.f, 1.f);
    const int blocks = Iterations(20, 200);
    FailureBudget budget;
    long counted = 0;
    long lockEntries = 0;
    for (int size : BlockSizes()) {
        for (Path path : kAllPaths) {
            for (bool inPlace : {false, true}) {
                PluginHost host;
                ASSERT_TRUE(LoadAndOpen(host, 48000.0, size, path_));
                if (!Offers(host, path)) {
                    continue;
                }
                const int params = host.Effect()->numParams;
                const Stream<float> first =
                    MakeSignal(Signal::Noise, host.Effect()->numInputs, size, 48000.0, Seed());
                Render(host, path, inPlace, first, {size});
                RealtimeCounters counters;
                ReadCounters(host, counters, true);
                // Full blocks, shorter ones and a call of 0 frames, parameters moving between them.
                const Stream<float> input = MakeSignal(Signal::Square, host.Effect()->numInputs,
                                                       size * blocks, 48000.0, Seed());
                int calls = 0;
                for (int b = 0; b < blocks; ++b) {
                    host.SetParameter(b % std::max(params, 1), unit(random));
                    Stream<float> piece;
                    for (const auto& channel : input) {
                        piece.emplace_back(channel.begin() + b * size,
                                           channel.begin() + (b + 1) * size);
                    }
                    const std::vector<int> cuts =
                        b % 4 == 3 && size > 1 ? std::vector<int>{size / 2, 0, size - size / 2}
                                               : std::vector<int>{size};
                    calls += Render(host, path, inPlace, piece, cuts).calls;
                }
                ReadCounters(host, counters, true);
                counted += calls;
                lockEntries += counters.lockEntries;
                const std::string what = std::string(PathName(path)) +
                                         (inPlace ? " in place" : " separate") + ", block size " +
                                         std::to_string(size) + ", " + std::to_string(calls) +
                                         " calls after the first block";
                if (counters.callbacks != calls && budget.Spend()) {
                    ADD_FAILURE() << what << ": the counters saw " << counters.callbacks
                                  << " callbacks, so they do not count what runs";
                }
                if ((counters.allocations != 0 || counters.lockWaits != 0) && budget.Spend()) {
                    ADD_FAILURE() << what << ": " << counters.allocations
                                  << " heap allocations and " << counters.lockWaits
                                  << " lock waits inside the callbacks";
                }
                if (counters.lockEntries != 0 && budget.Spend()) {
                    ADD_FAILURE() << what << ": the callbacks took " << counters.lockEntries
                                  << " locks; they must take none another thread can hold";
                }
            }
        }
    }
    Report("real-time safety: callbacks counted for allocations and lock waits", counted,
           std::to_string(lockEntries) + " lock entries");
}

// Another thread is inside effOpen (its host query takes 300 ms) while the audio thread
// processes: the block neither waits for that request nor takes a lock.
TEST_F(RealtimeSafety, ABlockRunsWhileAnotherThreadIsInsideEffOpen) {
    PluginHost host;
    ASSERT_TRUE(Load(host, path_));
    std::atomic<bool> holding{false};
    std::atomic<bool> audioStarting{false};
    std::atomic<bool> released{false};
    host.SetCallHook([&](PluginHost&, const HostCall& call) {
        if (call.opcode == audioMasterGetProductString && !holding.exchange(true)) {
            while (!audioStarting.load()) {
                std::this_thread::yield();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            released = true;
        }
    });
    host.Dispatch(effSetBlockSize, 0, 64);
    AudioBuffers<float> in(host.Effect()->numInputs, 64);
    AudioBuffers<float> out(host.Effect()->numOutputs, 64);
    host.ProcessFloat(in, out); // the first block at this size
    RealtimeCounters counters;
    ReadCounters(host, counters, true);
    std::thread control([&] { host.Dispatch(effOpen); });
    const auto start = std::chrono::steady_clock::now();
    while (!holding.load() && std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
        std::this_thread::yield();
    }
    if (!holding.load()) {
        audioStarting = true;
        control.join();
        GTEST_SKIP() << "effOpen made no host query to stay inside";
    }
    // Straight through the record: the host's own helpers read numInputs, which effOpen writes.
    std::vector<float*> inputs(in.Pointers(), in.Pointers() + in.Channels());
    std::vector<float*> outputs(out.Pointers(), out.Pointers() + out.Channels());
    AEffect* effect = host.Effect();
    audioStarting = true;
    effect->processReplacing(effect, inputs.data(), outputs.data(), 64);
    const bool finishedFirst = !released.load();
    control.join();
    ReadCounters(host, counters, true);
    EXPECT_TRUE(finishedFirst) << "the block waited until effOpen was done";
    EXPECT_EQ(counters.lockEntries, 0);
    EXPECT_EQ(counters.callbacks, 1);
    Report("real-time safety: a block beside a held instance lock", 1);
}
