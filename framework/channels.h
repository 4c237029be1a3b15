// Channel records of the plug-in base: the accepted input/output configurations and one record
// per input and output channel with its double scratch buffer.
#pragma once

#include "framework/heap_buffer.h"
#include "framework/text_buffer.h"

#include <cstdint>

struct ChannelPair {
    std::int32_t inputs = 0;
    std::int32_t outputs = 0;
};

struct InputChannel {
    bool connected = false;
    double** slot = nullptr;  // this channel's entry in the base's input slots
    HeapBuffer scratch{4096}; // doubles, sized by SetBlockLength
    TextBuffer label;         // reported as the pin name when not empty

    double* Scratch() const { return scratch.As<double>(); }
    // Samples the scratch buffer holds.
    std::int32_t ScratchFrames() const {
        return scratch.Used() / static_cast<std::int32_t>(sizeof(double));
    }
};

struct OutputChannel {
    bool connected = false;
    double** slot = nullptr;          // this channel's entry in the base's output slots
    float* hostDestination = nullptr; // the host's float buffer of the current block
    HeapBuffer scratch{4096};         // doubles, sized by SetBlockLength
    TextBuffer label;

    double* Scratch() const { return scratch.As<double>(); }
    std::int32_t ScratchFrames() const {
        return scratch.Used() / static_cast<std::int32_t>(sizeof(double));
    }
};
