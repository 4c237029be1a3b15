// The instance lock while the editor window works, counted by the test build of the plug-in with
// the real-time counters (CrescendaRtChecks, beside the tests). The audio thread processes blocks
// back to back and moves the knobs between them as host automation does, so every tick repaints
// and copies pixels to the window system; none of that holds the instance lock, so the audio
// thread never finds it taken.
#include "editor_window_session.h"
#include "platform/shared_library.h"
#include "vst2/realtime_checks.h"

#include <atomic>
#include <fstream>
#include <iostream>
#include <thread>

using namespace editor_window;

TEST(EditorWindowRealtime, TheAudioThreadNeverWaitsForTheInstanceLockWhileTheEditorRepaints) {
    const std::string path =
        FileBesideExecutable("CrescendaRtChecks" + std::string(SharedLibrarySuffix()));
    EditorInWindow editor;
    std::string error;
    if (!std::ifstream(path).good() || !editor.OpenWindow(error)) {
        GTEST_SKIP() << "needs " << path << " and a window system: " << error;
    }
    ASSERT_TRUE(editor.host.Load(path)) << editor.host.LastError();
    editor.host.Open(44100.0, 64);
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
            editor.host.SetParameter(static_cast<int>(i % 4), static_cast<float>(i % 50) / 49.0f);
            editor.host.ProcessFloat(in, out);
            std::this_thread::yield(); // as a host's audio thread waits for its next period
        }
    });
    editor.Run(1000);
    stop = true;
    audio.join();
    read(false); // a request: it takes the instance lock itself, so only once the audio stopped
    EXPECT_GT(counters.callbacks, 0);
    EXPECT_EQ(counters.lockWaits, 0)
        << "the longest took " << counters.longestLockWaitNanoseconds << " ns";
    std::cout << "[ figures  ] " << counters.callbacks << " blocks of 64 frames, "
              << counters.lockWaits << " instance-lock waits\n";
    EXPECT_EQ(editor.CloseEditor(), 1);
}
