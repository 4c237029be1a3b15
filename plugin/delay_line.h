// DelayLine: the last `length` input samples of one channel, oldest first. It is stored as a
// ring with room for one more block of up to `maxBlock` samples, so a block can be written before
// its delayed samples are read (which keeps in-place processing exact) and nothing is shifted.
#pragma once

#include <cstddef>
#include <vector>

class DelayLine {
public:
    // A contiguous run of stored samples; a read returns at most two.
    struct Run {
        const double* samples;
        int count;
    };

    DelayLine(int length, int maxBlock);

    // Appends m samples (any m ≥ 0; only the newest ones are kept). audio thread
    void Write(const double* block, int m);

    // The `count` samples that start `back` samples before the end of what was written, in
    // stream order, as up to two runs (second.count may be 0). Needs count ≤ back ≤ Capacity().
    void Read(int back, int count, Run& first, Run& second) const;

    // samples[i] of the oldest-first view: 0 ≤ i < Length(), Length() − 1 being the newest.
    double Sample(int i) const;

    int Length() const { return length_; }
    int Capacity() const { return static_cast<int>(ring_.size()); }

private:
    int length_;
    std::vector<double> ring_; // power-of-two size, all 0.0 at first
    std::size_t mask_;
    std::size_t head_ = 0; // where the next sample goes
};
