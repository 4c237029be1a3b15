#include "framework/host_lookup.h"

#include <gtest/gtest.h>
#include <string>

TEST(HostLookup, EveryKeywordOfTheTableGivesItsFixedNumberUnderItsName) {
    struct Row {
        const char* keyword;
        HostTypeNumber name;
        int number;
    };
    // The numbers are the published identifiers, written here independently of the enum.
    const Row table[] = {
        {"cubase", HostCubase, 3},
        {"reaper", HostReaper, 1},
        {"nuendo", HostNuendo, 4},
        {"cakewalk", HostCakewalk, 5},
        {"samplitude", HostSamplitude, 8},
        {"fruity", HostFruity, 7},
        {"live", HostLive, 9},
        {"melodyne", HostMelodyne, 12},
        {"vstmanlib", HostVstManLib, 13},
        {"aulab", HostAuLab, 14},
        {"garageband", HostGarageBand, 22},
        {"forte", HostForte, 15},
        {"chainer", HostChainer, 16},
        {"audition", HostAudition, 17},
        {"orion", HostOrion, 18},
        {"sawstudio", HostSawStudio, 20},
        {"logic", HostLogic, 21},
        {"digital", HostDigital, 23},
        {"audiomulch", HostAudioMulch, 25},
        {"presonus", HostPreSonus, 26},
        {"vst3plugintesthost", HostVst3PluginTestHost, 27},
        {"protools", HostProTools, 2},
        {"ardour", HostArdour, 28},
        {"standalone", HostStandalone, 24},
    };
    for (const Row& row : table) {
        EXPECT_EQ(row.name, row.number) << row.keyword;
        EXPECT_EQ(LookUpHost(row.keyword), row.number) << row.keyword;
    }
    EXPECT_EQ(HostUnknown, 0);
    EXPECT_EQ(HostNotAsked, -1);
}

TEST(HostLookup, ProductStringsAreSearchedInAnyCase) {
    EXPECT_EQ(LookUpHost("REAPER"), HostReaper);
    EXPECT_EQ(LookUpHost("Cubase 12"), HostCubase);
    EXPECT_EQ(LookUpHost("Steinberg Nuendo"), HostNuendo);
    EXPECT_EQ(LookUpHost("Ableton Live 11"), HostLive);
    EXPECT_EQ(LookUpHost("aRdOuR"), HostArdour);
}

TEST(HostLookup, TheFirstKeywordOfTheTableWins) {
    EXPECT_EQ(LookUpHost("Digital Performer"), HostDigital);
    EXPECT_EQ(LookUpHost("Logic Pro"), HostLogic);
    EXPECT_EQ(LookUpHost("Logic Live"), HostLive);
    EXPECT_EQ(LookUpHost("Cubase Live"), HostCubase);
}

TEST(HostLookup, UnknownEmptyAndNullProductsGiveUnknown) {
    EXPECT_EQ(LookUpHost("Some Host"), HostUnknown);
    EXPECT_EQ(LookUpHost(""), HostUnknown);
    EXPECT_EQ(LookUpHost(nullptr), HostUnknown);
}

TEST(HostLookup, OnlyTheFirstTwoHundredFiftyFiveCharactersAreSearched) {
    EXPECT_EQ(LookUpHost((std::string(252, 'x') + "live").c_str()), HostUnknown);
    EXPECT_EQ(LookUpHost((std::string(251, 'x') + "live").c_str()), HostLive);
}

TEST(HostVersion, VendorVersionsArePackedAsMajorMinorPatch) {
    EXPECT_EQ(PackHostVersion(5102), 0x00003302);
    EXPECT_EQ(PackHostVersion(120304), 0x000C0304);
    EXPECT_EQ(PackHostVersion(0), 0);
    EXPECT_EQ(PackHostVersion(-5), 0);
}
