// Host identification: turning the host's product string and vendor version into the numbers the
// base keeps.
#pragma once

#include <cstdint>

// The host type numbers of the keyword table. They are fixed identifiers, not positions: 6, 10, 11
// and 19 are unused.
enum HostTypeNumber : std::int32_t {
    HostNotAsked = -1, // the host has not been identified yet
    HostUnknown = 0,   // no keyword matched
    HostReaper = 1,
    HostProTools = 2,
    HostCubase = 3,
    HostNuendo = 4,
    HostCakewalk = 5,
    HostFruity = 7,
    HostSamplitude = 8,
    HostLive = 9,
    HostMelodyne = 12,
    HostVstManLib = 13,
    HostAuLab = 14,
    HostForte = 15,
    HostChainer = 16,
    HostAudition = 17,
    HostOrion = 18,
    HostSawStudio = 20,
    HostLogic = 21,
    HostGarageBand = 22,
    HostDigital = 23,
    HostStandalone = 24,
    HostAudioMulch = 25,
    HostPreSonus = 26,
    HostVst3PluginTestHost = 27,
    HostArdour = 28,
};

// The host type number for a product string, by keyword, case-insensitively; HostUnknown when no
// keyword matches or the text is empty or null.
int LookUpHost(const char* productText);

// Packs a vendor version written major * 10000 + minor * 100 + patch as 0xMMMMmmpp.
std::int32_t PackHostVersion(std::int32_t vendorVersion);
