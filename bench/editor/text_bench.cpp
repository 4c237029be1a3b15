// A 20-character label measured and drawn the way the editor does it (Verdana 12, black, centred,
// no clipping) with every glyph already cached, on a canvas of the editor's size. Time per label,
// and megapixels per second of the label's box next to memcpy of the same box rows as the limit.
#include "raster/px_cached_font.h"
#include "raster/px_sys_bitmap.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr const char* Label = "Swell time: 1.25 sec";
constexpr int CanvasWidth = 555;
constexpr int CanvasHeight = 306;
const PX_Rect LabelBox{150, 140, 405, 160};

struct Scene {
    std::unique_ptr<PX_CachedFont> font;
    PX_SysBitmap canvas{CanvasWidth, CanvasHeight};
    int width = 0;
    int height = 0;

    Scene() {
        PX_FontRequest request{};
        std::strcpy(request.face, "Verdana");
        request.height = 12;
        request.weight = 400;
        font = std::make_unique<PX_CachedFont>();
        font->AttachFont(PX_CreateSystemFont(request), PX_TEXT_OWNS_FONT | PX_TEXT_NATIVE);
        font->SetForeground(0xFF000000u);
        for (int i = 0; i < canvas.RowStride() * canvas.Height(); ++i) {
            canvas.PixelData()[i] = 0xFFE0D8C8u;
        }
        PX_Rect extent{0, 0, 0, 0};
        font->RenderText(&canvas, Label, -1, extent, DT_CALCRECT | DT_NOCLIP | DT_CENTER);
        width = extent.right;
        height = extent.bottom;
    }
};

void SetRate(benchmark::State& state, int width, int height) {
    state.counters["Mpix/s"] = benchmark::Counter(
        double(width) * height * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void MeasureLabel(benchmark::State& state) {
    Scene scene;
    if (scene.width == 0) {
        state.SkipWithError("no font");
        return;
    }
    for (auto _ : state) {
        PX_Rect extent{0, 0, 0, 0};
        benchmark::DoNotOptimize(scene.font->RenderText(&scene.canvas, Label, -1, extent,
                                                        DT_CALCRECT | DT_NOCLIP | DT_CENTER));
    }
    SetRate(state, scene.width, scene.height);
}

void DrawLabel(benchmark::State& state, int alignment) {
    Scene scene;
    if (scene.width == 0) {
        state.SkipWithError("no font");
        return;
    }
    for (auto _ : state) {
        PX_Rect rect = LabelBox;
        benchmark::DoNotOptimize(
            scene.font->RenderText(&scene.canvas, Label, -1, rect, DT_NOCLIP | alignment));
        benchmark::ClobberMemory();
    }
    SetRate(state, scene.width, scene.height);
}

// The limit: the label's box copied row by row between two canvases.
void MemcpyLabelBox(benchmark::State& state) {
    Scene scene;
    PX_SysBitmap other(CanvasWidth, CanvasHeight);
    const size_t stride = size_t(scene.canvas.RowStride());
    const size_t bytes = size_t(scene.width) * sizeof(PX_Pixel32);
    for (auto _ : state) {
        for (int y = 0; y < scene.height; ++y) {
            const size_t at = (LabelBox.top + y) * stride + LabelBox.left;
            std::memcpy(other.PixelData() + at, scene.canvas.PixelData() + at, bytes);
        }
        benchmark::DoNotOptimize(other.PixelData());
        benchmark::ClobberMemory();
    }
    SetRate(state, scene.width, scene.height);
}

} // namespace

BENCHMARK(MeasureLabel);
BENCHMARK_CAPTURE(DrawLabel, left, 0);
BENCHMARK_CAPTURE(DrawLabel, centred, DT_CENTER);
BENCHMARK(MemcpyLabelBox);

BENCHMARK_MAIN();
