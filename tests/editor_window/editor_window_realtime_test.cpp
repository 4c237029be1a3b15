// The instance lock while the editor window works, counted by the test build of the plug-in with
// the real-time counters (CrescendaRtChecks, beside the tests): the audio thread processes blocks
// back to back and moves the knobs between them as host automation does, so every tick of the
// editor repaints and copies pixels to the window system. None of that work holds the instance
// lock, so the audio thread never finds it taken.
#include "editor_window_session.h"
#include "platform/shared_library.h"
#include "vst2/realtime_checks.h"

#include <atomic>
#include <fstream>
#include <iostream>
#include <thread>

using namespace editor_window;

namespace {

bool ReadCounters(PluginHost& host, RealtimeCounters& counters, bool reset) {
    counters = RealtimeCounters{};
    return host.Dispatch(effVendorSpecific, RealtimeCountersRequest, reset ? 1 : 0, &counters) ==
           RealtimeCountersAnswer;
}

} // namespace

TEST(EditorWindowRealtime, TheAudioThreadNeverWaitsForTheInstanceLockWhileTheEditorRepaints) {
    const std::string path =
        FileBesideExecutable(std::string("CrescendaRtChecks") + SharedLibrarySuffix());
    if (!std::ifstream(path).good()) {
        GTEST_SKIP() << "no plug-in with real-time counters beside the tests (" << path << ")";
    }
    EditorInWindow editor;
    std::string error;
    if (!editor.OpenWindow(error)) {
        GTEST_SKIP() << "no window to open the editor in: " << error;
    }
    ASSERT_TRUE(editor.host.Load(path)) << editor.host.LastError();
    editor.host.Open(44100.0, 64);
    ASSERT_EQ(editor.OpenEditor(), 1);
    editor.Run(TwoTicks);

    AudioBuffers<float> in(2, 64);
    AudioBuffers<float> out(2, 64);
    editor.host.ProcessFloat(in, out); // the first block at this size
    RealtimeCounters counters;
    ASSERT_TRUE(ReadCounters(editor.host, counters, true));
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        for (unsigned i = 0; !stop.load(); ++i) {
            editor.host.SetParameter(static_cast<int>(i % 4), static_cast<float>(i % 50) / 49.0f);
            editor.host.ProcessFloat(in, out);
        }
    });
    editor.Run(1000);
    stop = true;
    audio.join();
    ReadCounters(editor.host, counters, false); // a request: it takes the instance lock itself
    EXPECT_GT(counters.callbacks, 0);
    EXPECT_EQ(counters.lockWaits, 0)
        << "the longest wait took " << counters.longestLockWaitNanoseconds << " ns";
    std::cout << "[ figures  ] " << counters.callbacks << " blocks of 64 frames, "
              << counters.lockEntries << " instance-lock entries, " << counters.lockWaits
              << " waits (longest " << counters.longestLockWaitNanoseconds << " ns)\n";
    EXPECT_EQ(editor.CloseEditor(), 1);
}
