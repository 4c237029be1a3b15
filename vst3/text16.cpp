#include "vst3/text16.h"

namespace vst3 {

namespace {

// The next code point of UTF-8 `text` at `i`, moving `i` past it; '?' for a malformed sequence.
char32_t NextCodePoint(const unsigned char* text, int& i) {
    const unsigned char lead = text[i++];
    if (lead < 0x80) {
        return lead;
    }
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0) {
        return U'?';
    }
    char32_t code = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if ((text[i] & 0xC0) != 0x80) {
            return U'?';
        }
        code = (code << 6) | (text[i++] & 0x3F);
    }
    return code;
}

// Appends `code` as UTF-8 when it fits in the `size - 1` bytes before the terminator.
bool PutUtf8(char32_t code, char* out, int& used, int size) {
    char bytes[3];
    int count = 0;
    if (code < 0x80) {
        bytes[count++] = static_cast<char>(code);
    } else if (code < 0x800) {
        bytes[count++] = static_cast<char>(0xC0 | (code >> 6));
        bytes[count++] = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        bytes[count++] = static_cast<char>(0xE0 | (code >> 12));
        bytes[count++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        bytes[count++] = static_cast<char>(0x80 | (code & 0x3F));
    }
    if (used + count > size - 1) {
        return false;
    }
    for (int k = 0; k < count; ++k) {
        out[used++] = bytes[k];
    }
    return true;
}

} // namespace

void ToUtf16(const char* text, char16* out, int capacity) {
    int used = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");
    for (int i = 0; bytes[i] != 0 && used < capacity - 1;) {
        const char32_t code = NextCodePoint(bytes, i);
        out[used++] = code > 0xFFFF ? u'?' : static_cast<char16>(code);
    }
    out[used] = 0;
}

void ToUtf8(const char16* text, int maxUnits, char* out, int size) {
    int used = 0;
    for (int i = 0; text != nullptr && i < maxUnits && text[i] != 0; ++i) {
        const char32_t unit = text[i];
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        if (!PutUtf8(surrogate ? U'?' : unit, out, used, size)) {
            break;
        }
    }
    out[used] = 0;
}

} // namespace vst3
