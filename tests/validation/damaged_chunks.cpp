#include "tests/validation/damaged_chunks.h"

#include "tests/validation/battery_config.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace battery {

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

} // namespace battery
