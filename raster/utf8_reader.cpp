#include "raster/utf8_reader.h"

Utf8Reader::Utf8Reader(const char* text, int count)
    : at_(reinterpret_cast<const unsigned char*>(text)), remaining_(count < 0 ? -1 : count) {}

bool Utf8Reader::Continues(int n) const {
    if (remaining_ >= 0 && remaining_ <= n) {
        return false;
    }
    // Checked in order: the terminating 0 is no continuation byte, so nothing past it is read.
    for (int i = 1; i <= n; ++i) {
        if ((at_[i] & 0xC0) != 0x80) {
            return false;
        }
    }
    return true;
}

bool Utf8Reader::Next(int& code) {
    if (at_ == nullptr || *at_ == 0 || remaining_ == 0) {
        return false;
    }
    const int first = at_[0];
    int length = 1;
    code = first;
    if (first >= 0xC2 && first <= 0xDF && Continues(1)) {
        code = (first & 0x1F) << 6 | (at_[1] & 0x3F);
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF && Continues(2)) {
        code = (first & 0x0F) << 12 | (at_[1] & 0x3F) << 6 | (at_[2] & 0x3F);
        length = 3;
    } else if (first >= 0xF0 && first <= 0xF4 && Continues(3)) {
        code = 0x20;
        length = 4;
    }
    at_ += length;
    if (remaining_ > 0) {
        remaining_ -= length;
    }
    return true;
}
