// TextBuffer: a terminated character string kept in a HeapBuffer of granularity 128. The empty
// text is either no allocation or a single zero byte.
#pragma once

#include "framework/heap_buffer.h"

#include <cstdint>

class TextBuffer {
public:
    TextBuffer() : buffer_(128) {}
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    // Writes length characters of source at offset and ends the text after them. A source that
    // points into this text's own block is followed when the block moves. Negative lengths or
    // offsets, and sizes that do not fit 32 bits, change nothing.
    void WriteAt(std::int32_t offset, const char* source, std::int32_t length);
    // The whole text becomes a copy of text (null counts as "").
    void Set(const char* text);
    // Formats at most maximumLength characters; a longer result is cut.
    void PrintInto(std::int32_t maximumLength, const char* format, ...)
        __attribute__((format(printf, 3, 4)));

    // Never null: "" when nothing is allocated.
    const char* Text() const;
    std::int32_t Length() const;
    bool Empty() const { return Length() == 0; }
    // Bytes in use, the terminator included (0 when nothing was ever set).
    std::int32_t Used() const { return buffer_.Used(); }

private:
    HeapBuffer buffer_;
};
