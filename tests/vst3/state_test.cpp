#include "tests/vst3/vst3_test_support.h"

#include <cstring>

namespace {

using namespace vst3;

enum : ParamID { kSensitivity, kTime, kDepth, kVol, kOnOff };

// "tffp", version 1.0, then each parameter's plain value: the VST2 program chunk, written out.
std::vector<char> ProgramChunk(std::initializer_list<double> values) {
    std::vector<char> bytes = {'t', 'f', 'f', 'p', 0, 0, 1, 0};
    for (double v : values) {
        const char* raw = reinterpret_cast<const char*>(&v);
        bytes.insert(bytes.end(), raw, raw + sizeof v);
    }
    return bytes;
}

std::vector<uint8_t> Unsigned(const std::vector<char>& bytes) {
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

TEST_F(LoadedBundle, TheStateIsTheProgramChunkAndRoundTripsInAnyReadSize) {
    const double values[5] = {0.1, 0.2, 0.3, 0.9, 0.0};
    for (ParamID id = 0; id < 5; ++id) {
        ASSERT_EQ(Controller().setParamNormalized(id, values[id]), kResultOk);
    }
    const std::vector<char> state = host.SaveState();
    EXPECT_EQ(state, ProgramChunk({0.1, 0.2, 0.3, 1.8, 0.0}));
    for (int readLimit : {0, 1, 7}) {
        Vst3PluginHost other;
        ASSERT_TRUE(other.Load(BundlePath()));
        ASSERT_EQ(other.LoadState(state, readLimit), kResultOk) << readLimit;
        for (ParamID id = 0; id < 5; ++id) {
            EXPECT_NEAR(other.Controller()->getParamNormalized(id), values[id], 1e-12);
        }
        EXPECT_EQ(other.SaveState(), state);
    }
}

// The damaged-chunk classes the VST2 battery tries, plus a missing stream.
TEST_F(LoadedBundle, DamagedStatesAreRefusedAndChangeNothing) {
    ASSERT_EQ(Controller().setParamNormalized(kVol, 0.25), kResultOk);
    const std::vector<char> before = host.SaveState();
    std::vector<char> truncated = ProgramChunk({0.1, 0.2, 0.3, 1.9, 0.0});
    truncated.resize(8 + 8 * 2 + 3);
    std::vector<char> oversized = ProgramChunk({0.1, 0.1, 0.1, 0.1, 0.0});
    oversized.resize(16 * 1024 * 1024 + 1);
    const std::vector<char> cases[] = {{}, truncated, {'t', 'f', 'f', 'p'}, oversized};
    for (const auto& damaged : cases) {
        EXPECT_NE(host.LoadState(damaged), kResultOk) << damaged.size();
        EXPECT_EQ(host.SaveState(), before) << damaged.size();
    }
    EXPECT_NE(host.Component()->setState(nullptr), kResultOk);
    unsigned seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::vector<char> junk(static_cast<size_t>(1 + round * 7 % 300));
        for (char& b : junk) {
            seed = seed * 1103515245u + 12345u;
            b = static_cast<char>(seed >> 16);
        }
        if (round % 3 == 0 && junk.size() >= 8) {
            std::memcpy(junk.data(), "tffp\0\0\1\0", 8); // past the header check
        }
        host.LoadState(junk);
    }
    for (ParamID id = 0; id < 5; ++id) {
        EXPECT_GE(Value(id), 0.0);
        EXPECT_LE(Value(id), 1.0);
    }
    EXPECT_EQ(host.SaveState().size(), 48u);
}

TEST_F(LoadedBundle, AVst2ProgramChunkLoadsAsStateAndComesBackAsTheSameBytes) {
    PluginHost vst2;
    ASSERT_TRUE(vst2.Load(DefaultPluginPath())) << vst2.LastError();
    ASSERT_TRUE(vst2.Open());
    vst2.SetParameter(kTime, 0.8f);
    vst2.SetParameter(kVol, 0.3f);
    const std::vector<uint8_t> chunk = vst2.GetChunk(true);
    ASSERT_EQ(host.LoadState(std::vector<char>(chunk.begin(), chunk.end())), kResultOk);
    EXPECT_NEAR(Value(kTime), 0.8, 1e-6);
    EXPECT_EQ(Unsigned(host.SaveState()), chunk);

    ASSERT_EQ(Controller().setParamNormalized(kDepth, 0.125), kResultOk);
    const std::vector<uint8_t> state = Unsigned(host.SaveState());
    ASSERT_TRUE(vst2.SetChunk(true, state));
    EXPECT_EQ(vst2.GetChunk(true), state);
}

// Latency: the look-ahead while on (1362 samples at the default Depth), none while off.
TEST_F(LoadedBundle, ALatencyChangeFromTheControllerAsksTheHostForARestart) {
    EXPECT_EQ(host.Processor()->getLatencySamples(), 1362u);
    ASSERT_EQ(Controller().setParamNormalized(kVol, 0.9), kResultOk);
    ASSERT_EQ(Controller().setParamNormalized(kOnOff, 0.0), kResultOk);
    EXPECT_EQ(host.Processor()->getLatencySamples(), 0u);
    ASSERT_EQ(Controller().setParamNormalized(kOnOff, 1.0), kResultOk);
    ASSERT_EQ(Controller().setParamNormalized(kDepth, 0.2), kResultOk);
    const auto calls = host.Handler().Calls();
    ASSERT_EQ(calls.size(), 3u); // none for Vol
    for (const auto& call : calls) {
        EXPECT_EQ(call.kind, RecordingHandler::Kind::Restart);
        EXPECT_EQ(call.value, kLatencyChanged);
        EXPECT_EQ(call.thread, std::this_thread::get_id());
    }
    EXPECT_LT(host.Processor()->getLatencySamples(), 1362u);
}

TEST_F(LoadedBundle, TheFactoryPresetsAreAProgramListSwitchedByTheProgramParameter) {
    void* found = nullptr;
    ASSERT_EQ(host.Component()->queryInterface(IUnitInfo::iid.bytes, &found), kResultOk);
    auto* units = static_cast<IUnitInfo*>(found);
    UnitInfo unit{};
    ASSERT_EQ(units->getUnitInfo(0, unit), kResultOk);
    ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), kResultOk);
    EXPECT_EQ(unit.programListId, list.id);
    ASSERT_EQ(list.programCount, 6);
    const char* names[6] = {"Init",     "Swell on Accent",     "Funked Swell",
                            "Arpeggio", "Long Ambient Chords", "Before Overdrive"};
    for (int i = 0; i < 6; ++i) {
        String128 name{};
        ASSERT_EQ(units->getProgramName(list.id, i, name), kResultOk);
        EXPECT_EQ(Narrow(name), names[i]);
    }
    units->release();
    ParameterInfo program{};
    ASSERT_EQ(Controller().getParameterInfo(5, program), kResultOk);
    EXPECT_NE(program.flags & ParameterInfo::kIsProgramChange, 0);
    EXPECT_EQ(program.stepCount, 5);
    EXPECT_EQ(program.unitId, unit.id);
    ASSERT_EQ(Controller().setParamNormalized(program.id, 3.0 / 5.0), kResultOk);
    EXPECT_NEAR(Value(kSensitivity), 0.676, 1e-12); // Arpeggio
    EXPECT_NEAR(Value(kTime), 0.433, 1e-12);
    EXPECT_NEAR(Value(program.id), 3.0 / 5.0, 1e-12);
}

} // namespace
