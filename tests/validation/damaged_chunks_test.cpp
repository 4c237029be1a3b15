// Chunks no plug-in should trust: empty, missing, cut short at every length, megabytes of noise,
// another plug-in's state, a version from the future, sizes no host sends. Each must get a defined
// answer (0 or 1), leave parameters a host can read, and leave an instance that still works.
#include "tests/validation/battery_host.h"
#include "tests/validation/block_render.h"
#include "tests/validation/damaged_chunks.h"
#include "tests/validation/plugin_state.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

using namespace battery;

namespace {

constexpr VstInt32 kProgramIndex = 1;
constexpr VstInt32 kBankIndex = 0;

struct Verdict {
    VstIntPtr answer = 0;
    std::string unusable; // the answer is not 0 or 1, a parameter is outside 0..1, audio fails...
    std::string changedOnNo; // the answer was 0 but the state changed
};

// The valid chunks the damaged ones are made from: an instance with edited values and names.
struct ValidChunks {
    std::vector<std::uint8_t> program;
    std::vector<std::uint8_t> bank;
    std::vector<float> programValues;
};

ValidChunks MakeValidChunks() {
    ValidChunks chunks;
    PluginHost host;
    if (!LoadAndOpen(host)) {
        return chunks;
    }
    std::mt19937 random(Seed() + 7);
    for (int p = 0; p < host.Effect()->numPrograms; ++p) {
        host.SetProgram(p);
        RandomiseParameters(host, random);
        std::string name = RandomName(random, 20);
        host.Dispatch(effSetProgramName, 0, 0, name.data());
    }
    chunks.programValues = ParameterValues(host);
    chunks.program = host.GetChunk(true);
    chunks.bank = host.GetChunk(false);
    return chunks;
}

// Sends the chunk and judges what the instance answers and becomes.
Verdict Judge(PluginHost& host, VstInt32 index, BadChunk& chunk, const ValidChunks& valid) {
    Verdict verdict;
    const ObservedState before = Observe(host);
    void* data = chunk.nullData ? nullptr : chunk.bytes.data();
    verdict.answer = host.Dispatch(effSetChunk, index, chunk.size, data);
    const ObservedState after = Observe(host);
    if (verdict.answer != 0 && verdict.answer != 1) {
        verdict.unusable = "the answer " + std::to_string(verdict.answer) + " is neither 0 nor 1";
    }
    for (size_t i = 0; i < after.values.size() && verdict.unusable.empty(); ++i) {
        if (!(after.values[i] >= 0.f && after.values[i] <= 1.f)) {
            verdict.unusable =
                "parameter " + std::to_string(i) + " reads " + Describe(after.values[i]);
        }
    }
    if (verdict.answer == 0) {
        verdict.changedOnNo = Difference(before, after);
    }
    if (verdict.unusable.empty()) {
        const Stream<float> input =
            MakeSignal(Signal::Noise, host.Effect()->numInputs, 256, 44100.0, Seed());
        const std::string problem = Render(host, Path::FloatReplacing, false, input, {256}).problem;
        if (!problem.empty()) {
            verdict.unusable = "the next block: " + problem;
        }
    }
    if (verdict.unusable.empty()) {
        // The instance must still take a good chunk and restore it exactly.
        const bool taken = host.SetChunk(true, valid.program);
        const std::vector<float> values = ParameterValues(host);
        if (!taken || !BitEqual(values, valid.programValues)) {
            verdict.unusable = "a valid program chunk afterwards was answered " +
                               std::to_string(taken) + " and gave " + Describe(values) +
                               " instead of " + Describe(valid.programValues);
        }
    }
    return verdict;
}

const char* Kind(VstInt32 index) {
    return index == kBankIndex ? "bank" : "program";
}

} // namespace

TEST(DamagedChunks, EveryDamagedChunkGetsADefinedAnswerAndLeavesAWorkingInstance) {
    const ValidChunks valid = MakeValidChunks();
    ASSERT_FALSE(valid.program.empty() || valid.bank.empty()) << "no valid chunks to damage";
    std::mt19937 random(Seed());
    FailureBudget budget;
    long sent = 0;
    for (VstInt32 index : {kProgramIndex, kBankIndex}) {
        PluginHost host;
        ASSERT_TRUE(LoadAndOpen(host));
        std::vector<BadChunk> chunks =
            BadChunks(index == kBankIndex ? valid.bank : valid.program, random);
        // A chunk of another kind is damage too.
        chunks.push_back(
            {std::string("a valid ") + (index == kBankIndex ? "program" : "bank") + " chunk",
             index == kBankIndex ? valid.program : valid.bank, 0});
        chunks.back().size = static_cast<VstIntPtr>(chunks.back().bytes.size());
        for (BadChunk& chunk : chunks) {
            const Verdict verdict = Judge(host, index, chunk, valid);
            ++sent;
            if (!verdict.unusable.empty() && budget.Spend()) {
                ADD_FAILURE() << "effSetChunk(" << Kind(index) << ", " << chunk.name
                              << ") answered " << verdict.answer << ": " << verdict.unusable;
            }
        }
    }
    Report("state: damaged chunks (empty, null, cut at every length, changed bytes, random runs, "
           "3 x 1 MiB random, foreign, future version, poisoned values)",
           sent);
}

TEST(DamagedChunks, AChunkAnsweredWithZeroChangesNothing) {
    const ValidChunks valid = MakeValidChunks();
    ASSERT_FALSE(valid.program.empty() || valid.bank.empty()) << "no valid chunks to damage";
    std::mt19937 random(Seed());
    FailureBudget budget;
    long refused = 0;
    for (VstInt32 index : {kProgramIndex, kBankIndex}) {
        PluginHost host;
        ASSERT_TRUE(LoadAndOpen(host));
        std::vector<BadChunk> chunks =
            BadChunks(index == kBankIndex ? valid.bank : valid.program, random);
        for (BadChunk& chunk : chunks) {
            // Start each from a state unlike the chunk's, so a partial load shows.
            RandomiseParameters(host, random);
            const Verdict verdict = Judge(host, index, chunk, valid);
            if (verdict.answer != 0) {
                continue;
            }
            ++refused;
            if (!verdict.changedOnNo.empty() && budget.Spend()) {
                ADD_FAILURE() << "effSetChunk(" << Kind(index) << ", " << chunk.name
                              << ") answered 0 but " << verdict.changedOnNo;
            }
        }
    }
    Report("state: refused chunks leave the state as it was", refused);
}

TEST(DamagedChunks, SizesNoHostSendsAreRefused) {
    const ValidChunks valid = MakeValidChunks();
    ASSERT_FALSE(valid.program.empty()) << "no valid chunk";
    PluginHost host;
    ASSERT_TRUE(LoadAndOpen(host));
    std::mt19937 random(Seed());
    std::vector<std::uint8_t> huge = Random(random, (16u << 20) + 4096);
    std::memcpy(huge.data(), valid.program.data(), valid.program.size());
    for (VstInt32 index : {kProgramIndex, kBankIndex}) {
        const ObservedState before = Observe(host);
        const VstIntPtr answer =
            host.Dispatch(effSetChunk, index, static_cast<VstIntPtr>(huge.size()), huge.data());
        const ObservedState after = Observe(host);
        EXPECT_EQ(answer, 0) << "effSetChunk(" << Kind(index) << ") with " << huge.size()
                             << " bytes (over 16 MiB) answered " << answer;
        EXPECT_EQ(Difference(before, after), "") << "effSetChunk(" << Kind(index) << ") with "
                                                 << huge.size() << " bytes changed the state";
    }
    Report("state: chunks over 16 MiB", 2);
}
