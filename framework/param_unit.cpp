#include "framework/param_unit.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

const char* SkipBlanks(const char* text) {
    while (IsBlank(*text)) {
        ++text;
    }
    return text;
}

} // namespace

bool SplitQuantity(const char* text, double& number, char* word, int wordSize) {
    if (text == nullptr || word == nullptr || wordSize <= 0) {
        return false;
    }
    const char* begin = SkipBlanks(text);
    char* end = nullptr;
    number = std::strtod(begin, &end);
    if (end == begin || std::isnan(number)) {
        return false;
    }
    return TrimText(end, word, wordSize);
}

bool TrimText(const char* text, char* out, int outSize) {
    if (text == nullptr || out == nullptr || outSize <= 0) {
        return false;
    }
    const char* begin = SkipBlanks(text);
    std::size_t length = std::strlen(begin);
    while (length > 0 && IsBlank(begin[length - 1])) {
        --length;
    }
    if (length >= static_cast<std::size_t>(outSize)) {
        return false;
    }
    std::memcpy(out, begin, length);
    out[length] = '\0';
    return true;
}

bool SameWord(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b))) {
            return false;
        }
    }
    return *a == *b;
}
