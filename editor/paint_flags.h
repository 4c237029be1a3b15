// PaintFlags: a control's dirty and repaint-pending flags in one atomic word. A host thread raises
// them (with no lock held) while the window thread reads and settles them at its tick
// without any lock; every change is a single read-modify-write, so none can undo another.
#pragma once

#include <atomic>
#include <cstdint>

class PaintFlags {
public:
    bool Dirty() const { return (bits_.load(std::memory_order_acquire) & DirtyBit) != 0; }
    bool RepaintPending() const {
        return (bits_.load(std::memory_order_acquire) & PendingBit) != 0;
    }

    // Release: whoever sees the flag also sees the value stored before it was raised.
    void RaiseDirty() { bits_.fetch_or(DirtyBit, std::memory_order_acq_rel); }
    void RaiseRepaintPending() { bits_.fetch_or(PendingBit, std::memory_order_acq_rel); }

    // dirty := repaint pending; repaint pending := false, as one step, so a flag raised by
    // another thread meanwhile is never overwritten by a stale one.
    void Settle() {
        std::uint32_t old = bits_.load(std::memory_order_relaxed);
        while (!bits_.compare_exchange_weak(old, (old & PendingBit) != 0 ? DirtyBit : 0u,
                                            std::memory_order_acq_rel, std::memory_order_relaxed)) {
        }
    }

private:
    static constexpr std::uint32_t DirtyBit = 1;
    static constexpr std::uint32_t PendingBit = 2;

    std::atomic<std::uint32_t> bits_{DirtyBit}; // a new control is painted at the first repaint
};
