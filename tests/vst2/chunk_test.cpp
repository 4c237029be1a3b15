// Presets and the state chunks a host saves and restores through the dispatcher.
#include "vst2_test_support.h"

#include <cstring>

namespace {

using Presets = LoadedPlugin;
using Chunks = LoadedPlugin;

template <class T>
T ReadAt(const std::vector<uint8_t>& bytes, size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

template <class T>
void Put(std::vector<uint8_t>& bytes, const T& value) {
    const auto* raw = reinterpret_cast<const uint8_t*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof value);
}

std::vector<uint8_t> ProgramChunk(const double (&values)[5]) {
    std::vector<uint8_t> chunk;
    Put<std::int32_t>(chunk, 0x70666674);
    Put<std::int32_t>(chunk, 0x00010000);
    for (double v : values) {
        Put(chunk, v);
    }
    return chunk;
}

} // namespace

TEST_F(Presets, TheProgramListNamesTheFactoryPresets) {
    const char* names[6] = {"Init",     "Swell on Accent",     "Funked Swell",
                            "Arpeggio", "Long Ambient Chords", "Before Overdrive"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(host.ProgramNameIndexed(i), names[i]);
        char buffer[24];
        EXPECT_EQ(host.Dispatch(effGetProgramNameIndexed, i, 0, buffer), 1);
    }
    char buffer[24] = "x";
    EXPECT_EQ(host.Dispatch(effGetProgramNameIndexed, 6, 0, buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(host.Program(), 0);
    EXPECT_EQ(host.ProgramName(), "Init");
}

TEST_F(Presets, SwitchingLoadsThePresetsValues) {
    host.SetProgram(3);
    EXPECT_EQ(host.Program(), 3);
    EXPECT_EQ(host.ProgramName(), "Arpeggio");
    EXPECT_EQ(host.ParamDisplay(0), "0.676");
    EXPECT_EQ(host.ParamDisplay(2), "1.000");
    ProcessABlock();
    EXPECT_EQ(Effect()->initialDelay, 1000); // the effect was told at the next block
}

TEST_F(Presets, SwitchingAwayStoresTheEditsSoReturningRestoresThem) {
    host.SetParameter(3, 0.25f); // Vol 0.5 in preset 0
    host.SetProgram(3);
    EXPECT_EQ(host.ParamDisplay(3), "1.000");
    host.SetProgram(0);
    EXPECT_EQ(host.ParamDisplay(3), "0.500");
}

TEST_F(Presets, SwitchingToAPresetOutsideTheListChangesNothing) {
    host.SetParameter(3, 0.25f);
    host.SetProgram(6);
    host.SetProgram(-1);
    EXPECT_EQ(host.Program(), 0);
    EXPECT_EQ(host.ParamDisplay(3), "0.500");
}

TEST_F(Presets, RenamingKeepsTheValuesAndAnOverlongNameIsCut) {
    host.Dispatch(effSetProgramName, 0, 0, const_cast<char*>("Mine"));
    EXPECT_EQ(host.ProgramName(), "Mine");
    EXPECT_EQ(host.ProgramNameIndexed(0), "Mine");
    std::string huge(5000, 'q');
    host.Dispatch(effSetProgramName, 0, 0, huge.data());
    EXPECT_EQ(host.ProgramNameIndexed(0), std::string(23, 'q'));
    // The bank keeps at most 255 characters of it.
    const std::vector<uint8_t> bank = host.GetChunk(false);
    ASSERT_GE(bank.size(), 12u);
    EXPECT_EQ(ReadAt<std::int32_t>(bank, 8), 255);
    host.Dispatch(effSetProgramName, 0, 0, nullptr);
    EXPECT_EQ(host.ProgramNameIndexed(0), std::string(23, 'q'));
}

TEST_F(Chunks, AProgramChunkIsTheHeaderAndFiveDoubles) {
    host.SetParameter(3, 0.75f);
    const std::vector<uint8_t> chunk = host.GetChunk(true);
    ASSERT_EQ(chunk.size(), 48u);
    EXPECT_EQ(std::memcmp(chunk.data(), "tffp", 4), 0);
    EXPECT_EQ(ReadAt<std::int32_t>(chunk, 4), 0x00010000);
    EXPECT_EQ(ReadAt<double>(chunk, 8), 0.7);
    EXPECT_EQ(ReadAt<double>(chunk, 16), 0.5);
    EXPECT_EQ(ReadAt<double>(chunk, 24), 0.75);
    EXPECT_EQ(ReadAt<double>(chunk, 32), 1.5);
    EXPECT_EQ(ReadAt<double>(chunk, 40), 1.0);
}

TEST_F(Chunks, RestoringAProgramChunkRestoresEveryParameterAndTellsTheEffect) {
    ASSERT_TRUE(host.SetChunk(true, ProgramChunk({0.1, 0.2, 0.3, 1.9, 0.0})));
    EXPECT_EQ(host.ParamDisplay(0), "0.100");
    EXPECT_EQ(host.ParamDisplay(1), "0.200");
    EXPECT_EQ(host.ParamDisplay(2), "0.300");
    EXPECT_EQ(host.ParamDisplay(3), "1.900");
    EXPECT_EQ(host.ParamDisplay(4), "0");
    ProcessABlock();
    EXPECT_EQ(Effect()->initialDelay, 300);
    EXPECT_EQ(host.GetChunk(true), ProgramChunk({0.1, 0.2, 0.3, 1.9, 0.0}));
}

TEST_F(Chunks, ABankChunkHoldsEveryPresetInOrder) {
    const std::vector<uint8_t> bank = host.GetChunk(false);
    const char* names[6] = {"Init",     "Swell on Accent",     "Funked Swell",
                            "Arpeggio", "Long Ambient Chords", "Before Overdrive"};
    size_t expectedSize = 8;
    for (const char* name : names) {
        expectedSize += 4 + std::strlen(name) + 1 + 40;
    }
    ASSERT_EQ(bank.size(), expectedSize);
    EXPECT_EQ(std::memcmp(bank.data(), "tffp", 4), 0);
    size_t at = 8;
    for (const char* name : names) {
        const auto length = static_cast<size_t>(ReadAt<std::int32_t>(bank, at));
        ASSERT_EQ(length, std::strlen(name));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bank.data() + at + 4), length), name);
        EXPECT_EQ(bank[at + 4 + length], 1); // defined
        at += 4 + length + 1 + 40;
    }
    EXPECT_EQ(ReadAt<double>(bank, 8 + 4 + 4 + 1 + 24), 1.0); // Init's Vol
}

