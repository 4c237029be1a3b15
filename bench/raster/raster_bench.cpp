// Repaint throughput in megapixels per second: our copy and source-alpha blits at alpha 1.0 on a
// 145 x 145 knob frame and on the full 555 x 306 canvas, pixman's SRC and OVER on the same pixels
// (premultiplied, as pixman requires), and memcpy of the same bytes. Sources are the Time knob's
// frame 60 (tiled over the canvas) and, as a harder case, random alphas.
#include "platform/module_handle.h"
#include "raster/px_blit_rect.h"
#include "raster/px_read_png.h"
#include "raster/px_resample.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <pixman.h>
#include <random>
#include <vector>

namespace {

enum Source { kKnobFrame, kRandomAlpha };

constexpr int kTimeKnobId = 107;
constexpr int kTimeKnobSide = 145;

// Frame 60 of the Time knob strip, or null when the image is missing.
const std::unique_ptr<PX_MemBitmap>& TimeKnob() {
    static const std::unique_ptr<PX_MemBitmap> strip(
        PX_ReadPngResource(ThisModuleHandle(), kTimeKnobId));
    return strip;
}

std::unique_ptr<PX_MemBitmap> MakeSource(int width, int height, Source source) {
    auto bitmap = std::make_unique<PX_MemBitmap>(width, height);
    std::mt19937 rng(1);
    const std::unique_ptr<PX_MemBitmap>& strip = TimeKnob();
    for (int y = 0; y < height; ++y) {
        PX_Pixel32* row = bitmap->PixelData() + y * bitmap->RowStride();
        for (int x = 0; x < width; ++x) {
            if (source == kKnobFrame && strip) {
                const int fy = 59 * kTimeKnobSide + y % kTimeKnobSide;
                row[x] = strip->PixelData()[fy * strip->RowStride() + x % kTimeKnobSide];
            } else {
                row[x] = rng();
            }
        }
    }
    return bitmap;
}

std::unique_ptr<PX_MemBitmap> MakeOpaqueCanvas(int width, int height) {
    auto bitmap = std::make_unique<PX_MemBitmap>(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap->PixelData()[y * bitmap->RowStride() + x] = 0xFF203040u + uint32_t(x ^ y);
        }
    }
    return bitmap;
}

void SetRate(benchmark::State& state, int width, int height) {
    state.counters["Mpix/s"] = benchmark::Counter(
        double(width) * height * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void Ours(benchmark::State& state, int mode, Source source) {
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    auto src = MakeSource(width, height, source);
    auto dest = MakeOpaqueCanvas(width, height);
    for (auto _ : state) {
        PX_BlitRect(dest.get(), src.get(), 0, 0, nullptr, 1.0f, mode);
        benchmark::DoNotOptimize(dest->PixelData());
        benchmark::ClobberMemory();
    }
    SetRate(state, width, height);
}

// pixman wants premultiplied colour: the same pixels, premultiplied once outside the loop.
std::vector<uint32_t> Premultiplied(PX_MemBitmap& bitmap) {
    std::vector<uint32_t> out(size_t(bitmap.RowStride()) * bitmap.Height());
    for (size_t i = 0; i < out.size(); ++i) {
        const uint32_t p = bitmap.PixelData()[i];
        const uint32_t a = p >> 24;
        auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
        out[i] = a << 24 | mul((p >> 16) & 0xFF) << 16 | mul((p >> 8) & 0xFF) << 8 | mul(p & 0xFF);
    }
    return out;
}

void Pixman(benchmark::State& state, pixman_op_t op, Source source) {
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    auto srcBitmap = MakeSource(width, height, source);
    auto destBitmap = MakeOpaqueCanvas(width, height);
    std::vector<uint32_t> srcBits = Premultiplied(*srcBitmap);
    std::vector<uint32_t> destBits = Premultiplied(*destBitmap);
    const int stride = srcBitmap->RowStride() * 4;
    pixman_image_t* src =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, srcBits.data(), stride);
    pixman_image_t* dest =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, destBits.data(), stride);
    for (auto _ : state) {
        pixman_image_composite32(op, src, nullptr, dest, 0, 0, 0, 0, 0, 0, width, height);
        benchmark::DoNotOptimize(destBits.data());
        benchmark::ClobberMemory();
    }
    pixman_image_unref(src);
    pixman_image_unref(dest);
    SetRate(state, width, height);
}

