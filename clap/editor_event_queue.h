// EditorEventQueue: the editor's gestures and values on their way to the host's output events.
// One producer (the main thread, where the editor runs) and one consumer at a time (process or
// flush; the adapter lets only one take them), so a ring of atomics carries them without a lock.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

struct EditorEvent {
    enum class Kind : std::uint8_t { GestureBegin, Value, GestureEnd };
    Kind kind = Kind::Value;
    std::uint32_t param = 0;
    double value = 0.0; // in the parameter's own units; only for Value
};

class EditorEventQueue {
public:
    // Main thread. False when the ring is full: the event is dropped (a later value of the same
    // parameter carries the state again).
    bool Push(const EditorEvent& event) {
        const std::uint32_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) >= Capacity) {
            return false;
        }
        slots_[tail % Capacity] = event;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Consumer side: the oldest event, or false when there is none.
    bool Pop(EditorEvent& event) {
        const std::uint32_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) {
            return false;
        }
        event = slots_[head % Capacity];
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

    bool Empty() const {
        return head_.load(std::memory_order_acquire) == tail_.load(std::memory_order_acquire);
    }

private:
    static constexpr std::uint32_t Capacity = 512; // a power of two, so the counters may wrap

    std::array<EditorEvent, Capacity> slots_{};
    std::atomic<std::uint32_t> head_{0};
    std::atomic<std::uint32_t> tail_{0};
};
