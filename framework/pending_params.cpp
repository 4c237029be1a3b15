#include "framework/pending_params.h"

PendingParams::PendingParams(int count)
    : count_(count > 0 ? count : 0),
      words_(std::make_unique<std::atomic<std::uint64_t>[]>(static_cast<size_t>(WordCount()))) {
    for (int w = 0; w < WordCount(); ++w) {
        words_[w].store(0, std::memory_order_relaxed);
    }
}

void PendingParams::Mark(int index) {
    if (index < 0 || index >= count_) {
        return;
    }
    words_[index / 64].fetch_or(std::uint64_t{1} << (index % 64), std::memory_order_acq_rel);
}

void PendingParams::MarkAll() {
    for (int index = 0; index < count_; ++index) {
        Mark(index);
    }
}
