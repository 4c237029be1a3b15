// Host identification: turning the host's product string and vendor version into the numbers the
// base keeps.
#pragma once

#include <cstdint>

// The host type number for a product string, by keyword, case-insensitively; 0 when no keyword
// matches or the text is empty or null.
int LookUpHost(const char* productText);

// Packs a vendor version written major * 10000 + minor * 100 + patch as 0xMMMMmmpp.
std::int32_t PackHostVersion(std::int32_t vendorVersion);
