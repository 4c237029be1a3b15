#include "plugin/delay_line.h"

#include <algorithm>
#include <cstring>

namespace {
std::size_t PowerOfTwoAtLeast(std::size_t n) {
    std::size_t size = 1;
    while (size < n) {
        size <<= 1;
    }
    return size;
}
} // namespace

DelayLine::DelayLine(int length, int maxBlock)
    : length_(std::max(length, 1)),
      ring_(PowerOfTwoAtLeast(static_cast<std::size_t>(length_) +
                              static_cast<std::size_t>(std::max(maxBlock, 1))),
            0.0),
      mask_(ring_.size() - 1) {}

void DelayLine::Write(const double* block, int m) {
    if (m <= 0) {
        return;
    }
    const std::size_t capacity = ring_.size();
    std::size_t count = static_cast<std::size_t>(m);
    if (count > capacity) { // only the newest `capacity` samples can be kept
        block += count - capacity;
        count = capacity;
    }
    const std::size_t firstPart = std::min(count, capacity - head_);
    std::memcpy(&ring_[head_], block, firstPart * sizeof(double));
    if (count > firstPart) {
        std::memcpy(&ring_[0], block + firstPart, (count - firstPart) * sizeof(double));
    }
    head_ = (head_ + count) & mask_;
}

void DelayLine::Read(int back, int count, Run& first, Run& second) const {
    const std::size_t start = (head_ - static_cast<std::size_t>(back)) & mask_;
    const std::size_t firstPart = std::min(static_cast<std::size_t>(count), ring_.size() - start);
    first = Run{&ring_[start], static_cast<int>(firstPart)};
    second = Run{ring_.data(), count - static_cast<int>(firstPart)};
}

double DelayLine::Sample(int i) const {
    return ring_[(head_ - static_cast<std::size_t>(length_) + static_cast<std::size_t>(i)) & mask_];
}
