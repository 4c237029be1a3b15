// The window never paints while the instance lock is held: the audio thread keeps processing
// through every paint, and through opening and closing the editor. A probe control painted at
// every tick waits, while it paints, for the audio thread to finish a block that began after the
// paint did; were the lock held by the painting thread, that block could not finish.
#include "editor/control.h"
#include "window_session.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

struct AudioThread {
    explicit AudioThread(PluginHost& host)
        : in(host.Effect()->numInputs, 64), out(host.Effect()->numOutputs, 64) {
        thread = std::thread([this, &host] {
            while (!stop.load()) {
                host.ProcessFloat(in, out);
                blocks.fetch_add(1);
            }
        });
    }
    ~AudioThread() {
        stop = true;
        thread.join();
    }

    AudioBuffers<float> in;
    AudioBuffers<float> out;
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::thread thread;
};

class LockProbe : public Control {
public:
    LockProbe(const std::atomic<long>& blocks, const std::atomic<bool>& insideRequest)
        : Control(nullptr, Bounds{0, 0, 4, 4}, -1, Blend{}), blocks_(blocks),
          insideRequest_(insideRequest) {}

    bool NeedsPaint() override { return true; } // painted at every tick
    bool Paint(GraphicsContext& /*graphics*/) override {
        ++paints;
        if (insideRequest_.load()) {
            ++paintsInsideRequest;
        }
        const long start = blocks_.load();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (blocks_.load() < start + 2 && std::chrono::steady_clock::now() < end) {
            std::this_thread::yield();
        }
        if (blocks_.load() >= start + 2) {
            ++paintsWithAudio;
        }
        return true;
    }

    int paints = 0;
    int paintsInsideRequest = 0;
    int paintsWithAudio = 0;

private:
    const std::atomic<long>& blocks_;
    const std::atomic<bool>& insideRequest_;
};

} // namespace

TEST(InstanceLock, AudioKeepsRunningThroughEveryPaintAndNoPaintHappensInsideOpen) {
    WindowSession session;
    SKIP_WITHOUT_WINDOW(session);
    AudioThread audio(session.host);
    std::atomic<bool> insideRequest{false};
    auto* probe = new LockProbe(audio.blocks, insideRequest);
    session.Editor().AddControl(probe);

    for (int cycle = 0; cycle < 10; ++cycle) {
        const long before = audio.blocks.load();
        const int paintsBefore = probe->paints;
        insideRequest = true;
        ASSERT_TRUE(session.OpenEditor());
        insideRequest = false;
        session.RunTicks(3);
        session.host.SetParameter(Time, cycle % 2 == 0 ? 0.25f : 0.75f);
        session.RunTicks(2);
        insideRequest = true;
        session.CloseEditor();
        insideRequest = false;
        EXPECT_GT(audio.blocks.load(), before) << "cycle " << cycle;
        EXPECT_GT(probe->paints, paintsBefore) << "cycle " << cycle;
    }
    EXPECT_EQ(probe->paintsInsideRequest, 0);
    EXPECT_EQ(probe->paintsWithAudio, probe->paints);
}
