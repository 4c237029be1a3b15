// PendingParams: which parameters changed since the audio thread last looked. Writers on any
// thread store a parameter's new value and then mark it here; the audio thread takes the marks at
// the start of a block and lets the effect derive its processing values from them, so those
// values are touched by one thread only and nobody waits for anybody.
//
// A writer that changes several values as one state (a preset, a state chunk) holds a
// PendingParams::Publishing for the whole change: the audio thread leaves the marks for a later
// block while one is held, so it does not derive half of the old and half of the new state.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

class PendingParams {
public:
    explicit PendingParams(int count);
    PendingParams(const PendingParams&) = delete;
    PendingParams& operator=(const PendingParams&) = delete;

    // Any thread, after the value is stored. Indexes outside the list are ignored.
    void Mark(int index);
    void MarkAll();

    // Audio thread (or a request the host never overlaps with processing): calls apply(index) for
    // each marked parameter in ascending order and clears its mark first, so a value stored
    // meanwhile is marked again. Nothing is taken while a multi-value change is being published.
    template <typename Apply>
    void TakeEach(Apply apply) {
        if (publishers_.load(std::memory_order_acquire) != 0) {
            return;
        }
        for (int w = 0; w < WordCount(); ++w) {
            std::uint64_t bits = words_[w].exchange(0, std::memory_order_acq_rel);
            for (int bit = 0; bits != 0; ++bit, bits >>= 1) {
                if ((bits & 1u) != 0) {
                    apply(w * 64 + bit);
                }
            }
        }
    }

    // Holds back the audio thread's TakeEach while several values change together.
    class Publishing {
    public:
        explicit Publishing(PendingParams& pending) : pending_(pending) {
            pending_.publishers_.fetch_add(1, std::memory_order_acq_rel);
        }
        ~Publishing() { pending_.publishers_.fetch_sub(1, std::memory_order_acq_rel); }
        Publishing(const Publishing&) = delete;
        Publishing& operator=(const Publishing&) = delete;

    private:
        PendingParams& pending_;
    };

private:
    int WordCount() const { return (count_ + 63) / 64; }

    int count_;
    std::unique_ptr<std::atomic<std::uint64_t>[]> words_;
    std::atomic<int> publishers_{0};
};
