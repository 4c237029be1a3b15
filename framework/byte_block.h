// ByteBlock: the byte buffer of presets and state chunks. Values are stored in the machine's byte
// order with no padding; strings as an int32 length followed by the characters, unterminated.
// Reads take a position and answer the next one, or -1 when the value does not lie inside the
// block, so a chain of reads needs one check at its end.
#pragma once

#include "framework/heap_buffer.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

class TextBuffer;

class ByteBlock {
public:
    ByteBlock() : buffer_(4096) {}
    ByteBlock(const ByteBlock&) = delete;
    ByteBlock& operator=(const ByteBlock&) = delete;

    std::int32_t Size() const { return buffer_.Used(); }
    bool Empty() const { return Size() == 0; }
    const unsigned char* Data() const { return buffer_.As<unsigned char>(); }
    unsigned char* Data() { return buffer_.As<unsigned char>(); }

    // Each append answers the new size; when the block cannot grow it keeps its size.
    template <class T>
    std::int32_t Append(const T& value) {
        static_assert(std::is_trivially_copyable<T>::value, "raw bytes only");
        return AppendBytes(&value, static_cast<std::int32_t>(sizeof(T)));
    }
    std::int32_t AppendBytes(const void* bytes, std::int32_t count);
    std::int32_t AppendString(const char* text);

    template <class T>
    std::int32_t Read(T& value, std::int32_t position) const {
        static_assert(std::is_trivially_copyable<T>::value, "raw bytes only");
        return ReadBytes(&value, static_cast<std::int32_t>(sizeof(T)), position);
    }
    // Leaves bytes untouched when the read fails.
    std::int32_t ReadBytes(void* bytes, std::int32_t count, std::int32_t position) const;
    // Reads a length-prefixed string into text, up to its length or its first zero byte; a zero
    // length reads as "". A string that does not lie inside the block, or has a negative length,
    // fails the read (-1) and leaves text as it was.
    std::int32_t ReadString(TextBuffer& text, std::int32_t position) const;

    // Sets the size, zero-filling the bytes beyond the old size. Answers the old size; when memory
    // cannot be had the size stays, so callers copying data in check Size() afterwards.
    std::int32_t ResizeZeroed(std::int32_t size);
    void Clear() { buffer_.Resize(0, true); }

private:
    HeapBuffer buffer_;
};
