// Real-time safety of the process callbacks, measured by the adapter's counting build: once a
// block size is set, no callback allocates or waits for a lock.
#include "vst2/realtime_counters_request.h"
#include "vst2_test_support.h"

#include <chrono>
#include <thread>

namespace {

class Realtime : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Load(RealtimeTestPluginPath())) << host.LastError();
        host.Open(44100.0, 256);
    }

    RealtimeCounters Read(bool reset) {
        RealtimeCounters counters;
        EXPECT_EQ(
            host.Dispatch(effVendorSpecific, RealtimeCountersRequest, reset ? 1 : 0, &counters),
            RealtimeCountersAnswer);
        return counters;
    }

    PluginHost host;
};

} // namespace

TEST_F(Realtime, ProcessCallbacksNeitherAllocateNorWait) {
    AudioBuffers<float> in(2, 256), out(2, 256), io(2, 256);
    AudioBuffers<double> inD(2, 256), outD(2, 256), ioD(2, 256);
    FillSignal(in);
    FillSignal(inD);
    host.ProcessFloat(in, out); // the first block at this size may settle things
    Read(true);
    for (int round = 0; round < 20; ++round) {
        host.ProcessFloat(in, out);
        host.ProcessFloat(in, out, ProcessMode::Accumulating);
        host.ProcessDouble(inD, outD);
        host.ProcessFloatInPlace(io);
        host.ProcessDoubleInPlace(ioD);
        host.SetParameter(round % 5, 0.3f); // between blocks, on the same thread
    }
    AudioBuffers<float> longIn(2, 1000), longOut(2, 1000); // longer than announced
    host.ProcessFloat(longIn, longOut);
    const RealtimeCounters counters = Read(false);
    EXPECT_EQ(counters.callbacks, 101);
    EXPECT_EQ(counters.allocations, 0);
    EXPECT_EQ(counters.lockWaits, 0);
    EXPECT_EQ(counters.lockEntries, 0); // the callbacks take no lock at all
}

// The counters themselves must see what they are meant to catch: the test effect allocates in
// its rendering with Time at 0.001, and its parameter handler (on the audio thread) takes the
// instance lock with Sensitivity at 0.999, which a request renaming the program "slow" holds.
TEST_F(Realtime, TheCountersSeeAnAllocationInsideACallback) {
    AudioBuffers<float> in(2, 256), out(2, 256);
    host.SetBlockSize(4096); // allocates, outside any callback: not counted
    ASSERT_EQ(host.Dispatch(effString2Parameter, 1, 0, const_cast<char*>("0.001")), 1);
    Read(true);
    host.ProcessFloat(in, out);
    EXPECT_GE(Read(false).allocations, 1);
    EXPECT_EQ(Read(false).callbacks, 1);
}

TEST_F(Realtime, TheCountersSeeACallbackWaitingForTheInstanceLock) {
    ASSERT_EQ(host.Dispatch(effString2Parameter, 0, 0, const_cast<char*>("0.999")), 1);
    Read(true);
    std::thread user([&] { host.Dispatch(effSetProgramName, 0, 0, const_cast<char*>("slow")); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    AudioBuffers<float> in(2, 256), out(2, 256);
    host.ProcessFloat(in, out);
    user.join();
    EXPECT_EQ(Read(false).lockWaits, 1);
}
