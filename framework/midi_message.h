// The base's MIDI records, independent of any host interface.
#pragma once

#include <cstdint>

struct MidiMessage {
    std::int32_t offset = 0; // frames from the start of the current block
    std::uint8_t status = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
};

struct SysExMessage {
    std::int32_t offset = 0;    // frames from the start of the current block
    std::int32_t size = 0;      // bytes
    const char* data = nullptr; // owned by the caller
};
