#include "framework/host_lookup.h"

#include <gtest/gtest.h>
#include <string>

TEST(HostLookup, WellKnownProductStringsGiveTheirNumbersInAnyCase) {
    EXPECT_EQ(LookUpHost("REAPER"), 1);
    EXPECT_EQ(LookUpHost("Cubase 12"), 3);
    EXPECT_EQ(LookUpHost("Steinberg Nuendo"), 4);
    EXPECT_EQ(LookUpHost("Ableton Live 11"), 9);
    EXPECT_EQ(LookUpHost("reaper"), 1);
    EXPECT_EQ(LookUpHost("aRdOuR"), 28);
}

TEST(HostLookup, TheFirstKeywordOfTheTableWins) {
    EXPECT_EQ(LookUpHost("Digital Performer"), 23);
    EXPECT_EQ(LookUpHost("Logic Pro"), 21);
    EXPECT_EQ(LookUpHost("Logic Live"), 9);
    EXPECT_EQ(LookUpHost("Cubase Live"), 3);
}

TEST(HostLookup, HostsThatLimitToStereoHaveTheirNumbers) {
    EXPECT_EQ(LookUpHost("Forte"), 15);
    EXPECT_EQ(LookUpHost("Adobe Audition"), 17);
    EXPECT_EQ(LookUpHost("Orion"), 18);
    EXPECT_EQ(LookUpHost("SAWStudio"), 20);
}

TEST(HostLookup, UnknownEmptyAndNullProductsGiveZero) {
    EXPECT_EQ(LookUpHost("Some Host"), 0);
    EXPECT_EQ(LookUpHost(""), 0);
    EXPECT_EQ(LookUpHost(nullptr), 0);
}

TEST(HostLookup, OnlyTheFirstTwoHundredFiftyFiveCharactersAreSearched) {
    EXPECT_EQ(LookUpHost((std::string(252, 'x') + "live").c_str()), 0);
    EXPECT_EQ(LookUpHost((std::string(251, 'x') + "live").c_str()), 9);
}

TEST(HostVersion, VendorVersionsArePackedAsMajorMinorPatch) {
    EXPECT_EQ(PackHostVersion(5102), 0x00003302);
    EXPECT_EQ(PackHostVersion(120304), 0x000C0304);
    EXPECT_EQ(PackHostVersion(0), 0);
    EXPECT_EQ(PackHostVersion(-5), 0);
}