TEST_F(Chunks, ABankChunkCarriesTheCurrentEditsAndRestoresIntoAFreshInstance) {
    host.SetParameter(3, 0.25f);
    host.Dispatch(effSetProgramName, 0, 0, const_cast<char*>("Edited"));
    const std::vector<uint8_t> bank = host.GetChunk(false);
    PluginHost fresh;
    ASSERT_TRUE(fresh.Load(TestPluginPath()));
    fresh.SetProgram(2);
    ASSERT_TRUE(fresh.SetChunk(false, bank));
    EXPECT_EQ(fresh.ProgramNameIndexed(0), "Edited");
    EXPECT_EQ(fresh.Program(), 2); // the current preset is reloaded
    fresh.SetProgram(0);
    EXPECT_EQ(fresh.ParamDisplay(3), "0.500");
    EXPECT_EQ(fresh.GetChunk(false), bank);
}

TEST_F(Chunks, AHeaderlessBlockOfFiveDoublesReadsAsParameterState) {
    std::vector<uint8_t> plain;
    for (double v : {0.2, 0.2, 0.2, 0.2, 1.0}) {
        Put(plain, v);
    }
    ASSERT_TRUE(host.SetChunk(true, plain));
    EXPECT_EQ(host.ParamDisplay(3), "0.200");
    host.SetParameter(3, 0.5f);
    ASSERT_TRUE(host.SetChunk(false, plain)); // a bank without a header is a program state
    EXPECT_EQ(host.ParamDisplay(3), "0.200");
}

