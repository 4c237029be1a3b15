// "Nothing lost": what an instance saves, a fresh instance restores exactly, saves again byte for
// byte, and renders exactly as the instance that reached the same values another way.
#include "tests/validation/battery_host.h"
#include "tests/validation/block_render.h"
#include "tests/validation/plugin_state.h"

#include <gtest/gtest.h>

using namespace battery;

namespace {

constexpr bool kProgram = true;
constexpr bool kBank = false;

Stream<float> Noise(PluginHost& host) {
    return MakeSignal(Signal::Noise, host.Effect()->numInputs, 6000, 44100.0, Seed() + 1);
}

struct EditedBank {
    std::vector<std::vector<float>> presetValues; // what each preset was left holding
    std::vector<std::string> names;
    std::vector<std::uint8_t> chunk;
    int current = 0;
};

// Gives every preset random values and a random name and ends on a random preset.
EditedBank EditEveryPreset(PluginHost& host, std::mt19937& random) {
    EditedBank bank;
    const int programs = host.Effect()->numPrograms;
    for (int p = 0; p < programs; ++p) {
        host.SetProgram(p);
        RandomiseParameters(host, random);
        std::string name = RandomName(random, 23);
        host.Dispatch(effSetProgramName, 0, 0, name.data());
        bank.presetValues.push_back(ParameterValues(host));
        bank.names.push_back(host.ProgramName());
    }
    bank.current = static_cast<int>(random() % static_cast<unsigned>(programs));
    host.SetProgram(bank.current);
    bank.chunk = host.GetChunk(kBank);
    return bank;
}

} // namespace

TEST(StateRoundTrip, AProgramChunkGivesAFreshInstanceBitEqualValuesAndTheSameChunkAgain) {
    std::mt19937 random(Seed());
    const int rounds = Iterations(20, 500);
    FailureBudget budget;
    for (int round = 0; round < rounds; ++round) {
        PluginHost saver;
        ASSERT_TRUE(LoadAndOpen(saver));
        RandomiseParameters(saver, random);
        const std::vector<float> values = ParameterValues(saver);
        const std::vector<std::uint8_t> chunk = saver.GetChunk(kProgram);
        ASSERT_FALSE(chunk.empty()) << "effGetChunk(index 1) gave no program chunk";

        PluginHost restorer;
        ASSERT_TRUE(LoadAndOpen(restorer));
        const bool accepted = restorer.SetChunk(kProgram, chunk);
        const std::vector<float> restored = ParameterValues(restorer);
        const std::vector<std::uint8_t> again = restorer.GetChunk(kProgram);
        if ((!accepted || !BitEqual(values, restored) || again != chunk) && budget.Spend()) {
            ADD_FAILURE() << "round " << round << ": parameters " << Describe(values)
                          << " saved as a program chunk (" << Describe(chunk)
                          << "); a fresh instance answered " << accepted << " to it, then read "
                          << Describe(restored) << " and saved " << Describe(again);
        }
    }
    Report("state: program chunk round trips", rounds);
}

TEST(StateRoundTrip, ABankChunkWithRenamedPresetsGivesAFreshInstanceEveryPresetExactly) {
    std::mt19937 random(Seed());
    const int rounds = Iterations(10, 200);
    FailureBudget budget;
    for (int round = 0; round < rounds; ++round) {
        PluginHost saver;
        ASSERT_TRUE(LoadAndOpen(saver));
        const EditedBank bank = EditEveryPreset(saver, random);
        ASSERT_FALSE(bank.chunk.empty()) << "effGetChunk(index 0) gave no bank chunk";

        PluginHost restorer;
        ASSERT_TRUE(LoadAndOpen(restorer));
        const bool accepted = restorer.SetChunk(kBank, bank.chunk);
        const std::vector<std::uint8_t> again = restorer.GetChunk(kBank);
        if ((!accepted || again != bank.chunk) && budget.Spend()) {
            ADD_FAILURE() << "round " << round << ": a fresh instance answered " << accepted
                          << " to a bank chunk (" << Describe(bank.chunk) << ") and saved "
                          << Describe(again);
        }
        for (size_t p = 0; p < bank.names.size(); ++p) {
            const std::string name = restorer.ProgramNameIndexed(static_cast<int>(p));
            restorer.SetProgram(static_cast<int>(p));
            const std::vector<float> values = ParameterValues(restorer);
            if ((name != bank.names[p] || !BitEqual(values, bank.presetValues[p])) &&
                budget.Spend()) {
                ADD_FAILURE() << "round " << round << ", preset " << p << ": saved as \""
                              << bank.names[p] << "\" " << Describe(bank.presetValues[p])
                              << ", restored from the bank chunk as \"" << name << "\" "
                              << Describe(values);
            }
        }
    }
    Report("state: bank chunk round trips with renamed presets", rounds);
}

TEST(StateRoundTrip, AudioAfterARestoreEqualsAudioOfAnInstanceThatGotTheValuesByParameters) {
    std::mt19937 random(Seed());
    const int rounds = Iterations(5, 50);
    FailureBudget budget;
    for (int round = 0; round < rounds; ++round) {
        // By setParameter, then by program chunk.
        PluginHost direct;
        ASSERT_TRUE(LoadAndOpen(direct));
        RandomiseParameters(direct, random);
        const std::vector<std::uint8_t> chunk = direct.GetChunk(kProgram);
        const Stream<float> input = Noise(direct);
        const Rendered expected = Render(direct, Path::FloatReplacing, false, input, {512});
        PluginHost restored;
        ASSERT_TRUE(LoadAndOpen(restored));
        restored.SetChunk(kProgram, chunk);
        const Rendered actual = Render(restored, Path::FloatReplacing, false, input, {512});
        const std::string difference = CompareStreams(expected.output, actual.output);
        if (!difference.empty() && budget.Spend()) {
            ADD_FAILURE() << "round " << round << ": values " << Describe(ParameterValues(direct))
                          << " reached by setParameter and by a program chunk render differently: "
                          << difference;
        }

        // By editing presets and switching, then by bank chunk and switching.
        PluginHost edited;
        ASSERT_TRUE(LoadAndOpen(edited));
        const EditedBank bank = EditEveryPreset(edited, random);
        const Rendered bankExpected =
            Render(edited, Offers(edited, Path::Double) ? Path::Double : Path::FloatReplacing,
                   false, input, {512});
        PluginHost bankRestored;
        ASSERT_TRUE(LoadAndOpen(bankRestored));
        bankRestored.SetChunk(kBank, bank.chunk);
        bankRestored.SetProgram(bank.current);
        const Rendered bankActual = Render(
            bankRestored, Offers(bankRestored, Path::Double) ? Path::Double : Path::FloatReplacing,
            false, input, {512});
        const std::string bankDifference = CompareStreams(bankExpected.output, bankActual.output);
        if (!bankDifference.empty() && budget.Spend()) {
            ADD_FAILURE() << "round " << round << ": preset " << bank.current
                          << " reached by editing and by a bank chunk renders differently: "
                          << bankDifference;
        }
    }
    Report("state: audio after restore equals audio after setParameter", rounds * 2L);
}
