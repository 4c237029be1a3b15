// The editor through the CLAP gui extension in a real window of the window system, driven like a
// host: the call order hosts follow, the fixed 555 x 306 size, the editor's picture pixel for
// pixel, show/hide/destroy cycles with the plug-in's timers and descriptors registered only while
// an editor exists (the host loop fires them), and a click on the switch reaching the host as a
// gesture with its value, from flush when not processing and from process when processing.
#include "clap/realtime_counters_extension.h"
#include "host/clap/clap_editor_window.h"
#include "host/clap/clap_host_loop.h"
#include "platform/shared_library.h"
#include "reference_editor.h"
#include "tests/clap/clap_session.h"
#include "tests/editor_window/time_knob_drag.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <thread>
#include <utility>

using namespace clap_test;

namespace {

constexpr int Width = 555;
constexpr int Height = 306;
constexpr int SwitchX = 30; // the on/off switch, as the editor's layout places it
constexpr int SwitchY = 30;

class ClapEditor : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        window_ = HostWindow::Open(Width, Height, error);
        if (window_ == nullptr) {
            GTEST_SKIP() << "no window to open the editor in: " << error;
        }
        ASSERT_TRUE(session_.Open(false, PluginPath()));
        gui_ = session_.instance.Extension<clap_plugin_gui>(CLAP_EXT_GUI);
        ASSERT_NE(gui_, nullptr);
        loop_ = std::make_unique<ClapHostLoop>(session_.instance, session_.services, window_.get());
    }

    void TearDown() override {
        loop_.reset();
        session_.instance.Destroy(); // the plug-in goes before its host window
    }

    // The call order hosts follow, with the editor's fixed size checked on the way; hostScale
    // 0 gives no set_scale.
    void Open(double hostScale = 1.0) {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::string error;
        ASSERT_TRUE(CreateClapEditor(session_.instance, width, height, error, hostScale)) << error;
        EXPECT_FALSE(gui_->can_resize(session_.instance.Plugin()));
        EXPECT_EQ(width, static_cast<std::uint32_t>(Width));
        EXPECT_EQ(height, static_cast<std::uint32_t>(Height));
        ASSERT_TRUE(ShowClapEditor(session_.instance, *window_, error)) << error;
    }

    bool Shows(const EditorFrames& frames) {
        std::vector<std::uint32_t> shown;
        return window_->ReadPixels(0, 0, Width, Height, shown) &&
               DifferingPixels(shown, frames) == 0;
    }

    void ClickSwitch() {
        window_->MoveMouse(SwitchX, SwitchY);
        window_->PressButton(HostWindow::Button::Left, {});
        window_->ReleaseButton(HostWindow::Button::Left, {});
    }

    // The size get_size answers; 0 x 0 (and a failure) when it answers none.
    std::pair<std::uint32_t, std::uint32_t> Size() {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        EXPECT_TRUE(gui_->get_size(session_.instance.Plugin(), &width, &height));
        return {width, height};
    }

    virtual std::string PluginPath() const { return ClapPath(); }

    std::unique_ptr<HostWindow> window_;
    ClapSession session_;
    const clap_plugin_gui* gui_ = nullptr;
    std::unique_ptr<ClapHostLoop> loop_;
};

// Types of the events in order, and the OnOff values among them.
std::string Describe(const std::vector<ClapEvent>& events) {
    std::string text;
    for (const ClapEvent& event : events) {
        const auto type = event.Header().type;
        text += type == CLAP_EVENT_PARAM_GESTURE_BEGIN ? "begin "
                : type == CLAP_EVENT_PARAM_GESTURE_END ? "end "
                : type == CLAP_EVENT_PARAM_VALUE
                    ? "value " + std::to_string(event.As<clap_event_param_value>(type)->value) + " "
                    : "type " + std::to_string(type) + " ";
    }
    return text;
}

} // namespace

TEST_F(ClapEditor, OpensShowsTheEditorAndClosesAnyNumberOfTimes) {
    const char* cycles = std::getenv("CRESCENDA_EDITOR_CYCLES");
    const int count = cycles != nullptr ? std::atoi(cycles) : 10;
    for (int cycle = 0; cycle < count; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        // Hosts stop their timers while no editor is open: the plug-in needs none then.
        EXPECT_TRUE(session_.services.Timers().empty());
        ASSERT_NO_FATAL_FAILURE(Open());
        const int timerCallsBefore = loop_->TimerCalls();
        loop_->Run(200);
        EXPECT_TRUE(Shows(DefaultFrames));
        if (std::strcmp(HostWindow::WindowSystem(), CLAP_WINDOW_API_X11) == 0) {
            // No thread of its own: a host timer of at most 30 ms drives it, and it ran.
            const std::vector<ClapTimer> timers = session_.services.Timers();
            ASSERT_FALSE(timers.empty());
            EXPECT_LE(timers[0].periodMs, 30u);
            EXPECT_GT(loop_->TimerCalls(), timerCallsBefore);
        }
        EXPECT_TRUE(gui_->hide(session_.instance.Plugin()));
        loop_->Run(20);
        EXPECT_TRUE(gui_->show(session_.instance.Plugin()));
        loop_->Run(60);
        gui_->destroy(session_.instance.Plugin());
        loop_->Run(20);
        EXPECT_TRUE(session_.services.Timers().empty());
        EXPECT_TRUE(session_.services.Fds().empty());
    }
    EXPECT_EQ(session_.services.Violations(), std::vector<std::string>{});
}

