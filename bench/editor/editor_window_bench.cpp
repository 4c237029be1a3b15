// The editor window's costs as a host sees them: effEditIdle calls back to back with nothing to do,
// calls after a pause as long as a host's idle interval (the redraw step runs when 40 ms have
// passed) with nothing dirty, and calls whose step repaints the Time knob after the host moved it
// and sends its rectangle to the window system. Then the audio thread during real drags: it
// processes blocks back to back (the real-time counters of the test build CrescendaRtChecks count
// and time any lock it waits for) while each move of the drag changes a parameter and tells the
// host. Needs a display; without one the benchmarks say why and measure nothing.
#include "host/host_window.h"
#include "host/plugin_host.h"
#include "platform/shared_library.h"
#include "vst2/plugin_export.h"
#include "vst2/realtime_counters_request.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace {

constexpr int TimeParam = 1;
constexpr int Width = 555;
constexpr int Height = 306;
constexpr int TimeX = 133;
constexpr int TimeY = 167;

// An instance with its editor open in a host window; entry null: the effect linked into this
// program, else the binary at path.
struct OpenEditor {
    bool Start(const std::string& path = "") {
        window = HostWindow::Open(Width, Height, error);
        if (window == nullptr) {
            return false;
        }
        if (path.empty() ? !host.Create(&VSTPluginMain) : !host.Load(path)) {
            error = host.LastError();
            return false;
        }
        host.Open(44100.0, 64);
        if (host.Dispatch(effEditOpen, 0, 0, window->ParentHandle()) != 1) {
            error = "effEditOpen answered 0";
            return false;
        }
        window->Run(host, 200);
        return true;
    }

    std::unique_ptr<HostWindow> window;
    PluginHost host;
    std::string error;
};

void IdleNothingToDo(benchmark::State& state) {
    OpenEditor editor;
    if (!editor.Start()) {
        state.SkipWithError(editor.error.c_str());
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(editor.host.Dispatch(effEditIdle));
    }
}

// Each timed call follows a pause of state.range(0) milliseconds, with or without a host change
// of the Time knob before it.
void IdleAfterPause(benchmark::State& state, bool knobChanged) {
    OpenEditor editor;
    if (!editor.Start()) {
        state.SkipWithError(editor.error.c_str());
        return;
    }
    float value = 0.4f;
    for (auto _ : state) {
        state.PauseTiming();
        if (knobChanged) {
            value = value == 0.4f ? 0.6f : 0.4f;
            editor.host.SetParameter(TimeParam, value);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(state.range(0)));
        state.ResumeTiming();
        editor.host.Dispatch(effEditIdle);
    }
}

bool ReadCounters(PluginHost& host, RealtimeCounters& counters, bool reset) {
    counters = RealtimeCounters{};
    return host.Dispatch(effVendorSpecific, RealtimeCountersRequest, reset ? 1 : 0, &counters) ==
           RealtimeCountersAnswer;
}

// One iteration: a second of drags of the Time knob (a move every 10 ms, the host loop idling at
// 40 ms) while blocks of 64 frames are processed on another thread.
void AudioLockWaitWhileDragging(benchmark::State& state) {
    const std::string path =
        FileBesideExecutable(std::string("CrescendaRtChecks") + SharedLibrarySuffix());
    OpenEditor editor;
    if (!editor.Start(path)) {
        state.SkipWithError(("CrescendaRtChecks beside the benchmark: " + editor.error).c_str());
        return;
    }
    RealtimeCounters counters;
    for (auto _ : state) {
        AudioBuffers<float> in(2, 64);
        AudioBuffers<float> out(2, 64);
        editor.host.ProcessFloat(in, out);
        ReadCounters(editor.host, counters, true);
        std::atomic<bool> stop{false};
        std::thread audio([&] {
            while (!stop.load()) {
                editor.host.ProcessFloat(in, out);
            }
        });
        HostWindow& window = *editor.window;
        window.MoveMouse(TimeX, TimeY);
        window.PressButton(HostWindow::Button::Left, {});
        for (int move = 0; move < 100; ++move) {
            window.MoveMouse(TimeX, TimeY - (move % 10) * 3);
            window.Run(editor.host, 10);
        }
        window.ReleaseButton(HostWindow::Button::Left, {});
        window.Run(editor.host, 50);
        stop = true;
        audio.join();
        ReadCounters(editor.host, counters, false);
    }
    state.counters["blocks"] = static_cast<double>(counters.callbacks);
    state.counters["lock_waits"] = static_cast<double>(counters.lockWaits);
    state.counters["longest_wait_us"] =
        static_cast<double>(counters.longestLockWaitNanoseconds) / 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("IdleCall/NothingToDo", IdleNothingToDo);
    // 41 ms: the step is due; after the shorter pauses it is not.
    benchmark::RegisterBenchmark("IdleCall/NothingDirtyAfterPauseMs", IdleAfterPause, false)
        ->Iterations(60)
        ->Arg(1)
        ->Arg(10)
        ->Arg(41);
    benchmark::RegisterBenchmark("IdleCall/TimeKnobChangedAfterPauseMs", IdleAfterPause, true)
        ->Iterations(100)
        ->Arg(41)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("AudioLockWait/WhileDragging", AudioLockWaitWhileDragging)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
