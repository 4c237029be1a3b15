// The adapter's audio path in the arrangements the host battery leaves out: 64-bit buffers, in
// place or apart, and 0-frame calls between blocks, against 32-bit buffers apart. The same input
// and the same parameter events must give the same output in every arrangement.
#include "clap/clap_export.h"
#include "host/clap/clap_instance.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int Frames = 2000;
constexpr int Block = 100;
constexpr clap_id Depth = 2; // ids are the parameters' indices

struct Arrangement {
    const char* name;
    bool wide;    // 64-bit buffers
    bool inPlace; // the output buffers are the input buffers
};

// Plucked notes: a decaying tone every 400 frames, so the effect swells and its delay shows.
float Input(int channel, int frame) {
    const int sinceOnset = frame % 400;
    return static_cast<float>(std::exp(-sinceOnset / 80.0) * std::sin(0.05 * frame + channel) *
                              0.8);
}

template <typename T>
std::vector<float> Render(ClapInstance& instance, bool inPlace) {
    AudioBuffers<T> in(2, Block);
    AudioBuffers<T> out(2, Block);
    AudioBuffers<T>* target = inPlace ? &in : &out;
    std::vector<float> result;
    for (int start = 0; start < Frames; start += Block) {
        for (int c = 0; c < 2; ++c) {
            for (int k = 0; k < Block; ++k) {
                in.At(c, k) = static_cast<T>(Input(c, start + k));
            }
        }
        ClapInputEvents events;
        if (start == 3 * Block) {
            events.Add(ParamValueEvent(37, Depth, 0.3).header);
        }
        ClapOutputEvents output;
        instance.Process(&in, target, Block, events, output);
        for (int k = 0; k < Block; ++k) {
            result.push_back(static_cast<float>(target->At(0, k)));
            result.push_back(static_cast<float>(target->At(1, k)));
        }
        ClapInputEvents none;
        instance.Process(target, target, 0, none, output); // a host measuring latency
    }
    return result;
}

std::vector<float> RenderWith(const Arrangement& arrangement) {
    ClapHostServices services;
    ClapModule module;
    EXPECT_TRUE(module.Adopt(&clap_entry, "Crescenda.clap"));
    ClapInstance instance(module, services);
    EXPECT_TRUE(CreateAndStart(instance, 44100.0, Block));
    return arrangement.wide ? Render<double>(instance, arrangement.inPlace)
                            : Render<float>(instance, arrangement.inPlace);
}

} // namespace

TEST(ClapAudio, EveryBufferArrangementRendersTheSameStream) {
    const std::vector<float> reference = RenderWith({"32-bit apart", false, false});
    ASSERT_EQ(reference.size(), 2u * Frames);
    const Arrangement arrangements[] = {
        {"32-bit in place", false, true},
        {"64-bit apart", true, false},
        {"64-bit in place", true, true},
    };
    for (const Arrangement& arrangement : arrangements) {
        const std::vector<float> rendered = RenderWith(arrangement);
        ASSERT_EQ(rendered.size(), reference.size()) << arrangement.name;
        for (size_t i = 0; i < reference.size(); ++i) {
            ASSERT_EQ(rendered[i], reference[i]) << arrangement.name << ", sample " << i / 2;
        }
    }
    // The effect did something: the swell dips the output below the delayed input somewhere.
    double difference = 0.0;
    for (int k = 1500; k < Frames; ++k) {
        difference += std::fabs(reference[2 * k] - Input(0, k));
    }
    EXPECT_GT(difference, 1.0);
}
