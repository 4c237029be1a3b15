// PointerList: an ordered list of owned objects, kept as pointers in a HeapBuffer. The list
// deletes its objects; entries may be null.
#pragma once

#include "framework/heap_buffer.h"

#include <cstdint>
#include <cstring>

template <class T>
class PointerList {
public:
    PointerList() : buffer_(4096) {}
    ~PointerList() { DeleteAll(); }
    PointerList(const PointerList&) = delete;
    PointerList& operator=(const PointerList&) = delete;

    std::int32_t Count() const { return buffer_.Used() / static_cast<std::int32_t>(sizeof(T*)); }

    // Null outside the list.
    T* Get(std::int32_t index) const {
        if (index < 0 || index >= Count()) {
            return nullptr;
        }
        return buffer_.As<T*>()[index];
    }

    // Takes ownership. When the list cannot grow the object is deleted and false is answered, so
    // the caller never leaks it.
    bool Append(T* object) { return Insert(Count(), object); }

    // Inserts before the entry at index (index == Count() appends). Takes ownership as Append.
    bool Insert(std::int32_t index, T* object) {
        const std::int32_t count = Count();
        if (index < 0 || index > count || !Grow(count + 1)) {
            delete object;
            return false;
        }
        T** entries = buffer_.As<T*>();
        std::memmove(entries + index + 1, entries + index,
                     static_cast<std::size_t>(count - index) * sizeof(T*));
        entries[index] = object;
        return true;
    }

    // Deletes every object, last first. The allocation stays until the list is destroyed.
    void DeleteAll() {
        for (std::int32_t i = Count() - 1; i >= 0; --i) {
            delete buffer_.As<T*>()[i];
            buffer_.Resize(i * static_cast<std::int32_t>(sizeof(T*)), false);
        }
        buffer_.Resize(0, false);
    }

private:
    bool Grow(std::int32_t count) {
        if (count > INT32_MAX / static_cast<std::int32_t>(sizeof(T*))) {
            return false;
        }
        const std::int32_t bytes = count * static_cast<std::int32_t>(sizeof(T*));
        buffer_.Resize(bytes, false);
        return buffer_.Used() == bytes;
    }

    HeapBuffer buffer_;
};
