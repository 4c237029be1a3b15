// BlockProcessor: the abstract base of processors that turn a block of doubles into another.
#pragma once

#include <vector>

class BlockProcessor {
public:
    virtual ~BlockProcessor() = default;

    // Processes `count` samples from `input` into `output` (they may be the same buffer).
    virtual void ProcessBlock(const double* input, double* output, int count) = 0;
    // Processes output.size() samples; `input` must hold at least that many.
    virtual void ProcessBlock(const std::vector<double>& input, std::vector<double>& output) = 0;
};