void Memcpy(benchmark::State& state) {
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    std::vector<uint32_t> src(size_t(width) * height, 0x12345678u);
    std::vector<uint32_t> dest(src.size());
    for (auto _ : state) {
        std::memcpy(dest.data(), src.data(), src.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(dest.data());
        benchmark::ClobberMemory();
    }
    SetRate(state, width, height);
}

// The same rows copied one memcpy each, between bitmaps whose rows are padded to 4 pixels: what
// any row-by-row blit of these bitmaps has to do.
void MemcpyRows(benchmark::State& state) {
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    auto src = MakeSource(width, height, kKnobFrame);
    auto dest = MakeOpaqueCanvas(width, height);
    const size_t stride = size_t(src->RowStride());
    for (auto _ : state) {
        for (int y = 0; y < height; ++y) {
            std::memcpy(dest->PixelData() + y * stride, src->PixelData() + y * stride,
                        size_t(width) * sizeof(PX_Pixel32));
        }
        benchmark::DoNotOptimize(dest->PixelData());
        benchmark::ClobberMemory();
    }
    SetRate(state, width, height);
}

void DecodeAllImages(benchmark::State& state) {
    const int ids[] = {105, 106, 107, 108, 109, 110, 112, 113, 114, 115};
    int64_t pixels = 0;
    for (auto _ : state) {
        for (int id : ids) {
            std::unique_ptr<PX_MemBitmap> bitmap(PX_ReadPngResource(ThisModuleHandle(), id));
            if (!bitmap) {
                state.SkipWithError("an editor image is missing");
                return;
            }
            pixels += int64_t{bitmap->Width()} * bitmap->Height();
        }
    }
    state.counters["Mpix/s"] =
        benchmark::Counter(double(pixels) / 1e6, benchmark::Counter::kIsRate);
}

// The Time knob's 2x strip (120 frames of 290 x 290) to the 1.5x one (218 x 218 frames), as the
// editor makes it on its first paint at 1.5x: ours frame by frame, and pixman's separable Lanczos-3
// convolution frame by frame, each in megapixels written per second.
constexpr int kTimeKnobDoubleId = 207;
constexpr int kKnobFrames = 120;
constexpr int kFrameAtOneAndAHalf = 218;

PX_MemBitmap& TimeKnobDouble() {
    static std::unique_ptr<PX_MemBitmap> strip(
        PX_ReadPngResource(ThisModuleHandle(), kTimeKnobDoubleId));
    return *strip;
}

void ResampleOurs(benchmark::State& state) {
    PX_MemBitmap& source = TimeKnobDouble();
    for (auto _ : state) {
        std::unique_ptr<PX_MemBitmap> result(PX_ResampleFrames(
            source, kKnobFrames, false, kFrameAtOneAndAHalf, kFrameAtOneAndAHalf));
        benchmark::DoNotOptimize(result.get());
    }
    state.SetItemsProcessed(state.iterations() * kFrameAtOneAndAHalf * kFrameAtOneAndAHalf *
                            kKnobFrames);
}

// pixman's coordinates are 16.16 fixed point: the 34800-row strip is handed over frame by frame.
void ResamplePixman(benchmark::State& state) {
    PX_MemBitmap& source = TimeKnobDouble();
    const int side = source.Width();
    const double ratio = double(side) / kFrameAtOneAndAHalf;
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_double_to_fixed(ratio),
                                pixman_double_to_fixed(ratio));
    int count = 0;
    pixman_fixed_t* params = pixman_filter_create_separable_convolution(
        &count, pixman_double_to_fixed(ratio), pixman_double_to_fixed(ratio), PIXMAN_KERNEL_IMPULSE,
        PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_LANCZOS3, PIXMAN_KERNEL_LANCZOS3, 4, 4);
    std::vector<uint32_t> pixels(size_t(kFrameAtOneAndAHalf) * kFrameAtOneAndAHalf * kKnobFrames);
    std::vector<pixman_image_t*> from;
    std::vector<pixman_image_t*> to;
    for (int f = 0; f < kKnobFrames; ++f) {
        uint32_t* rows =
            reinterpret_cast<uint32_t*>(source.PixelData()) + size_t(f) * side * source.RowStride();
        from.push_back(
            pixman_image_create_bits(PIXMAN_a8r8g8b8, side, side, rows, source.RowStride() * 4));
        pixman_image_set_transform(from.back(), &transform);
        pixman_image_set_filter(from.back(), PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, count);
        to.push_back(pixman_image_create_bits(
            PIXMAN_a8r8g8b8, kFrameAtOneAndAHalf, kFrameAtOneAndAHalf,
            pixels.data() + size_t(f) * kFrameAtOneAndAHalf * kFrameAtOneAndAHalf,
            kFrameAtOneAndAHalf * 4));
    }
    for (auto _ : state) {
        for (int f = 0; f < kKnobFrames; ++f) {
            pixman_image_composite32(PIXMAN_OP_SRC, from[f], nullptr, to[f], 0, 0, 0, 0, 0, 0,
                                     kFrameAtOneAndAHalf, kFrameAtOneAndAHalf);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFrameAtOneAndAHalf * kFrameAtOneAndAHalf *
                            kKnobFrames);
    for (int f = 0; f < kKnobFrames; ++f) {
        pixman_image_unref(to[f]);
        pixman_image_unref(from[f]);
    }
    free(params);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Args({145, 145})->Args({555, 306});
}

} // namespace

BENCHMARK(Memcpy)->Apply(Sizes);
BENCHMARK(MemcpyRows)->Apply(Sizes);
BENCHMARK_CAPTURE(Ours, copy, PX_COMBINE_COPY, kKnobFrame)->Apply(Sizes);
BENCHMARK_CAPTURE(Pixman, src, PIXMAN_OP_SRC, kKnobFrame)->Apply(Sizes);
BENCHMARK_CAPTURE(Ours, source_alpha_knob, PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA, kKnobFrame)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(Pixman, over_knob, PIXMAN_OP_OVER, kKnobFrame)->Apply(Sizes);
BENCHMARK_CAPTURE(Ours, source_alpha_random, PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA,
                  kRandomAlpha)
    ->Apply(Sizes);
BENCHMARK_CAPTURE(Pixman, over_random, PIXMAN_OP_OVER, kRandomAlpha)->Apply(Sizes);
BENCHMARK(DecodeAllImages)->Unit(benchmark::kMillisecond);
BENCHMARK(ResampleOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(ResamplePixman)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
