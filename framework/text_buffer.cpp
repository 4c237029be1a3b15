#include "framework/text_buffer.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

void TextBuffer::WriteAt(std::int32_t offset, const char* source, std::int32_t length) {
    if (length == 0) {
        if (offset == 0 && buffer_.Resize(1, false) != nullptr) {
            buffer_.As<char>()[0] = '\0';
        }
        return;
    }
    if (length < 0 || offset < 0) {
        return;
    }
    const std::int64_t wanted = std::int64_t{offset} + length + 1;
    if (wanted > INT32_MAX) {
        return;
    }
    const std::int32_t needed = static_cast<std::int32_t>(wanted);
    const std::int32_t previousUsed = buffer_.Used();
    if (previousUsed < needed) {
        const char* oldBlock = buffer_.As<char>();
        const bool sourceInside = source != nullptr && oldBlock != nullptr && source >= oldBlock &&
                                  source < oldBlock + previousUsed;
        const std::ptrdiff_t sourceOffset = sourceInside ? source - oldBlock : 0;
        buffer_.Resize(needed, false);
        if (buffer_.Used() < needed) {
            return;
        }
        if (sourceInside) {
            source = buffer_.As<char>() + sourceOffset;
        }
        // Bytes between the old end and the offset would otherwise be uninitialised memory.
        if (offset > previousUsed) {
            std::memset(buffer_.As<char>() + previousUsed, 0,
                        static_cast<std::size_t>(offset - previousUsed));
        }
    }
    char* text = buffer_.As<char>();
    if (source != nullptr) {
        std::memmove(text + offset, source, static_cast<std::size_t>(length));
    }
    text[offset + length] = '\0';
    if (needed < previousUsed) {
        buffer_.Resize(needed, false);
    }
}

void TextBuffer::Set(const char* text) {
    const std::size_t length = text != nullptr ? std::strlen(text) : 0;
    if (length > static_cast<std::size_t>(INT32_MAX - 1)) {
        return;
    }
    WriteAt(0, text, static_cast<std::int32_t>(length));
}

void TextBuffer::PrintInto(std::int32_t maximumLength, const char* format, ...) {
    if (maximumLength < 0 || maximumLength == INT32_MAX) {
        return;
    }
    const std::int32_t room = maximumLength + 1;
    buffer_.Resize(room, false);
    if (buffer_.Used() != room) {
        return;
    }
    char* text = buffer_.As<char>();
    va_list arguments;
    va_start(arguments, format);
    const int printed = std::vsnprintf(text, static_cast<std::size_t>(room), format, arguments);
    va_end(arguments);
    // An error leaves nothing trustworthy; a result that did not fit is cut at the maximum.
    const std::int32_t length = printed < 0 ? 0 : std::min<std::int32_t>(printed, maximumLength);
    text[length] = '\0';
    buffer_.Resize(length + 1, false);
}

const char* TextBuffer::Text() const {
    return buffer_.Used() > 0 ? buffer_.As<const char>() : "";
}

std::int32_t TextBuffer::Length() const {
    return static_cast<std::int32_t>(std::strlen(Text()));
}
