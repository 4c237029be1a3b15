// Chunks no plug-in should trust: empty, missing, cut short at every length, megabytes of noise,
// another plug-in's state, a version from the future, sizes no host sends. Each must get a defined
// answer (0 or 1), leave parameters a host can read, and leave an instance that still works.
#include "tests/validation/battery_host.h"
#include "tests/validation/block_render.h"
#include "tests/validation/plugin_state.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

using namespace battery;

namespace {

constexpr VstInt32 kProgramIndex = 1;
constexpr VstInt32 kBankIndex = 0;

struct BadChunk {
    std::string name;
    std::vector<std::uint8_t> bytes;
    VstIntPtr size = 0; // what the host claims
    bool nullData = false;
};

struct Verdict {
    VstIntPtr answer = 0;
    std::string unusable; // the answer is not 0 or 1, a parameter is outside 0..1, audio fails...
    std::string changedOnNo; // the answer was 0 but the state changed
};

std::vector<std::uint8_t> Random(std::mt19937& random, size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

void PutInt32(std::vector<std::uint8_t>& bytes, size_t at, std::int32_t value) {
    if (bytes.size() >= at + 4) {
        std::memcpy(bytes.data() + at, &value, 4);
    }
}

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

std::vector<BadChunk> BadChunks(const std::vector<std::uint8_t>& valid, std::mt19937& random) {
    std::vector<BadChunk> chunks;
    chunks.push_back({"size 0", std::vector<std::uint8_t>(16, 0), 0});
    chunks.push_back({"null data claiming 48 bytes", {}, 48, true});
    chunks.push_back({"null data claiming 0 bytes", {}, 0, true});
    chunks.push_back({"size -1", valid, -1});
    chunks.push_back({"size -4096", valid, -4096});
    for (size_t length = 0; length < valid.size(); ++length) {
        std::vector<std::uint8_t> cut(valid.begin(), valid.begin() + static_cast<long>(length));
        chunks.push_back({"the valid chunk cut to " + std::to_string(length) + " of " +
                              std::to_string(valid.size()) + " bytes",
                          cut, static_cast<VstIntPtr>(length)});
    }
    for (int i = 0; i < 3; ++i) {
        chunks.push_back(
            {"1 MiB of random bytes #" + std::to_string(i + 1), Random(random, 1 << 20), 1 << 20});
    }
    // The valid chunk with a few random bytes changed, and short runs of random bytes.
    for (int i = 0; i < Iterations(50, 2000); ++i) {
        std::vector<std::uint8_t> flipped = valid;
        for (int k = 0; k < 1 + static_cast<int>(random() % 4u) && !flipped.empty(); ++k) {
            flipped[random() % flipped.size()] = static_cast<std::uint8_t>(random());
        }
        chunks.push_back({"the valid chunk with bytes changed (#" + std::to_string(i + 1) + ")",
                          flipped, static_cast<VstIntPtr>(flipped.size())});
        const std::vector<std::uint8_t> noise = Random(random, 1 + random() % (2 * valid.size()));
        chunks.push_back(
            {std::to_string(noise.size()) + " random bytes (#" + std::to_string(i + 1) + ")", noise,
             static_cast<VstIntPtr>(noise.size())});
    }
    // Another plug-in's state: a preset file wrapping an opaque chunk, and an XML state.
    std::vector<std::uint8_t> foreign = {'C', 'c', 'n', 'K', 0, 0, 1,   0,   'F', 'P',
                                         'C', 'h', 0,   0,   0, 1, 'X', 'y', 'z', '1',
                                         0,   0,   0,   1,   0, 0, 0,   3};
    const std::vector<std::uint8_t> opaque = Random(random, 300);
    foreign.insert(foreign.end(), opaque.begin(), opaque.end());
    chunks.push_back(
        {"another plug-in's preset-file chunk", foreign, static_cast<VstIntPtr>(foreign.size())});
    const std::string xml = "<?xml version=\"1.0\"?><state plugin=\"other\"><param id=\"gain\" "
                            "value=\"0.75\"/><param id=\"mix\" value=\"NaN\"/></state>";
    chunks.push_back({"another plug-in's XML state",
                      {xml.begin(), xml.end()},
                      static_cast<VstIntPtr>(xml.size())});
    for (std::int32_t version : {0x00020000, 0x7FFFFFFF, -1, 0}) {
        std::vector<std::uint8_t> future = valid;
        PutInt32(future, 4, version);
        char name[64];
        std::snprintf(name, sizeof name, "the valid chunk with version 0x%08x",
                      static_cast<unsigned>(version));
        chunks.push_back({name, future, static_cast<VstIntPtr>(future.size())});
    }
    // The valid chunk with every double replaced by NaN, infinity or a huge value.
    for (double poison : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300}) {
        std::vector<std::uint8_t> poisoned = valid;
        for (size_t at = 8; at + 8 <= poisoned.size() && valid.size() <= 64; at += 8) {
            std::memcpy(poisoned.data() + at, &poison, 8);
        }
        if (valid.size() <= 64) {
            chunks.push_back({"the valid chunk with every value " + std::to_string(poison),
                              poisoned, static_cast<VstIntPtr>(poisoned.size())});
        }
    }
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
