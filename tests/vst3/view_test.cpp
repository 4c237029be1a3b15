#include "host/vst3/plug_frame.h"
#include "tests/editor_window/time_knob_drag.h"
#include "tests/vst3/ui_loop.h"
#include "tests/vst3/vst3_test_support.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <thread>
#include <utility>

namespace {

using namespace vst3;
using Kind = RecordingHandler::Kind;

constexpr ParamID kDepth = 2;
constexpr ParamID kVol = 3;
constexpr ParamID kOnOff = 4;

// Distinct colours in the window's client area: the editor painted, not an empty window.
int Colours(HostWindow& window) {
    std::vector<std::uint32_t> pixels;
    if (!window.ReadPixels(0, 0, 555, 306, pixels)) {
        return 0;
    }
    return static_cast<int>(std::set<std::uint32_t>(pixels.begin(), pixels.end()).size());
}

TEST_F(LoadedBundle, TheViewAttachesAndDetachesRepeatedlyAndItsGesturesReachTheHost) {
    std::string error;
    auto window = HostWindow::Open(555, 306, error);
    if (window == nullptr) {
        GTEST_SKIP() << error;
    }
    UiLoop loop(*window);
    PlugFrame frame(loop.RunLoop());
    for (int cycle = 0; cycle < 3; ++cycle) {
        IPlugView* view = Controller().createView("editor");
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->isPlatformTypeSupported(loop.ViewType()), kResultTrue);
        EXPECT_NE(view->isPlatformTypeSupported("NSView"), kResultTrue);
        ViewRect size{};
        ASSERT_EQ(view->getSize(&size), kResultOk);
        EXPECT_EQ(size.right - size.left, 555);
        EXPECT_EQ(size.bottom - size.top, 306);
        EXPECT_NE(view->canResize(), kResultTrue);
        ASSERT_EQ(view->setFrame(&frame), kResultOk);
        ASSERT_EQ(view->attached(window->ParentHandle(), loop.ViewType()), kResultOk);
        // One editor window per instance: a second view waits its turn.
        IPlugView* second = Controller().createView("editor");
        ASSERT_NE(second, nullptr);
        EXPECT_NE(second->attached(window->ParentHandle(), loop.ViewType()), kResultOk);
        EXPECT_EQ(second->release(), 0u);
        loop.Run(400);
        EXPECT_GT(Colours(*window), 16) << "cycle " << cycle;
        if (cycle == 0) {
            host.Handler().Clear();
            window->MoveMouse(30, 30); // the on/off switch
            window->PressButton(HostWindow::Button::Left, {});
            window->ReleaseButton(HostWindow::Button::Left, {});
            loop.Run(400);
            std::vector<RecordingHandler::Call> gesture, restarts;
            for (const auto& call : host.Handler().Calls()) {
                EXPECT_EQ(call.thread, std::this_thread::get_id());
                (call.kind == Kind::Restart ? restarts : gesture).push_back(call);
            }
            ASSERT_EQ(gesture.size(), 3u);
            EXPECT_EQ(gesture[0].kind, Kind::Begin);
            EXPECT_EQ(gesture[1].kind, Kind::Perform);
            EXPECT_EQ(gesture[1].value, 0.0);
            EXPECT_EQ(gesture[2].kind, Kind::End);
            for (const auto& call : gesture) {
                EXPECT_EQ(call.id, kOnOff);
            }
            ASSERT_EQ(restarts.size(), 1u); // the latency went to 0
            EXPECT_EQ(restarts[0].value, kLatencyChanged);
            EXPECT_EQ(Value(kOnOff), 0.0);
            EXPECT_EQ(host.Processor()->getLatencySamples(), 0u);
        }
        EXPECT_EQ(view->removed(), kResultOk);
        EXPECT_EQ(loop.Registrations(), 0);
        EXPECT_EQ(view->release(), 0u);
    }
    EXPECT_EQ(frame.References(), 1u);
    if (loop.RunLoop() != nullptr) {
        EXPECT_GT(loop.TimerFirings(), 0);
    }
}

