#include "host/vst3/plug_frame.h"
#include "tests/vst3/ui_loop.h"
#include "tests/vst3/vst3_test_support.h"

#include <cmath>
#include <set>
#include <utility>

namespace {

using namespace vst3;
using Kind = RecordingHandler::Kind;

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

// The host's content scale picks the editor's size; an attached view asks the frame for it. The
// sizes are the 555 x 306 editor's, scaled and rounded to the nearest pixel.
TEST_F(LoadedBundle, TheContentScaleSizesTheViewAndAnAttachedViewAsksToResize) {
    std::string error;
    auto window = HostWindow::Open(1110, 612, error);
    if (window == nullptr) {
        GTEST_SKIP() << error;
    }
    UiLoop loop(*window);
    PlugFrame frame(loop.RunLoop());
    IPlugView* view = Controller().createView("editor");
    ASSERT_NE(view, nullptr);
    void* found = nullptr;
    ASSERT_EQ(view->queryInterface(IPlugViewContentScaleSupport::iid.bytes, &found), kResultOk);
    auto* scaling = static_cast<IPlugViewContentScaleSupport*>(found);
    auto size = [&] {
        ViewRect rect{};
        EXPECT_EQ(view->getSize(&rect), kResultOk);
        return std::make_pair(rect.right - rect.left, rect.bottom - rect.top);
    };
    ASSERT_EQ(scaling->setContentScaleFactor(2.0f), kResultOk); // before attached: no request
    EXPECT_EQ(size(), std::make_pair(1110, 612));
    ASSERT_EQ(view->setFrame(&frame), kResultOk);
    ASSERT_EQ(view->attached(window->ParentHandle(), loop.ViewType()), kResultOk);
    EXPECT_EQ(frame.ResizeRequests(), 0);
    const struct {
        float factor;
        int width, height, requests;
    } steps[] = {{1.5f, 833, 459, 1},         {2.0f, 1110, 612, 2}, {2.0f, 1110, 612, 2},
                 {1.0f, 555, 306, 3},         {0.0f, 555, 306, 3},  {-1.5f, 555, 306, 3},
                 {std::nanf(""), 555, 306, 3}};
    for (const auto& step : steps) {
        const bool valid = step.factor > 0.0f;
        EXPECT_EQ(scaling->setContentScaleFactor(step.factor) == kResultOk, valid) << step.factor;
        loop.Run(50);
        EXPECT_EQ(size(), std::make_pair(step.width, step.height)) << step.factor;
        EXPECT_EQ(frame.ResizeRequests(), step.requests) << step.factor;
        EXPECT_EQ(frame.RequestedSize().right, step.width) << step.factor;
        EXPECT_EQ(frame.RequestedSize().bottom, step.height) << step.factor;
    }
    EXPECT_EQ(view->removed(), kResultOk);
    scaling->release();
    EXPECT_EQ(view->release(), 0u);
}

// The system's new DPI for the attached view's window resizes it and asks the frame to follow,
// until the host gives a content scale of its own, which then wins.
TEST_F(LoadedBundle, TheSystemsNewDpiResizesTheAttachedViewUnlessTheHostGaveItsScale) {
    std::string error;
    auto window = HostWindow::Open(1110, 612, error);
    if (window == nullptr) {
        GTEST_SKIP() << error;
    }
    // Asked before anything is attached, so a skip leaves nothing open.
    if (!window->ChangeDpi(96)) {
        GTEST_SKIP() << "the window system tells windows of no DPI change";
    }
    UiLoop loop(*window);
    PlugFrame frame(loop.RunLoop());
    IPlugView* view = Controller().createView("editor");
    ASSERT_NE(view, nullptr);
    void* found = nullptr;
    ASSERT_EQ(view->queryInterface(IPlugViewContentScaleSupport::iid.bytes, &found), kResultOk);
    auto* scaling = static_cast<IPlugViewContentScaleSupport*>(found);
    ASSERT_EQ(view->setFrame(&frame), kResultOk);
    ASSERT_EQ(view->attached(window->ParentHandle(), loop.ViewType()), kResultOk);
    const struct {
        float hostScale; // given before the DPI change; 0: none
        int dpi, width, height, requests;
    } steps[] = {{0.0f, 144, 833, 459, 1}, {0.0f, 96, 555, 306, 2}, {1.0f, 192, 555, 306, 2}};
    for (const auto& step : steps) {
        if (step.hostScale > 0.0f) {
            ASSERT_EQ(scaling->setContentScaleFactor(step.hostScale), kResultOk);
        }
        EXPECT_TRUE(window->ChangeDpi(step.dpi));
        loop.Run(50);
        ViewRect rect{};
        EXPECT_EQ(view->getSize(&rect), kResultOk);
        EXPECT_EQ(rect.right - rect.left, step.width) << step.dpi;
        EXPECT_EQ(rect.bottom - rect.top, step.height) << step.dpi;
        EXPECT_EQ(frame.ResizeRequests(), step.requests) << step.dpi;
    }
    EXPECT_EQ(view->removed(), kResultOk);
    scaling->release();
    EXPECT_EQ(view->release(), 0u);
}

} // namespace
