// The editor's costs on the 555 x 306 canvas: a full repaint with every control dirty, the repaint
// after the Time knob changes, an idle tick, and the first paint of a process (ten PNG decodes and
// the full repaint). Each is reported next to memcpy of the bytes it touches, the limit no repaint
// can beat. What instances cost a host is bench/editor/instance_bench.cpp's.
#include "editor/capped_knob.h"
#include "editor/graphics_context.h"
#include "editor/image_cache.h"
#include "editor/redraw_step.h"
#include "host/plugin_host.h"
#include "vst2/plugin_export.h"
#include "vst2/vst2_plugin.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int TimeParam = 1;

// One opened instance of the effect built into this program, shared by the repaint benchmarks.
struct Instance {
    Instance() {
        host.Create(&VSTPluginMain);
        host.Open();
        RedrawDirtyControls(Editor());
        RedrawDirtyControls(Editor());
    }
    GraphicsContext& Editor() { return *static_cast<Vst2Plugin*>(host.Effect()->object)->Editor(); }

    PluginHost host;
};

std::unique_ptr<Instance>& SharedSlot() {
    static std::unique_ptr<Instance> instance;
    return instance;
}

// Made again after a benchmark that emptied the image cache has closed it.
Instance& Shared() {
    if (SharedSlot() == nullptr) {
        SharedSlot() = std::make_unique<Instance>();
    }
    return *SharedSlot();
}

// Canvas bytes a strict repaint of clip writes: every blit of every visible control, cut to the
// clip and the canvas.
long PaintedBytes(GraphicsContext& editor, const Bounds& clip) {
    const Bounds canvas{0, 0, editor.Width(), editor.Height()};
    long pixels = 0;
    auto add = [&](const Bounds& rect) {
        const Bounds cut = rect.IntersectionWith(clip).IntersectionWith(canvas);
        pixels += static_cast<long>(cut.Width()) * cut.Height();
    };
    for (int i = 0; i < editor.ControlCount(); ++i) {
        const Control* control = editor.ControlAt(i);
        if (const auto* knob = dynamic_cast<const CappedKnob*>(control)) {
            add(knob->CapArea());
        }
        add(control->Area());
    }
    return pixels * 4;
}

long DecodedBytes(GraphicsContext& editor) {
    long bytes = 0;
    for (int id : {105, 106, 107, 108, 109, 110, 112, 113, 114, 115}) {
        PX_Bitmap* image = editor.ObtainImage(id, "cached.png");
        bytes += image != nullptr ? 4L * image->Width() * image->Height() : 0;
    }
    return bytes;
}

void FullRepaint(benchmark::State& state) {
    GraphicsContext& editor = Shared().Editor();
    for (auto _ : state) {
        for (int i = 0; i < editor.ControlCount(); ++i) {
            editor.ControlAt(i)->Touch(false);
        }
        RedrawDirtyControls(editor);
    }
}

void TimeKnobRepaint(benchmark::State& state) {
    GraphicsContext& editor = Shared().Editor();
    double value = 0.4;
    for (auto _ : state) {
        value = value == 0.4 ? 0.6 : 0.4;
        editor.PushParamToControls(TimeParam, value, true);
        RedrawDirtyControls(editor);
    }
}

void IdleTick(benchmark::State& state) {
    GraphicsContext& editor = Shared().Editor();
    RedrawDirtyControls(editor);
    RedrawDirtyControls(editor);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RedrawDirtyControls(editor));
    }
}

// Each iteration paints a new instance's editor for the first time, with the image cache emptied
// before (no editor is alive then: the shared one is closed first), as the first editor of a
// process paints: the ten PNG decodes and the full repaint.
void FirstPaint(benchmark::State& state) {
    SharedSlot().reset();
    for (auto _ : state) {
        state.PauseTiming();
        ImageCache::Empty();
        PluginHost host;
        host.Create(&VSTPluginMain);
        host.Open();
        GraphicsContext& editor = *static_cast<Vst2Plugin*>(host.Effect()->object)->Editor();
        state.ResumeTiming();
        RedrawDirtyControls(editor);
        state.PauseTiming();
        host.Close();
        state.ResumeTiming();
    }
}

void Memcpy(benchmark::State& state, long bytes) {
    std::vector<char> from(static_cast<size_t>(bytes), 1);
    std::vector<char> to(static_cast<size_t>(bytes), 0);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}

} // namespace

int main(int argc, char** argv) {
    GraphicsContext& editor = Shared().Editor();
    const long fullBytes = PaintedBytes(editor, Bounds{0, 0, editor.Width(), editor.Height()});
    const long timeBytes = PaintedBytes(editor, editor.ControlAt(TimeParam + 1)->Area());
    const long decodedBytes = DecodedBytes(editor);

    benchmark::RegisterBenchmark("FullRepaint", FullRepaint);
    benchmark::RegisterBenchmark("memcpy/FullRepaintBytes", Memcpy, fullBytes);
    benchmark::RegisterBenchmark("TimeKnobRepaint", TimeKnobRepaint);
    benchmark::RegisterBenchmark("memcpy/TimeKnobBytes", Memcpy, timeBytes);
    benchmark::RegisterBenchmark("IdleTick", IdleTick);
    benchmark::RegisterBenchmark("FirstPaint", FirstPaint)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("memcpy/DecodedImageBytes", Memcpy, decodedBytes);
    benchmark::AddCustomContext("full repaint bytes", std::to_string(fullBytes));
    benchmark::AddCustomContext("Time knob repaint bytes", std::to_string(timeBytes));
    benchmark::AddCustomContext("decoded image bytes", std::to_string(decodedBytes));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
