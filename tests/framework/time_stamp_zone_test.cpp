#include "framework/time_stamp.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace {

// Sets the process's zone for one test and puts the old one back.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone) {
        const char* old = std::getenv("TZ");
        hadZone_ = old != nullptr;
        if (hadZone_) {
            oldZone_ = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneScope() {
        if (hadZone_) {
            setenv("TZ", oldZone_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    bool hadZone_ = false;
    std::string oldZone_;
};

std::time_t Utc(int year, int month, int day, int hour, int minute) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    return timegm(&fields);
}

} // namespace

TEST(TimeStampZone, AZoneTwoHoursAheadShowsLocalTimeAndPlusTwo) {
    ZoneScope zone("XST-2");
    EXPECT_STREQ(TimeStampTextAt(Utc(2026, 12, 8, 5, 38)), "20261208 07:38 +0200");
}

TEST(TimeStampZone, LocalNewYearsEveBehindUtcCountsTheDayBack) {
    ZoneScope zone("EST5");
    // 04:30 UTC on 1 January is 23:30 on 31 December five hours behind.
    EXPECT_STREQ(TimeStampTextAt(Utc(2027, 1, 1, 4, 30)), "20261231 23:30 -0500");
}

TEST(TimeStampZone, LocalNewYearAheadOfUtcCountsTheDayForward) {
    ZoneScope zone("XST-9");
    EXPECT_STREQ(TimeStampTextAt(Utc(2026, 12, 31, 20, 15)), "20270101 05:15 +0900");
}

TEST(TimeStampZone, HalfHourZonesAndAnOrdinaryDayChangeAreExact) {
    ZoneScope zone("IST-5:30");
    EXPECT_STREQ(TimeStampTextAt(Utc(2026, 6, 10, 20, 0)), "20260611 01:30 +0530");
    ZoneScope west("NST3:30");
    EXPECT_STREQ(TimeStampTextAt(Utc(2026, 6, 11, 1, 0)), "20260610 21:30 -0330");
}

TEST(TimeStampZone, UtcItselfShowsPlusZero) {
    ZoneScope zone("UTC0");
    EXPECT_STREQ(TimeStampTextAt(Utc(2026, 3, 1, 0, 0)), "20260301 00:00 +0000");
}
