// The Win32 editor window's costs, under Wine: a timer tick with nothing dirty, a tick after the
// host moved one knob (its area repainted into the canvas, then copied to the window by BitBlt),
// a tick repainting the whole editor, and opening the editor: the first open of the process and
// later ones. A tick is the window's own timer message, sent to its procedure, so
// the measured path is exactly the one the host's message loop runs.
#include "editor/control.h"
#include "editor/graphics_context.h"
#include "host/host_window.h"
#include "host/plugin_host.h"
#include "vst2/plugin_export.h"
#include "vst2/vst2_plugin.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <windows.h>

namespace {

constexpr int TimeParam = 1;
constexpr UINT_PTR RedrawTimer = 2;

// The effect built into this program, opened for processing, and the host's window.
struct Session {
    Session() {
        std::string error;
        window = HostWindow::Open(555, 306, error);
        host.Create(&VSTPluginMain);
        host.Open();
    }
    bool Ready() const { return window != nullptr && host.Effect() != nullptr; }
    bool OpenEditor() { return host.Dispatch(effEditOpen, 0, 0, window->ParentHandle()) == 1; }
    void CloseEditor() { host.Dispatch(effEditClose); }
    GraphicsContext& Graphics() {
        return *EditorOf(static_cast<Vst2Plugin*>(host.Effect()->object)->Core());
    }
    HWND Editor() { return static_cast<HWND>(Graphics().WindowHandle()); }
    // One tick, as the message loop delivers it.
    void Tick() { SendMessageA(Editor(), WM_TIMER, RedrawTimer, 0); }

    std::unique_ptr<HostWindow> window;
    PluginHost host;
};

Session& Shared() {
    static Session session;
    return session;
}

// Registered first, so it is the process's first open: the class is registered and the system
// sets up its first child window of this class.
void FirstOpenOfTheProcess(benchmark::State& state) {
    Session& session = Shared();
    if (!session.Ready()) {
        state.SkipWithError("no host window (is there a display?)");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(session.OpenEditor());
    }
    state.PauseTiming();
    session.CloseEditor();
    state.ResumeTiming();
}
BENCHMARK(FirstOpenOfTheProcess)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMicrosecond);

// Each open after a close: the class is registered again (the close of the last window removed
// it), the window made, its timer started and its controls marked for the first paint.
void LaterOpen(benchmark::State& state) {
    Session& session = Shared();
    for (auto _ : state) {
        benchmark::DoNotOptimize(session.OpenEditor());
        state.PauseTiming();
        session.CloseEditor();
        state.ResumeTiming();
    }
}
BENCHMARK(LaterOpen)->Unit(benchmark::kMicrosecond);

// Every control dirty, as at the first tick after an open, in a window already on screen: the
// whole editor repainted into the canvas and copied to the window.
void TickRepaintingTheWholeEditor(benchmark::State& state) {
    Session& session = Shared();
    session.OpenEditor();
    session.window->Run(session.host, 200);
    GraphicsContext& editor = session.Graphics();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < editor.ControlCount(); ++i) {
            editor.ControlAt(i)->Touch(false);
        }
        state.ResumeTiming();
        session.Tick();
    }
    session.CloseEditor();
    state.SetBytesProcessed(state.iterations() * 555 * 306 * 4);
}
BENCHMARK(TickRepaintingTheWholeEditor)->Unit(benchmark::kMicrosecond);

// Nothing dirty: the tick collects nothing and validates nothing.
void IdleTick(benchmark::State& state) {
    Session& session = Shared();
    session.OpenEditor();
    session.window->Run(session.host, 200);
    for (auto _ : state) {
        session.Tick();
    }
    session.CloseEditor();
}
BENCHMARK(IdleTick)->Unit(benchmark::kMicrosecond);

// The host moved the Time knob: its 145 x 145 area is repainted and copied to the window. A
// value from the host is painted on two ticks in a row; only the first is timed.
void TickAfterOneKnobChanged(benchmark::State& state) {
    Session& session = Shared();
    session.OpenEditor();
    session.window->Run(session.host, 200);
    float value = 0.25f;
    for (auto _ : state) {
        state.PauseTiming();
        value = value == 0.25f ? 0.75f : 0.25f;
        session.host.SetParameter(TimeParam, value);
        state.ResumeTiming();
        session.Tick();
        state.PauseTiming();
        session.Tick();
        state.ResumeTiming();
    }
    session.CloseEditor();
    state.SetBytesProcessed(state.iterations() * 145 * 145 * 4);
}
BENCHMARK(TickAfterOneKnobChanged)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