// A view of the editor and its content-scale interface, with a window of the 2x size and a frame
// to attach it to. Tests attach it; the view is removed and released at the end.
class ScalableView : public LoadedBundle {
protected:
    void SetUp() override {
        LoadedBundle::SetUp();
        std::string error;
        window_ = HostWindow::Open(1110, 612, error);
        if (window_ == nullptr) {
            GTEST_SKIP() << error;
        }
        loop_ = std::make_unique<UiLoop>(*window_);
        frame_ = std::make_unique<PlugFrame>(loop_->RunLoop());
        view_ = Controller().createView("editor");
        ASSERT_NE(view_, nullptr);
        void* found = nullptr;
        ASSERT_EQ(view_->queryInterface(IPlugViewContentScaleSupport::iid.bytes, &found),
                  kResultOk);
        scaling_ = static_cast<IPlugViewContentScaleSupport*>(found);
    }
    void TearDown() override {
        if (attached_) {
            EXPECT_EQ(view_->removed(), kResultOk);
        }
        if (scaling_ != nullptr) {
            scaling_->release();
        }
        if (view_ != nullptr) {
            EXPECT_EQ(view_->release(), 0u);
        }
        LoadedBundle::TearDown();
    }
    void Attach() {
        ASSERT_EQ(view_->setFrame(frame_.get()), kResultOk);
        ASSERT_EQ(view_->attached(window_->ParentHandle(), loop_->ViewType()), kResultOk);
        attached_ = true;
    }
    std::pair<int, int> Size() {
        ViewRect rect{};
        EXPECT_EQ(view_->getSize(&rect), kResultOk);
        return std::make_pair(rect.right - rect.left, rect.bottom - rect.top);
    }

    std::unique_ptr<HostWindow> window_;
    std::unique_ptr<UiLoop> loop_;
    std::unique_ptr<PlugFrame> frame_;
    IPlugView* view_ = nullptr;
    IPlugViewContentScaleSupport* scaling_ = nullptr;
    bool attached_ = false;
};

// The host's content scale picks the editor's size; an attached view asks the frame for it. The
// sizes are the 555 x 306 editor's, scaled and rounded to the nearest pixel.
TEST_F(ScalableView, TheContentScaleSizesTheViewAndAnAttachedViewAsksToResize) {
    ASSERT_EQ(scaling_->setContentScaleFactor(2.0f), kResultOk); // before attached: no request
    EXPECT_EQ(Size(), std::make_pair(1110, 612));
    ASSERT_NO_FATAL_FAILURE(Attach());
    EXPECT_EQ(frame_->ResizeRequests(), 0);
    const struct {
        float factor;
        int width, height, requests;
    } steps[] = {{1.5f, 833, 459, 1},         {2.0f, 1110, 612, 2}, {2.0f, 1110, 612, 2},
                 {1.0f, 555, 306, 3},         {0.0f, 555, 306, 3},  {-1.5f, 555, 306, 3},
                 {std::nanf(""), 555, 306, 3}};
    for (const auto& step : steps) {
        const bool valid = step.factor > 0.0f;
        EXPECT_EQ(scaling_->setContentScaleFactor(step.factor) == kResultOk, valid) << step.factor;
        loop_->Run(50);
        EXPECT_EQ(Size(), std::make_pair(step.width, step.height)) << step.factor;
        EXPECT_EQ(frame_->ResizeRequests(), step.requests) << step.factor;
        EXPECT_EQ(frame_->RequestedSize().right, step.width) << step.factor;
        EXPECT_EQ(frame_->RequestedSize().bottom, step.height) << step.factor;
    }
}

