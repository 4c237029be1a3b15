#include "framework/time_stamp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Process-wide, overwritten by each call; only the construction trace reads it.
char stamp[32];

} // namespace

const char* TimeStampTextAt(std::time_t now) {
    const std::tm* shared = std::localtime(&now);
    if (shared == nullptr) {
        stamp[0] = '\0';
        return stamp;
    }
    const std::tm local = *shared; // gmtime reuses the same storage
    shared = std::gmtime(&now);
    if (shared == nullptr) {
        stamp[0] = '\0';
        return stamp;
    }
    const std::tm utc = *shared;
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y%m%d %H:%M ", &local);
    int minutes = (local.tm_hour * 60 + local.tm_min) - (utc.tm_hour * 60 + utc.tm_min);
    if (local.tm_yday != utc.tm_yday) {
        int days = local.tm_yday - utc.tm_yday;
        // Across a new year the day numbers jump by a whole year's length.
        if (days >= 2) {
            days = -1;
        } else if (days <= -2) {
            days = 1;
        }
        minutes += days * 1440;
    }
    const int offset = std::abs(minutes);
    std::snprintf(stamp, sizeof stamp, "%.*s%c%02d%02d", static_cast<int>(length), text,
                  minutes >= 0 ? '+' : '-', offset / 60 % 100, offset % 60);
    return stamp;
}

const char* TimeStampText() {
    return TimeStampTextAt(std::time(nullptr));
}
