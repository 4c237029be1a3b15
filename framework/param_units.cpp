#include "framework/param_units.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int WordSize = 8; // room for any unit word these units read

void Write(char* text, int size, const char* format, int decimals, double value) {
    if (text != nullptr && size > 0) {
        std::snprintf(text, static_cast<std::size_t>(size), format, decimals, value);
    }
}

void WriteWord(char* text, int size, const char* word) {
    if (text != nullptr && size > 0) {
        std::snprintf(text, static_cast<std::size_t>(size), "%s", word);
    }
}

// The value as the display would round it at that many decimals.
double Rounded(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return std::strtod(text, nullptr);
}

} // namespace

void OnOffUnit::Format(double plain, char* text, int size) const {
    WriteWord(text, size, plain < 0.5 ? "off" : "on");
}

bool OnOffUnit::Parse(const char* text, double& plain) const {
    char word[WordSize];
    double number = 0.0;
    if (SplitQuantity(text, number, word, WordSize)) {
        plain = number; // 1 and 0; other numbers lie outside the switch's range
        return word[0] == '\0';
    }
    if (!TrimText(text, word, WordSize) || !(SameWord(word, "on") || SameWord(word, "off"))) {
        return false;
    }
    plain = SameWord(word, "on") ? 1.0 : 0.0;
    return true;
}

void PercentUnit::Format(double plain, char* text, int size) const {
    const double percent = plain * 100.0;
    Write(text, size, "%.*f", 1, Rounded(percent, 1) == 0.0 ? 0.0 : percent); // never "-0.0"
}

bool PercentUnit::Parse(const char* text, double& plain) const {
    char word[WordSize];
    double number = 0.0;
    if (!SplitQuantity(text, number, word, WordSize) || (word[0] != '\0' && !SameWord(word, "%"))) {
        return false;
    }
    plain = number / 100.0;
    return true;
}

// The band is chosen on the value as it will be shown, so a shown text read back lands in the
// same band and shows the same text again.
void DecadeSecondsUnit::Format(double plain, char* text, int size) const {
    const double seconds = lowest_ * std::pow(10.0, decades_ * plain);
    int decimals = 3;
    if (!(Rounded(seconds, 3) < 0.1)) {
        decimals = Rounded(seconds, 2) < 10.0 ? 2 : 1;
    }
    Write(text, size, "%.*f", decimals, seconds);
}

bool DecadeSecondsUnit::Parse(const char* text, double& plain) const {
    char word[WordSize];
    double seconds = 0.0;
    if (!SplitQuantity(text, seconds, word, WordSize)) {
        return false;
    }
    if (SameWord(word, "ms")) {
        seconds /= 1000.0;
    } else if (word[0] != '\0' && !SameWord(word, "s") && !SameWord(word, "sec")) {
        return false;
    }
    // No time is zero or negative: -infinity lies below every range.
    plain = seconds > 0.0 ? std::log10(seconds / lowest_) / decades_ : -HUGE_VAL;
    return true;
}

void DecibelGainUnit::Format(double plain, char* text, int size) const {
    if (!(plain > 0.0) && !std::isnan(plain)) {
        WriteWord(text, size, "-inf");
        return;
    }
    const double decibels = 20.0 * std::log10(plain);
    if (Rounded(decibels, 1) == 0.0) {
        Write(text, size, "%.*f", 1, 0.0); // unity has no sign
    } else {
        Write(text, size, "%+.*f", 1, decibels);
    }
}

bool DecibelGainUnit::Parse(const char* text, double& plain) const {
    char word[WordSize];
    double decibels = 0.0;
    if (!SplitQuantity(text, decibels, word, WordSize) ||
        (word[0] != '\0' && !SameWord(word, "dB"))) {
        return false;
    }
    plain = std::pow(10.0, decibels / 20.0); // -inf dB is silence, 0
    return true;
}