TEST_F(ClapEditor, AClickReachesTheHostAsAGestureFromFlushOrProcess) {
    ASSERT_NO_FATAL_FAILURE(Open());
    loop_->Run(200);
    const clap_param_info onOff = ParamNamed(session_.instance, "OnOff");
    // Not processing: the plug-in asks for a flush and pushes its events there.
    ClickSwitch();
    loop_->Run(200);
    EXPECT_GT(loop_->Flushes(), 0);
    EXPECT_EQ(Describe(loop_->FlushedEvents().Events()),
              "begin value " + std::to_string(onOff.min_value) + " end ");
    EXPECT_TRUE(Shows({DefaultFrames.sensitivity, DefaultFrames.time, DefaultFrames.depth,
                       DefaultFrames.vol, 1}));
    // Processing: the next process call carries them. (Past the double-click time, so the
    // second click is a click of its own.)
    ASSERT_TRUE(session_.instance.Activate() && session_.instance.StartProcessing());
    loop_->Run(700);
    ClickSwitch();
    loop_->Run(200);
    AudioBuffers<float> io(2, 64);
    ClapInputEvents none;
    ClapOutputEvents output;
    session_.instance.Process(&io, &io, 64, none, output);
    EXPECT_EQ(Describe(output.Events()),
              "begin value " + std::to_string(onOff.max_value) + " end ");
    double value = 0;
    EXPECT_TRUE(session_.instance.ParamValue(onOff.id, value));
    EXPECT_EQ(value, onOff.max_value);
    gui_->destroy(session_.instance.Plugin());
}

// The host's scale picks the nearest of 1, 1.5 and 2 times 555 x 306 (sizes rounded to whole
// pixels); a factor that is not a positive number is refused and changes nothing. A new scale
// given to the open editor asks the host to resize its window.
TEST_F(ClapEditor, TheHostsScaleSetsTheSizeAndAnOpenEditorAsksToBeResized) {
    ASSERT_NO_FATAL_FAILURE(Open());
    const clap_plugin* plugin = session_.instance.Plugin();
    struct Case {
        double factor;
        bool accepted;
        std::uint32_t width;
        std::uint32_t height;
    };
    const Case cases[] = {{2.0, true, 1110, 612}, {1.4, true, 833, 459},   {0.0, false, 833, 459},
                          {NAN, false, 833, 459}, {-2.0, false, 833, 459}, {1.1, true, 555, 306},
                          {3.0, true, 1110, 612}, {1.0, true, 555, 306}};
    int resizes = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.factor);
        EXPECT_EQ(gui_->set_scale(plugin, c.factor), c.accepted);
        EXPECT_EQ(Size(), std::make_pair(c.width, c.height));
        resizes += c.accepted && (&c == cases || c.width != (&c - 1)->width) ? 1 : 0;
        loop_->Run(40);
    }
    EXPECT_EQ(session_.services.Count(ClapRequest::GuiResize), resizes);
}

// The audio thread beside the open editor, counted by the test build with the real-time counters
// (CrescendaRtChecks.clap beside the tests): blocks run back to back on their own thread while the
// host loop drives the editor, with host automation moving the knobs or the Time knob dragged
// with real pointer input. No process call allocates or takes a lock of ours, and the drag reaches
// the host as gestures from process.
namespace {

struct Activity {
    const char* name;
    bool hostAutomates; // parameter events in every block move the knobs the editor repaints
    bool userDrags;     // the Time knob is dragged while blocks run
};

class ClapEditorRealtime : public ClapEditor, public testing::WithParamInterface<Activity> {
protected:
    void SetUp() override {
        if (!std::ifstream(PluginPath()).good()) {
            GTEST_SKIP() << "needs " << PluginPath();
        }
        ClapEditor::SetUp();
    }
    std::string PluginPath() const override {
        return FileBesideExecutable("CrescendaRtChecks.clap");
    }

