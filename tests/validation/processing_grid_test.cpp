// The processing grid: sample rates, block sizes and block sequences, the three process paths,
// separate buffers and in place, four kinds of input. Every rendering starts from a fresh,
// identically opened instance, so any difference comes from how the audio was delivered.
#include "tests/validation/battery_host.h"
#include "tests/validation/block_render.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

using namespace battery;

namespace {

struct Delivery {
    std::string name;
    int announced; // effSetBlockSize
    std::vector<int> cuts;
};

std::vector<double> SampleRates() {
    if (Thorough()) {
        return {8000,   22050,  44100,     48000,     88200,    96000,
                192000, 384000, 1234.5678, 12345.678, 45678.901};
    }
    return {44100, 8000, 96000, 12345.678};
}

// 20 sizes in 1..2048, a fifth of them 1, with a call of 0 frames among them.
std::vector<int> RandomCuts(std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> size(2, 2048);
    std::vector<int> cuts;
    for (int i = 0; i < 20; ++i) {
        cuts.push_back(i % 5 == 2 ? 1 : size(random));
    }
    std::shuffle(cuts.begin(), cuts.end(), random);
    cuts.insert(cuts.begin() + 7, 0);
    return cuts;
}

std::vector<Delivery> Deliveries() {
    std::vector<int> sizes = {1, 17, 256, 2027};
    if (Thorough()) {
        sizes = {1, 10, 17, 63, 256, 1024, 1536, 2027, 4096};
    }
    std::vector<Delivery> deliveries;
    for (int size : sizes) {
        deliveries.push_back({"announced " + std::to_string(size), size, {size}});
    }
    deliveries.push_back({"20 random sizes, announced 2048", 2048, RandomCuts(Seed())});
    deliveries.push_back({"blocks of 1024 after announcing 256", 256, {1024}});
    deliveries.push_back({"blocks of 4000 after announcing 64", 64, {4000, 1, 3000}});
    return deliveries;
}

struct GridCase {
    double sampleRate;
    Signal signal;
};

// Every signal at 44.1 kHz; the other rates with noise (thorough mode: every signal everywhere).
std::vector<GridCase> Cases() {
    std::vector<GridCase> cases;
    for (double rate : SampleRates()) {
        for (Signal signal : kAllSignals) {
            if (Thorough() || rate == 44100 || signal == Signal::Noise) {
                cases.push_back({rate, signal});
            }
        }
    }
    return cases;
}

std::string CaseText(const GridCase& c, Path path) {
    std::ostringstream text;
    text.precision(10);
    text << c.sampleRate << " Hz, " << SignalName(c.signal) << ", " << PathName(path);
    return text.str();
}

int StreamFrames() {
    return Iterations(6000, 13000);
}

} // namespace

TEST(ProcessingGrid, EveryRateBlockSizeAndPathGivesFiniteOutputThatDoesNotDependOnTheBlocks) {
    FailureBudget budget;
    long renders = 0;
    for (const GridCase& c : Cases()) {
        for (Path path : kAllPaths) {
            PluginHost host;
            ASSERT_TRUE(LoadAndOpen(host, c.sampleRate, 4096));
            if (!Offers(host, path)) {
                continue;
            }
            const Stream<float> input = MakeSignal(c.signal, host.Effect()->numInputs,
                                                   StreamFrames(), c.sampleRate, Seed());
            const Rendered reference = Render(host, path, false, input, {4096});
            ++renders;
            if (!reference.problem.empty() && budget.Spend()) {
                ADD_FAILURE() << CaseText(c, path)
                              << ", announced 4096, blocks of 4096: " << reference.problem;
            }
            for (const Delivery& d : Deliveries()) {
                ASSERT_TRUE(LoadAndOpen(host, c.sampleRate, d.announced));
                const Rendered separate = Render(host, path, false, input, d.cuts);
                ASSERT_TRUE(LoadAndOpen(host, c.sampleRate, d.announced));
                const Rendered inPlace = Render(host, path, true, input, d.cuts);
                renders += 2;
                const std::string what =
                    CaseText(c, path) + ", " + d.name + " (" + DescribeCuts(d.cuts) + ")";
                if (!separate.problem.empty() && budget.Spend()) {
                    ADD_FAILURE() << what << ", separate buffers: " << separate.problem;
                }
                if (!inPlace.problem.empty() && budget.Spend()) {
                    ADD_FAILURE() << what << ", in place: " << inPlace.problem;
                }
                const std::string cut = CompareStreams(reference.output, separate.output);
                if (!cut.empty() && budget.Spend()) {
                    ADD_FAILURE() << what << ": the output differs from the one rendered in blocks "
                                  << "of 4096: " << cut;
                }
                const std::string place = CompareStreams(separate.output, inPlace.output);
                if (!place.empty() && budget.Spend()) {
                    ADD_FAILURE() << what << ": in place differs from separate buffers: " << place;
                }
            }
        }
    }
    Report("processing grid (rates x signals x paths x deliveries, separate and in place)", renders,
           std::to_string(Cases().size()) + " rate/signal cases, " +
               std::to_string(Deliveries().size()) + " deliveries, " +
               std::to_string(StreamFrames()) + " frames each");
}

TEST(ProcessingGrid, CallsWithZeroFramesWriteNothingAndChangeNoLaterOutput) {
    FailureBudget budget;
    long calls = 0;
    for (Path path : kAllPaths) {
        for (bool inPlace : {false, true}) {
            PluginHost host;
            ASSERT_TRUE(LoadAndOpen(host, 44100.0, 64));
            if (!Offers(host, path)) {
                continue;
            }
            const Stream<float> input =
                MakeSignal(Signal::Noise, host.Effect()->numInputs, 2048, 44100.0, Seed());
            const Rendered plain = Render(host, path, inPlace, input, {64});
            ASSERT_TRUE(LoadAndOpen(host, 44100.0, 64));
            const Rendered withEmpty = Render(host, path, inPlace, input, {0, 64, 0, 0, 64});
            calls += withEmpty.calls;
            const std::string what =
                std::string(PathName(path)) + (inPlace ? ", in place" : ", separate buffers");
            if (!withEmpty.problem.empty() && budget.Spend()) {
                ADD_FAILURE() << what
                              << ", blocks of {0,64,0,0,64} repeated: " << withEmpty.problem;
            }
            const std::string difference = CompareStreams(plain.output, withEmpty.output);
            if (!difference.empty() && budget.Spend()) {
                ADD_FAILURE() << what << ": calls with 0 frames between blocks of 64 changed the "
                              << "output: " << difference;
            }
        }
    }
    Report("0-frame blocks", calls);
}
