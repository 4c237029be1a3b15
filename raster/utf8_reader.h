// Reads the text of the glyph path one character at a time. Sequences of two and three bytes give
// their code; a four-byte sequence reads as one space (no glyph beyond 0xFFFF is cached); any
// other byte, malformed or cut short, stands for itself. Overlong forms are not refused: they only
// select another cached glyph.
#pragma once

#include <cstdint>

class Utf8Reader {
public:
    // count -1 (any negative) reads up to the terminating 0; a count stops after that many bytes
    // too, and no sequence is read past it. Null text reads as empty.
    Utf8Reader(const char* text, int count);

    // The next character's code, or false at the end of the text.
    bool Next(int& code);

private:
    // Whether the n bytes after the current one are continuation bytes within the count.
    bool Continues(int n) const;

    const unsigned char* at_;
    int64_t remaining_; // bytes left within the count, -1 for no limit
};
