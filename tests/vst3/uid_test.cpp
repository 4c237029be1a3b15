#include "vst3/uid.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using vst3::Uid;

// The published bytes of IPluginBase's id in each layout, written out by hand.
const unsigned char kPluginBaseBigEndian[16] = {0x22, 0x88, 0x8D, 0xDB, 0x15, 0x6E, 0x45, 0xAE,
                                                0x83, 0x58, 0xB3, 0x48, 0x08, 0x19, 0x06, 0x25};
const unsigned char kPluginBaseCom[16] = {0xDB, 0x8D, 0x88, 0x22, 0x6E, 0x15, 0xAE, 0x45,
                                          0x83, 0x58, 0xB3, 0x48, 0x08, 0x19, 0x06, 0x25};

// IPlugViewContentScaleSupport's published bytes, the same way.
const unsigned char kContentScaleBigEndian[16] = {0x65, 0xED, 0x96, 0x90, 0x8A, 0xC4, 0x45, 0x25,
                                                  0x8A, 0xAD, 0xEF, 0x7A, 0x72, 0xEA, 0x70, 0x3F};
const unsigned char kContentScaleCom[16] = {0x90, 0x96, 0xED, 0x65, 0xC4, 0x8A, 0x25, 0x45,
                                            0x8A, 0xAD, 0xEF, 0x7A, 0x72, 0xEA, 0x70, 0x3F};

std::string Bytes(const Uid& id) {
    return std::string(id.bytes, 16);
}
std::string Bytes(const unsigned char* bytes) {
    return std::string(reinterpret_cast<const char*>(bytes), 16);
}

TEST(Vst3Ids, EachLayoutGivesThePublishedBytes) {
    const Uid big = vst3::MakeUid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625, false);
    const Uid com = vst3::MakeUid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625, true);
    EXPECT_EQ(Bytes(big), Bytes(kPluginBaseBigEndian));
    EXPECT_EQ(Bytes(com), Bytes(kPluginBaseCom));
}

TEST(Vst3Ids, ThisBuildUsesItsPlatformsLayout) {
#if defined(_WIN32)
    const unsigned char* expected = kPluginBaseCom;
#else
    const unsigned char* expected = kPluginBaseBigEndian;
#endif
    const unsigned char* contentScale =
        vst3::kComIdLayout ? kContentScaleCom : kContentScaleBigEndian;
    EXPECT_EQ(Bytes(vst3::IPluginBase::iid), Bytes(expected));
    EXPECT_EQ(Bytes(vst3::IPlugViewContentScaleSupport::iid), Bytes(contentScale));
    EXPECT_TRUE(vst3::IsUid(reinterpret_cast<const char*>(expected), vst3::IPluginBase::iid));
    EXPECT_FALSE(vst3::IsUid(nullptr, vst3::IPluginBase::iid));
    // FUnknown's id reads the same in both layouts.
    const unsigned char unknown[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
    EXPECT_EQ(Bytes(vst3::FUnknown::iid), Bytes(unknown));
}

TEST(Vst3Ids, TextFormIsTheFourWordsOnEveryPlatform) {
    EXPECT_EQ(vst3::UidText(vst3::IPluginBase::iid), "22888DDB156E45AE8358B34808190625");
    Uid parsed{};
    ASSERT_TRUE(vst3::UidFromText("22888ddb156e45ae8358b34808190625", &parsed));
    EXPECT_EQ(Bytes(parsed), Bytes(vst3::IPluginBase::iid));
    ASSERT_TRUE(vst3::UidFromText(vst3::UidText(vst3::IEditController::iid), &parsed));
    EXPECT_EQ(Bytes(parsed), Bytes(vst3::IEditController::iid));
}

TEST(Vst3Ids, MalformedTextIsRefusedAndLeavesTheIdAlone) {
    const char* bad[] = {"", "22888DDB156E45AE8358B3480819062", "22888DDB156E45AE8358B348081906255",
                         "22888DDB-56E45AE8358B34808190625", "G2888DDB156E45AE8358B34808190625"};
    for (const char* text : bad) {
        Uid id = vst3::FUnknown::iid;
        EXPECT_FALSE(vst3::UidFromText(text, &id)) << text;
        EXPECT_EQ(Bytes(id), Bytes(vst3::FUnknown::iid)) << text;
    }
}

} // namespace
