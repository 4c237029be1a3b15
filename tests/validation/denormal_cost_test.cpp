// What denormal input costs against ordinary input. Filters fed the smallest numbers decay into
// denormals, which some processors handle many times slower; a plug-in that does not guard
// against them makes a quiet track eat the machine. Timings take the best of several interleaved
// runs with plenty of blocks each, so a busy machine does not decide the result.
#include "tests/validation/battery_host.h"
#include "tests/validation/block_render.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <sstream>

using namespace battery;

namespace {

constexpr int kBlock = 512;
constexpr double kLimit = 2.0;

// Feeds the same prepared blocks over and over and times it; the best run is the cost.
template <typename T>
class TimedInstance {
public:
    TimedInstance(const Stream<T>& signal, Path path) : path_(path) {
        loaded_ = static_cast<bool>(LoadAndOpen(host_, 44100.0, kBlock));
        if (!loaded_) {
            return;
        }
        const int frames = static_cast<int>(signal[0].size());
        for (int start = 0; start + kBlock <= frames; start += kBlock) {
            AudioBuffers<T> block(static_cast<int>(signal.size()), kBlock);
            for (int c = 0; c < block.Channels(); ++c) {
                std::copy_n(signal[static_cast<size_t>(c)].begin() + start, kBlock,
                            block.Channel(c));
            }
            blocks_.push_back(std::move(block));
        }
        out_.Resize(host_.Effect()->numOutputs, kBlock);
        Run(static_cast<int>(blocks_.size())); // warm up
    }
    bool Loaded() const { return loaded_; }

    double Run(int calls) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) {
            Process(blocks_[static_cast<size_t>(i) % blocks_.size()]);
        }
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        return elapsed.count();
    }

private:
    void Process(const AudioBuffers<T>& block);

    PluginHost host_;
    Path path_;
    bool loaded_ = false;
    std::vector<AudioBuffers<T>> blocks_;
    AudioBuffers<T> out_;
};

template <>
void TimedInstance<float>::Process(const AudioBuffers<float>& block) {
    host_.ProcessFloat(block, out_,
                       path_ == Path::FloatAccumulating ? ProcessMode::Accumulating
                                                        : ProcessMode::Replacing);
}

template <>
void TimedInstance<double>::Process(const AudioBuffers<double>& block) {
    host_.ProcessDouble(block, out_);
}

struct Costs {
    double normal = 1e300;
    double tiny = 1e300;
};

// Best of `runs` interleaved runs of `calls` blocks each.
template <typename T>
Costs Measure(TimedInstance<T>& normal, TimedInstance<T>& tiny, int runs, int calls) {
    Costs best;
    for (int run = 0; run < runs; ++run) {
        best.normal = std::min(best.normal, normal.Run(calls));
        best.tiny = std::min(best.tiny, tiny.Run(calls));
    }
    return best;
}

template <typename T>
void CheckCost(const std::string& what, const Stream<T>& noise, const Stream<T>& tinyInput,
               Path path) {
    TimedInstance<T> normal(noise, path);
    TimedInstance<T> tiny(tinyInput, path);
    ASSERT_TRUE(normal.Loaded() && tiny.Loaded());
    const int runs = Iterations(7, 15);
    const int calls = Iterations(200, 1000);
    const Costs costs = Measure(normal, tiny, runs, calls);
    const double ratio = costs.tiny / costs.normal;
    std::ostringstream detail;
    detail.precision(3);
    detail << "best of " << runs << " runs: noise " << costs.normal * 1e9 / (calls * kBlock)
           << " ns/frame, " << what << " " << costs.tiny * 1e9 / (calls * kBlock)
           << " ns/frame, ratio " << ratio;
    Report(std::string("denormal cost, ") + what + ", " + PathName(path),
           static_cast<long>(runs) * calls * 2, detail.str());
    EXPECT_LE(ratio, kLimit) << PathName(path) << ", blocks of " << kBlock << " at 44100 Hz, "
                             << calls << " blocks per run: " << what << " costs " << ratio
                             << " times white noise (more than " << kLimit << "); " << detail.str();
}

} // namespace

TEST(DenormalCost, DenormalInputCostsAtMostTwiceOrdinaryInputOnEveryPath) {
    if (!TimingChecks()) {
        GTEST_SKIP() << "timing checks are off (CRESCENDA_VALIDATION_TIMING=off)";
    }
    PluginHost probe;
    ASSERT_TRUE(Load(probe));
    const int channels = probe.Effect()->numInputs;
    const bool doublePath = Offers(probe, Path::Double);
    probe.Unload();
    const int frames = 16 * kBlock;
    const Stream<float> noise = MakeSignal(Signal::Noise, channels, frames, 44100.0, Seed());
    const Stream<float> flmin = MakeSignal(Signal::TinyValues, channels, frames, 44100.0, Seed());
    const Stream<float> denormals = MakeFloatDenormals(channels, frames, Seed());
    for (Path path : {Path::FloatReplacing, Path::FloatAccumulating}) {
        CheckCost<float>("+-FLT_MIN", noise, flmin, path);
        CheckCost<float>("float denormals", noise, denormals, path);
    }
    if (doublePath) {
        CheckCost<double>("+-FLT_MIN", Convert<double>(noise), Convert<double>(flmin),
                          Path::Double);
        CheckCost<double>("double denormals", Convert<double>(noise),
                          MakeDoubleDenormals(channels, frames, Seed()), Path::Double);
    }
}
