#include "editor/win32/file_filter.h"

#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

// The pattern must fit twice with three terminators: (Capacity - 3) / 2 characters.
FileFilter::FileFilter(const char* extensions) {
    constexpr int PatternRoom = (Capacity - 3) / 2;
    const char* cursor = extensions != nullptr ? extensions : "";
    bool first = true;
    while (*cursor != '\0') {
        while (IsBlank(*cursor)) {
            ++cursor;
        }
        const char* start = cursor;
        while (*cursor != '\0' && !IsBlank(*cursor)) {
            ++cursor;
        }
        const int length = static_cast<int>(cursor - start);
        if (length == 0) {
            break;
        }
        if (first && length < ExtensionCapacity) {
            std::memcpy(extension_, start, static_cast<size_t>(length));
        }
        first = false;
        const int separator = patternLength_ > 0 ? 1 : 0;
        if (patternLength_ + separator + 2 + length > PatternRoom) {
            break;
        }
        if (separator != 0) {
            filter_[patternLength_++] = ';';
        }
        filter_[patternLength_++] = '*';
        filter_[patternLength_++] = '.';
        std::memcpy(filter_ + patternLength_, start, static_cast<size_t>(length));
        patternLength_ += length;
    }
    // Description, terminator, pattern, terminator, final terminator (the array is zeroed).
    if (patternLength_ > 0) {
        std::memcpy(filter_ + patternLength_ + 1, filter_, static_cast<size_t>(patternLength_));
    }
}