// The system's new DPI for the attached view's window resizes it and asks the frame to follow,
// until the host gives a content scale of its own, which then wins.
TEST_F(ScalableView, TheSystemsNewDpiResizesTheAttachedViewUnlessTheHostGaveItsScale) {
    // Asked before anything is attached, so a skip leaves nothing open.
    if (!window_->ChangeDpi(96)) {
        GTEST_SKIP() << "the window system tells windows of no DPI change";
    }
    ASSERT_NO_FATAL_FAILURE(Attach());
    const struct {
        float hostScale; // given before the DPI change; 0: none
        int dpi, width, height, requests;
    } steps[] = {{0.0f, 144, 833, 459, 1}, {0.0f, 96, 555, 306, 2}, {1.0f, 192, 555, 306, 2}};
    for (const auto& step : steps) {
        if (step.hostScale > 0.0f) {
            ASSERT_EQ(scaling_->setContentScaleFactor(step.hostScale), kResultOk);
        }
        EXPECT_TRUE(window_->ChangeDpi(step.dpi));
        loop_->Run(50);
        EXPECT_EQ(Size(), std::make_pair(step.width, step.height)) << step.dpi;
        EXPECT_EQ(frame_->ResizeRequests(), step.requests) << step.dpi;
    }
}

// Process with the editor open, counted by the bundle built with the real-time counters
// (CrescendaRtChecks.vst3, beside the tests): 64-frame blocks back to back on their own thread
// while the host's loop drives the view, with changes at five offsets in every block (Vol at both
// ends; Depth, OnOff and the program between, moving the latency) or the Time knob dragged with
// real pointer input. No process call may allocate or take a lock.
class CountedView : public ScalableView, public testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        if (!std::ifstream(Bundle() + "/Contents/Resources/moduleinfo.json").good()) {
            GTEST_SKIP() << "needs " << Bundle();
        }
        ScalableView::SetUp();
    }
    std::string Bundle() const override {
        return ExecutableDirectory() + "/CrescendaRtChecks.vst3";
    }
};

TEST_P(CountedView, NoProcessCallAllocatesOrTakesALock) {
    const bool userDrags = GetParam();
    ParameterInfo program{};
    ASSERT_EQ(Controller().getParameterInfo(5, program), kResultOk);
    ASSERT_NO_FATAL_FAILURE(Attach());
    ASSERT_TRUE(host.Start(44100.0, 64));
    AudioBuffers<float> in(2, 64), out(2, 64);
    host.Process(in, out, 64); // the first block at this size
    RealtimeCounters counters;
    ASSERT_TRUE(host.ReadRealtimeCounters(counters, true));
    std::atomic<bool> stop{false};
    std::int64_t blocks = 0;
    std::thread audio([&] {
        for (ParameterChanges changes; !stop.load(); ++blocks) {
            const double share = static_cast<double>(blocks % 50) / 49.0;
            const std::pair<ParamID, double> points[] = {
                {kVol, share},
                {kDepth, 1.0 - share},
                {kOnOff, static_cast<double>(blocks / 8 % 2)},
                {program.id, static_cast<double>(blocks % 6) / 5.0},
                {kVol, 1.0 - share}};
            for (int p = 0; p < (userDrags ? 0 : 5); ++p) {
                changes.Add(points[p].first, p * 63 / 4, points[p].second);
            }
            host.Process(in, out, 64, &changes);
            changes.Clear();
            std::this_thread::yield(); // as a host's audio thread waits for its next period
        }
    });
    host.Handler().Clear();
    const auto start = std::chrono::steady_clock::now();
    MoveOverTheTimeKnob(*window_, userDrags, [&](int ms) { loop_->Run(ms); });
    stop = true;
    audio.join();
    ASSERT_TRUE(host.ReadRealtimeCounters(counters, false));
    EXPECT_EQ(counters.callbacks, blocks);
    EXPECT_EQ(counters.lockEntries, 0);
    EXPECT_EQ(counters.allocations, 0);
    const auto calls = host.Handler().Calls(); // a drag's gesture reached the host
    EXPECT_EQ(
        std::any_of(calls.begin(), calls.end(), [](auto& c) { return c.kind == Kind::Begin; }),
        userDrags);
    std::cout << "[ figures  ] " << (userDrags ? "knob dragged: " : "host changes: ") << blocks
              << " blocks of 64 frames in "
              << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
              << " s, " << counters.allocations << " allocations, " << counters.lockEntries
              << " locks taken\n";
    host.Stop();
}

INSTANTIATE_TEST_SUITE_P(Activities, CountedView, testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "KnobDragged" : "HostChangesEveryBlock");
});

} // namespace
