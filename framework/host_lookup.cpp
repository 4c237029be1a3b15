#include "framework/host_lookup.h"

#include <cstring>

namespace {

struct HostKeyword {
    const char* keyword;
    HostTypeNumber hostType;
};

// Searched in order, so the first keyword found in the product string wins.
constexpr HostKeyword HostKeywords[] = {
    {"cubase", HostCubase},
    {"reaper", HostReaper},
    {"nuendo", HostNuendo},
    {"cakewalk", HostCakewalk},
    {"samplitude", HostSamplitude},
    {"fruity", HostFruity},
    {"live", HostLive},
    {"melodyne", HostMelodyne},
    {"vstmanlib", HostVstManLib},
    {"aulab", HostAuLab},
    {"garageband", HostGarageBand},
    {"forte", HostForte},
    {"chainer", HostChainer},
    {"audition", HostAudition},
    {"orion", HostOrion},
    {"sawstudio", HostSawStudio},
    {"logic", HostLogic},
    {"digital", HostDigital},
    {"audiomulch", HostAudioMulch},
    {"presonus", HostPreSonus},
    {"vst3plugintesthost", HostVst3PluginTestHost},
    {"protools", HostProTools},
    {"ardour", HostArdour},
    {"standalone", HostStandalone},
};

} // namespace

int LookUpHost(const char* productText) {
    if (productText == nullptr) {
        return HostUnknown;
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
    return HostUnknown;
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
