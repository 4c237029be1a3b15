// The editor's costs on the 555 x 306 canvas (the repaints again at 1.5 and 2 times that size): a
// full repaint with every control dirty, the repaint after the Time knob changes, an idle tick,
// and the first paint of a process (ten PNG decodes and the full repaint). Each is reported next
// to memcpy of the bytes it touches, the limit no repaint can beat. What instances cost a host is
// bench/editor/instance_bench.cpp's.
#include "editor/capped_knob.h"
#include "editor/graphics_context.h"
#include "editor/image_cache.h"
#include "editor/redraw_step.h"
#include "host/plugin_host.h"
#include "vst2/plugin_export.h"
#include "vst2/vst2_plugin.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int TimeParam = 1;

// One opened instance of the effect built into this program per scale, shared by the repaint
// benchmarks; the scale arrives as a host's hint.
struct Instance {
    explicit Instance(int percent) {
        host.Create(&VSTPluginMain);
        host.Open();
        if (percent != 100) {
            host.Dispatch(effVendorSpecific, FourCharCode("PreS"), FourCharCode("AeCs"), nullptr,
                          static_cast<float>(percent) / 100.0f);
        }
        RedrawDirtyControls(Editor());
        RedrawDirtyControls(Editor());
    }
    GraphicsContext& Editor() {
        return *EditorOf(static_cast<Vst2Plugin*>(host.Effect()->object)->Core());
    }

    PluginHost host;
};

std::map<int, std::unique_ptr<Instance>>& SharedSlots() {
    static std::map<int, std::unique_ptr<Instance>> instances;
    return instances;
}

// Made again after a benchmark that emptied the image cache has closed them.
Instance& Shared(int percent = 100) {
    std::unique_ptr<Instance>& slot = SharedSlots()[percent];
    if (slot == nullptr) {
        slot = std::make_unique<Instance>(percent);
    }
    return *slot;
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

void FullRepaint(benchmark::State& state, int percent) {
    GraphicsContext& editor = Shared(percent).Editor();
    for (auto _ : state) {
        for (int i = 0; i < editor.ControlCount(); ++i) {
            editor.ControlAt(i)->Touch(false);
        }
        RedrawDirtyControls(editor);
    }
}

void TimeKnobRepaint(benchmark::State& state, int percent) {
    GraphicsContext& editor = Shared(percent).Editor();
    double value = 0.4;
    for (auto _ : state) {
        value = value == 0.4 ? 0.6 : 0.4;
        editor.ParamValueChanged(TimeParam, value, true);
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
void FirstPaint(benchmark::State& state, int percent) {
    SharedSlots().clear();
    for (auto _ : state) {
        state.PauseTiming();
        ImageCache::Empty();
        PluginHost host;
        host.Create(&VSTPluginMain);
        host.Open();
        GraphicsContext& editor =
            *EditorOf(static_cast<Vst2Plugin*>(host.Effect()->object)->Core());
        if (percent != 100) {
            editor.SetHostScale(percent / 100.0);
        }
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

    for (int percent : {100, 150, 200}) {
        GraphicsContext& scaled = Shared(percent).Editor();
        const std::string at = "/" + std::to_string(percent);
        const long full = PaintedBytes(scaled, Bounds{0, 0, scaled.Width(), scaled.Height()});
        const long time = PaintedBytes(scaled, scaled.ControlAt(TimeParam + 1)->Area());
        benchmark::RegisterBenchmark(("FullRepaint" + at).c_str(), FullRepaint, percent);
        benchmark::RegisterBenchmark(("memcpy/FullRepaintBytes" + at).c_str(), Memcpy, full);
        benchmark::RegisterBenchmark(("TimeKnobRepaint" + at).c_str(), TimeKnobRepaint, percent);
        benchmark::RegisterBenchmark(("memcpy/TimeKnobBytes" + at).c_str(), Memcpy, time);
    }
    benchmark::RegisterBenchmark("IdleTick", IdleTick);
    // At 1.5x the 2x artwork is decoded and resampled first.
    for (int percent : {100, 150, 200}) {
        benchmark::RegisterBenchmark(("FirstPaint/" + std::to_string(percent)).c_str(), FirstPaint,
                                     percent)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("memcpy/DecodedImageBytes", Memcpy, decodedBytes);
    benchmark::AddCustomContext("full repaint bytes", std::to_string(fullBytes));
    benchmark::AddCustomContext("Time knob repaint bytes", std::to_string(timeBytes));
    benchmark::AddCustomContext("decoded image bytes", std::to_string(decodedBytes));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
