#include "framework/time_stamp.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>

// The shape holds in any zone: "YYYYMMDD HH:MM +hhmm".
TEST(TimeStamp, TheCurrentStampHasDateTimeAndZoneOffset) {
    const std::string stamp = TimeStampText();
    ASSERT_EQ(stamp.size(), 20u) << stamp;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 12, 13, 16, 17, 18, 19}) {
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(stamp[i]))) << stamp;
    }
    EXPECT_EQ(stamp[8], ' ');
    EXPECT_EQ(stamp[11], ':');
    EXPECT_EQ(stamp[14], ' ');
    EXPECT_TRUE(stamp[15] == '+' || stamp[15] == '-') << stamp;
}
