// The damaged state chunks the batteries send: empty, missing, cut short at every length,
// changed bytes, random runs, megabytes of noise, another plug-in's state, a version from the
// future and poisoned values, each made from a valid chunk.
#pragma once

#include "vst2/vst2_abi.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace battery {

struct BadChunk {
    std::string name;
    std::vector<std::uint8_t> bytes;
    VstIntPtr size = 0; // what the host claims
    bool nullData = false;
};

std::vector<std::uint8_t> Random(std::mt19937& random, size_t size);
void PutInt32(std::vector<std::uint8_t>& bytes, size_t at, std::int32_t value);

// Every damaged form of `valid`; sizes no host sends (negative, null data) are marked as such.
std::vector<BadChunk> BadChunks(const std::vector<std::uint8_t>& valid, std::mt19937& random);

} // namespace battery