TEST_F(Chunks, ChunkSizesOutsideOneByteTo16MiBAreRefusedAndChangeNothing) {
    const std::vector<uint8_t> before = host.GetChunk(true);
    std::vector<uint8_t> chunk = ProgramChunk({0.1, 0.1, 0.1, 0.1, 0.0});
    for (VstIntPtr size : {VstIntPtr(0), VstIntPtr(-1), VstIntPtr(-48),
                           VstIntPtr(16 * 1024 * 1024 + 1), VstIntPtr(1) << 40}) {
        for (VstInt32 index : {0, 1}) {
            EXPECT_EQ(host.Dispatch(effSetChunk, index, size, chunk.data()), 0) << size;
        }
    }
    EXPECT_EQ(host.Dispatch(effSetChunk, 1, 48, nullptr), 0);
    EXPECT_EQ(host.GetChunk(true), before);
}

// A damaged chunk is refused as a whole: the host is told 0 and nothing it covered stays changed.
TEST_F(Chunks, ATruncatedChunkFailsAndChangesNothing) {
    host.SetParameter(3, 0.25f);
    const std::vector<uint8_t> program = host.GetChunk(true);
    const std::vector<uint8_t> bank = host.GetChunk(false);
    std::vector<uint8_t> chunk = ProgramChunk({0.1, 0.2, 0.3, 1.9, 0.0});
    chunk.resize(8 + 8 * 2 + 3);
    EXPECT_FALSE(host.SetChunk(true, chunk));
    EXPECT_EQ(host.GetChunk(true), program);
    std::vector<uint8_t> damagedBank = bank;
    damagedBank.resize(bank.size() - 20);
    EXPECT_FALSE(host.SetChunk(false, damagedBank));
    EXPECT_EQ(host.GetChunk(false), bank);
    EXPECT_EQ(host.ParamDisplay(3), "0.500");
}

TEST_F(Chunks, AChunkWithTheMagicButNoVersionFails) {
    std::vector<uint8_t> chunk;
    Put<std::int32_t>(chunk, 0x70666674);
    EXPECT_FALSE(host.SetChunk(true, chunk));
    EXPECT_FALSE(host.SetChunk(false, chunk));
}

TEST_F(Chunks, AnOverlongPresetNameFromABankNeverOverrunsAHostBuffer) {
    std::vector<uint8_t> bank;
    Put<std::int32_t>(bank, 0x70666674);
    Put<std::int32_t>(bank, 0x00010000);
    const std::string name(1000, 'L');
    for (int p = 0; p < 6; ++p) {
        Put<std::int32_t>(bank, static_cast<std::int32_t>(name.size()));
        bank.insert(bank.end(), name.begin(), name.end());
        bank.push_back(1);
        for (double v : {0.5, 0.5, 0.5, 1.0, 1.0}) {
            Put(bank, v);
        }
    }
    ASSERT_TRUE(host.SetChunk(false, bank));
    char buffer[24 + 8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(host.Dispatch(effGetProgramNameIndexed, 2, 0, buffer), 1);
    EXPECT_EQ(std::string(buffer), std::string(23, 'L'));
    for (size_t k = 24; k < sizeof buffer; ++k) {
        EXPECT_EQ(buffer[k], '#');
    }
}

TEST_F(Chunks, GarbageChunksGiveADefinedAnswerAndTheInstanceStillWorks) {
    Open(64);
    unsigned state = 12345;
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> junk(static_cast<size_t>(1 + round * 7 % 300));
        for (uint8_t& b : junk) {
            state = state * 1103515245u + 12345u;
            b = static_cast<uint8_t>(state >> 16);
        }
        if (round % 3 == 0 && junk.size() >= 8) {
            std::memcpy(junk.data(), "tffp", 4); // past the header check
            junk[4] = 0;
            junk[5] = 0;
            junk[6] = 1;
            junk[7] = 0;
        }
        host.SetChunk(round % 2 == 0, junk);
    }
    for (int i = 0; i < 5; ++i) {
        const float v = host.GetParameter(i);
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
    }
    AudioBuffers<float> in(2, 64), out(2, 64);
    FillSignal(in);
    ASSERT_TRUE(host.ProcessFloat(in, out));
    EXPECT_EQ(host.GetChunk(true).size(), 48u);
}
