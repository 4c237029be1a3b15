#include "framework/host_lookup.h"

#include <cstring>

namespace {

struct HostKeyword {
    const char* keyword;
    int hostType;
};

// Searched in order, so the first keyword found in the product string wins. The numbers are fixed
// identifiers, not positions.
constexpr HostKeyword HostKeywords[] = {
    {"cubase", 3},      {"reaper", 1},      {"nuendo", 4},
    {"cakewalk", 5},    {"samplitude", 8},  {"fruity", 7},
    {"live", 9},        {"melodyne", 12},   {"vstmanlib", 13},
    {"aulab", 14},      {"garageband", 22}, {"forte", 15},
    {"chainer", 16},    {"audition", 17},   {"orion", 18},
    {"sawstudio", 20},  {"logic", 21},      {"digital", 23},
    {"audiomulch", 25}, {"presonus", 26},   {"vst3plugintesthost", 27},
    {"protools", 2},    {"ardour", 28},     {"standalone", 24},
};

} // namespace

int LookUpHost(const char* productText) {
    if (productText == nullptr) {
        return 0;
    }
    // Only the first 255 characters take part, as the product buffer holds no more.
    char lowered[256];
    std::size_t length = 0;
    for (; length < sizeof lowered - 1 && productText[length] != '\0'; ++length) {
        const char c = productText[length];
        lowered[length] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    lowered[length] = '\0';
    for (const HostKeyword& entry : HostKeywords) {
        if (std::strstr(lowered, entry.keyword) != nullptr) {
            return entry.hostType;
        }
    }
    return 0;
}

std::int32_t PackHostVersion(std::int32_t vendorVersion) {
    if (vendorVersion < 0) {
        return 0;
    }
    const std::int32_t major = vendorVersion / 10000;
    const std::int32_t minor = (vendorVersion - major * 10000) / 100;
    const std::int32_t patch = vendorVersion - major * 10000 - minor * 100;
    // Unsigned so that an absurd major number wraps instead of overflowing.
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(major) << 16) +
                                     (static_cast<std::uint32_t>(minor) << 8) +
                                     static_cast<std::uint32_t>(patch));
}
