// State through the CLAP state extension: exactly the VST2 build's program chunk, so a state moves
// between the formats both ways; streams that move one byte per call; and every damaged stream the
// VST2 battery sends, plus streams that fail part-way, each refused with nothing changed or taken
// with values inside their ranges, leaving an instance that plays and takes a good state again.
#include "tests/clap/clap_session.h"
#include "tests/validation/battery_config.h"
#include "tests/validation/battery_host.h"
#include "tests/validation/damaged_chunks.h"
#include "tests/validation/plugin_state.h"

#include <cmath>

using namespace clap_test;

namespace {

// What a host can observe of the instance's state: every value and the state it saves.
struct Observed {
    std::vector<double> values;
    std::vector<std::uint8_t> saved;
    bool operator==(const Observed& other) const {
        return values == other.values && saved == other.saved;
    }
};

Observed Observe(const ClapInstance& instance) {
    Observed observed;
    for (const clap_param_info& info : instance.ParamInfos()) {
        double value = NAN;
        instance.ParamValue(info.id, value);
        observed.values.push_back(value);
    }
    instance.SaveState(observed.saved);
    return observed;
}

// A VST2 instance with random values and the program chunk it saves.
struct Vst2State {
    std::vector<std::uint8_t> chunk;
    std::vector<float> values;
};

Vst2State RandomVst2State(std::uint32_t seed) {
    PluginHost vst2;
    Vst2State state;
    if (!battery::LoadAndOpen(vst2)) {
        return state;
    }
    std::mt19937 random(seed);
    battery::RandomiseParameters(vst2, random);
    state.chunk = vst2.GetChunk(true);
    state.values = battery::ParameterValues(vst2);
    return state;
}

} // namespace

TEST(ClapState, AStateMovesBetweenTheFormatsByteForByte) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        const Vst2State vst2State = RandomVst2State(battery::Seed() + seed);
        ASSERT_FALSE(vst2State.chunk.empty());
        ClapSession session;
        ASSERT_TRUE(session.Open());
        // Loaded in one-byte reads, the CLAP build saves exactly the VST2 chunk, whole or in
        // one-byte writes.
        ASSERT_TRUE(session.instance.LoadState(vst2State.chunk, {1}));
        std::vector<std::uint8_t> whole;
        std::vector<std::uint8_t> bytewise;
        EXPECT_TRUE(session.instance.SaveState(whole));
        EXPECT_TRUE(session.instance.SaveState(bytewise, {1}));
        EXPECT_EQ(whole, vst2State.chunk);
        EXPECT_EQ(bytewise, vst2State.chunk);
        // Back in a fresh VST2 instance it gives the same values, bit for bit, and the CLAP
        // texts read as the VST2 displays.
        PluginHost vst2;
        ASSERT_TRUE(battery::LoadAndOpen(vst2));
        EXPECT_TRUE(vst2.SetChunk(true, whole));
        EXPECT_TRUE(battery::BitEqual(battery::ParameterValues(vst2), vst2State.values));
        const std::vector<clap_param_info> infos = session.instance.ParamInfos();
        for (size_t i = 0; i < infos.size(); ++i) {
            double value = NAN;
            std::string text;
            session.instance.ParamValue(infos[i].id, value);
            session.instance.ValueToText(infos[i].id, value, text);
            const std::string display = vst2.ParamDisplay(static_cast<int>(i));
            EXPECT_EQ(text.compare(0, display.size(), display), 0)
                << infos[i].name << ": " << text << " against " << display;
        }
    }
}

TEST(ClapState, ASaveIntoAFailingStreamReportsFailure) {
    ClapSession session;
    ASSERT_TRUE(session.Open(false));
    std::vector<std::uint8_t> whole;
    ASSERT_TRUE(session.instance.SaveState(whole));
    for (std::uint64_t failAfter = 0; failAfter < whole.size(); ++failAfter) {
        std::vector<std::uint8_t> partial;
        EXPECT_FALSE(session.instance.SaveState(partial, {1, failAfter})) << failAfter;
    }
}

TEST(ClapState, DamagedStreamsAreRefusedOrTakenWithinRangeAndLeaveAWorkingInstance) {
    const Vst2State valid = RandomVst2State(battery::Seed() + 7);
    ASSERT_FALSE(valid.chunk.empty());
    PluginHost vst2;
    ASSERT_TRUE(battery::LoadAndOpen(vst2));
    std::mt19937 random(battery::Seed());
    struct BadStream {
        std::string name;
        std::vector<std::uint8_t> bytes;
        StreamLimits limits;
    };
    std::vector<BadStream> streams;
    for (battery::BadChunk& chunk : battery::BadChunks(valid.chunk, random)) {
        if (!chunk.nullData && chunk.size == static_cast<VstIntPtr>(chunk.bytes.size())) {
            streams.push_back({chunk.name, std::move(chunk.bytes), {}});
        }
    }
    streams.push_back({"the VST2 bank chunk", vst2.GetChunk(false), {}});
    streams.push_back({"over 16 MiB", battery::Random(random, (16u << 20) + 4096), {1u << 20}});
    for (std::uint64_t at = 0; at < valid.chunk.size(); ++at) {
        streams.push_back({"the valid chunk failing after " + std::to_string(at) + " bytes",
                           valid.chunk,
                           {1, at}});
    }
    ClapSession session;
    ASSERT_TRUE(session.Open());
    const auto input = battery::MakeSignal(battery::Signal::Noise, 2, 256, 44100.0, 3);
    battery::FailureBudget budget;
    for (const BadStream& stream : streams) {
        const Observed before = Observe(session.instance);
        const bool taken = session.instance.LoadState(stream.bytes, stream.limits);
        const Observed after = Observe(session.instance);
        std::string problem;
        if (!taken && !(after == before)) {
            problem = "refused, yet the state changed";
        }
        const std::vector<clap_param_info> infos = session.instance.ParamInfos();
        for (size_t i = 0; i < infos.size() && problem.empty(); ++i) {
            if (!(after.values[i] >= infos[i].min_value && after.values[i] <= infos[i].max_value)) {
                problem = std::string(infos[i].name) + " reads " + std::to_string(after.values[i]);
            }
        }
        const Stream<float> played = RenderClap(session.instance, input, 256, {});
        for (const auto& channel : played) {
            for (float sample : channel) {
                if (!std::isfinite(sample) && problem.empty()) {
                    problem = "the next block is not finite";
                }
            }
        }
        std::vector<std::uint8_t> saved;
        if (problem.empty() && !(session.instance.LoadState(valid.chunk) &&
                                 session.instance.SaveState(saved) && saved == valid.chunk)) {
            problem = "a valid state afterwards did not load exactly";
        }
        if (!problem.empty() && budget.Spend()) {
            ADD_FAILURE() << stream.name << " (" << (taken ? "taken" : "refused")
                          << "): " << problem;
        }
    }
    battery::Report("CLAP state: damaged and failing streams", static_cast<long>(streams.size()));
}
