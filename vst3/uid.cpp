#include "vst3/uid.h"

#include <cstring>

namespace vst3 {

namespace {

// Where byte `byteInWord` (most significant first) of word `word` sits in this platform's layout.
int ByteIndex(int word, int byteInWord) {
    static const int kCom[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    const int big = word * 4 + byteInWord;
    return kComIdLayout ? kCom[big] : big;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

bool IsUid(const char* bytes, const Uid& id) {
    return bytes != nullptr && std::memcmp(bytes, id.bytes, sizeof(id.bytes)) == 0;
}

std::string UidText(const Uid& id) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int word = 0; word < 4; ++word) {
        for (int byte = 0; byte < 4; ++byte) {
            const auto value = static_cast<unsigned char>(id.bytes[ByteIndex(word, byte)]);
            text += kDigits[value >> 4];
            text += kDigits[value & 0xF];
        }
    }
    return text;
}

bool UidFromText(const std::string& text, Uid* id) {
    if (text.size() != 32) {
        return false;
    }
    Uid parsed{};
    for (int i = 0; i < 16; ++i) {
        const int high = HexValue(text[static_cast<size_t>(2 * i)]);
        const int low = HexValue(text[static_cast<size_t>(2 * i + 1)]);
        if (high < 0 || low < 0) {
            return false;
        }
        parsed.bytes[ByteIndex(i / 4, i % 4)] = static_cast<char>(high * 16 + low);
    }
    *id = parsed;
    return true;
}

} // namespace vst3