    bool ReadCounters(RealtimeCounters& counters, bool reset) {
        const auto* extension = session_.instance.Extension<crescenda_plugin_realtime_counters>(
            CrescendaRealtimeCountersExtensionId);
        return extension != nullptr &&
               extension->read(session_.instance.Plugin(), &counters, reset);
    }
};

} // namespace

TEST_P(ClapEditorRealtime, NoProcessCallAllocatesOrTakesALock) {
    const Activity activity = GetParam();
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(session_.instance.Activate(44100.0, 1, 64) && session_.instance.StartProcessing());
    loop_->Run(200);
    const std::vector<clap_param_info> params = session_.instance.ParamInfos();
    ASSERT_GE(params.size(), 4u);
    AudioBuffers<float> in(2, 64);
    AudioBuffers<float> out(2, 64);
    ClapInputEvents events;
    ClapOutputEvents output;
    session_.instance.Process(&in, &out, 64, events, output); // the first block at this size
    RealtimeCounters counters;
    ASSERT_TRUE(ReadCounters(counters, true));
    std::atomic<bool> stop{false};
    int gestures = 0;
    std::thread audio([&] {
        for (unsigned i = 0; !stop.load(); ++i) {
            events.Clear();
            output.Clear();
            if (activity.hostAutomates) {
                const clap_param_info& param = params[i % 4];
                const double share = static_cast<double>(i % 50) / 49.0;
                events.Add(
                    ParamValueEvent(i % 64, param.id,
                                    param.min_value + share * (param.max_value - param.min_value))
                        .header);
            }
            session_.instance.Process(&in, &out, 64, events, output);
            for (const ClapEvent& event : output.Events()) {
                gestures += event.Header().type == CLAP_EVENT_PARAM_GESTURE_BEGIN ? 1 : 0;
            }
            std::this_thread::yield(); // as a host's audio thread waits for its next period
        }
    });
    MoveOverTheTimeKnob(*window_, activity.userDrags, [&](int ms) { loop_->Run(ms); });
    stop = true;
    audio.join();
    ASSERT_TRUE(ReadCounters(counters, false));
    EXPECT_GT(counters.callbacks, 0);
    EXPECT_EQ(counters.lockEntries, 0) << counters.lockWaits << " of them waited";
    EXPECT_EQ(counters.allocations, 0);
    EXPECT_EQ(gestures > 0, activity.userDrags);
    std::cout << "[ figures  ] " << activity.name << ": " << counters.callbacks
              << " blocks of 64 frames, " << counters.allocations << " allocations, "
              << counters.lockEntries << " locks taken, " << counters.lockWaits << " lock waits\n";
    gui_->destroy(session_.instance.Plugin());
}

INSTANTIATE_TEST_SUITE_P(Activities, ClapEditorRealtime,
                         testing::Values(Activity{"HostAutomationRepaintsEveryTick", true, false},
                                         Activity{"KnobDraggedWhileProcessing", false, true}),
                         [](const testing::TestParamInfo<Activity>& info) {
                             return std::string(info.param.name);
                         });

// Ordinary builds keep the counters out: the product offers no such extension.
TEST_F(ClapEditor, TheProductOffersNoCountersExtension) {
    EXPECT_EQ(session_.instance.Extension<void>(CrescendaRealtimeCountersExtensionId), nullptr);
}

// The system's new DPI for the open editor (WM_DPICHANGED on Windows) resizes it and asks the
// host to resize its window, until the host gives a scale of its own, which then wins.
TEST_F(ClapEditor, TheSystemsNewDpiResizesTheOpenEditorUnlessTheHostGaveItsScale) {
    ASSERT_NO_FATAL_FAILURE(Open(0.0));
    const clap_plugin* plugin = session_.instance.Plugin();
    struct Step {
        double hostScale; // given before the DPI change; 0: none
        int dpi;
        std::uint32_t width;
        std::uint32_t height;
        int resizes; // requests so far
    };
    const Step steps[] = {{0.0, 144, 833, 459, 1},
                          {0.0, 96, 555, 306, 2},
                          {1.0, 192, 555, 306, 2},
                          {2.0, 96, 1110, 612, 3}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.dpi);
        if (step.hostScale > 0.0) {
            ASSERT_TRUE(gui_->set_scale(plugin, step.hostScale));
        }
        if (!window_->ChangeDpi(step.dpi)) {
            GTEST_SKIP() << "the window system tells windows of no DPI change";
        }
        EXPECT_EQ(Size(), std::make_pair(step.width, step.height));
        EXPECT_EQ(session_.services.Count(ClapRequest::GuiResize), step.resizes);
        loop_->Run(40);
    }
    gui_->destroy(session_.instance.Plugin());
}
