// The audio thread beside the editor window, counted by the test build of the plug-in with the
// real-time counters (CrescendaRtChecks, beside the tests). Blocks run back to back on their own
// thread while the window works: every tick repainting what host automation moved, or a knob
// dragged with real pointer input towards a host whose automate handler takes 3 ms, as hosts that
// record automation and update their own views do. The audio thread never finds a lock of ours
// taken in either.
#include "editor_window_session.h"
#include "platform/shared_library.h"
#include "tests/editor_window/time_knob_drag.h"
#include "vst2/realtime_counters_request.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iostream>
#include <thread>

using namespace editor_window;

namespace {

struct Activity {
    const char* name;
    bool hostAutomates; // the audio thread moves the knobs between blocks
    bool userDrags;     // the Time knob is dragged while the host's automate handler is slow
};

void PrintTo(const Activity& activity, std::ostream* out) {
    *out << activity.name;
}

class EditorWindowRealtime : public testing::TestWithParam<Activity> {};

} // namespace

TEST_P(EditorWindowRealtime, TheAudioThreadNeverWaitsForALock) {
    const Activity activity = GetParam();
    const std::string path =
        FileBesideExecutable("CrescendaRtChecks" + std::string(SharedLibrarySuffix()));
    EditorInWindow editor;
    std::string error;
    if (!std::ifstream(path).good() || !editor.OpenWindow(error)) {
        GTEST_SKIP() << "needs " << path << " and a window system: " << error;
    }
    ASSERT_TRUE(editor.host.Load(path)) << editor.host.LastError();
    editor.host.Open(44100.0, 64);
    editor.host.SetCallHook([&](PluginHost&, const HostCall& call) {
        if (call.opcode == audioMasterAutomate && activity.userDrags) {
            std::this_thread::sleep_for(std::chrono::milliseconds(3));
        }
    });
    ASSERT_EQ(editor.OpenEditor(), 1);
    editor.Run(TwoTicks);
    AudioBuffers<float> in(2, 64);
    AudioBuffers<float> out(2, 64);
    editor.host.ProcessFloat(in, out); // the first block at this size
    RealtimeCounters counters;
    const auto read = [&](bool reset) {
        return editor.host.Dispatch(effVendorSpecific, RealtimeCountersRequest, reset ? 1 : 0,
                                    &counters) == RealtimeCountersAnswer;
    };
    ASSERT_TRUE(read(true));
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        for (unsigned i = 0; !stop.load(); ++i) {
            if (activity.hostAutomates) {
                editor.host.SetParameter(static_cast<int>(i % 4),
                                         static_cast<float>(i % 50) / 49.0f);
            }
            editor.host.ProcessFloat(in, out);
            std::this_thread::yield(); // as a host's audio thread waits for its next period
        }
    });
    MoveOverTheTimeKnob(editor.Window(), activity.userDrags, [&](int ms) { editor.Run(ms); });
    stop = true;
    audio.join();
    read(false);
    EXPECT_GT(counters.callbacks, 0);
    EXPECT_EQ(counters.lockWaits, 0)
        << "the longest took " << counters.longestLockWaitNanoseconds << " ns";
    EXPECT_EQ(counters.allocations, 0);
    EXPECT_EQ(editor.host.CountCalls(audioMasterAutomate) > 0, activity.userDrags);
    std::cout << "[ figures  ] " << activity.name << ": " << counters.callbacks
              << " blocks of 64 frames, " << counters.lockWaits << " lock waits\n";
    editor.host.SetCallHook(nullptr);
    EXPECT_EQ(editor.CloseEditor(), 1);
}

INSTANTIATE_TEST_SUITE_P(Activities, EditorWindowRealtime,
                         testing::Values(Activity{"HostAutomationRepaintsEveryTick", true, false},
                                         Activity{"KnobDraggedTowardsASlowHost", false, true}),
                         [](const testing::TestParamInfo<Activity>& info) {
                             return std::string(info.param.name);
                         });
