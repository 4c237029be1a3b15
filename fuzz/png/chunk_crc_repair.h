// Rewrites the CRC of every complete chunk of a PNG stream, so mutated chunk contents get past
// the checksum and reach the decoding paths behind it.
#pragma once

#include <cstdint>
#include <vector>

void RepairChunkCrcs(std::vector<uint8_t>& png);
