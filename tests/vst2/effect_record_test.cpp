// The effect record a host receives from either export.
#include "vst2_test_support.h"

#include <cstring>

namespace {

// The editor flag is left out: the test plug-in has no editor, and the effect binary announces
// one where its window class can open windows (tests/editor and tests/editor_window check it).
void ExpectRecordOfTheEffect(const AEffect& effect) {
    EXPECT_EQ(effect.magic, kEffectMagic);
    EXPECT_EQ(effect.numPrograms, 6);
    EXPECT_EQ(effect.numParams, 5);
    EXPECT_EQ(effect.numInputs, 2);
    EXPECT_EQ(effect.numOutputs, 2);
    EXPECT_EQ(effect.flags & ~effFlagsHasEditor,
              effFlagsCanReplacing | effFlagsCanDoubleReplacing | effFlagsCanMono);
    EXPECT_EQ(effect.version, 10000);
    EXPECT_EQ(effect.uniqueID, 0x4372736E); // 'Crsn'
    EXPECT_EQ(effect.initialDelay, 0);
    EXPECT_FLOAT_EQ(effect.ioRatio, 1.0f);
    EXPECT_NE(effect.dispatcher, nullptr);
    EXPECT_NE(effect.process, nullptr);
    EXPECT_NE(effect.processReplacing, nullptr);
    EXPECT_NE(effect.processDoubleReplacing, nullptr);
    EXPECT_NE(effect.setParameter, nullptr);
    EXPECT_NE(effect.getParameter, nullptr);
    EXPECT_NE(effect.object, nullptr);
    EXPECT_EQ(effect.resvd1, 0);
    EXPECT_EQ(effect.resvd2, 0);
    EXPECT_EQ(effect.realQualities, 0);
    EXPECT_EQ(effect.offQualities, 0);
}

} // namespace

TEST(EffectRecord, TheTestPluginAnnouncesTheEffectsRecord) {
    PluginHost host;
    ASSERT_TRUE(host.Load(TestPluginPath(), "VSTPluginMain")) << host.LastError();
    ExpectRecordOfTheEffect(*host.Effect());
    EXPECT_EQ(host.Effect()->flags & effFlagsHasEditor, 0);
}

TEST(EffectRecord, TheEffectBinaryAnnouncesItsRecord) {
    if (!FileExists(DefaultPluginPath())) {
        GTEST_SKIP() << "the effect binary is not built yet";
    }
    PluginHost host;
    ASSERT_TRUE(host.Load(DefaultPluginPath(), "VSTPluginMain")) << host.LastError();
    ExpectRecordOfTheEffect(*host.Effect());
}

TEST(EffectRecord, BothExportsGiveEquivalentInstances) {
    for (const std::string& path : {TestPluginPath(), DefaultPluginPath()}) {
        if (!FileExists(path)) {
            continue;
        }
        PluginHost viaMain;
        PluginHost viaPluginMain;
        ASSERT_TRUE(viaMain.Load(path, "main")) << viaMain.LastError();
        ASSERT_TRUE(viaPluginMain.Load(path, "VSTPluginMain")) << viaPluginMain.LastError();
        const AEffect& a = *viaMain.Effect();
        const AEffect& b = *viaPluginMain.Effect();
        EXPECT_NE(&a, &b);
        EXPECT_EQ(a.magic, b.magic);
        EXPECT_EQ(a.flags, b.flags);
        EXPECT_EQ(a.numPrograms, b.numPrograms);
        EXPECT_EQ(a.numParams, b.numParams);
        EXPECT_EQ(a.uniqueID, b.uniqueID);
        EXPECT_EQ(a.version, b.version);
        EXPECT_EQ(a.dispatcher, b.dispatcher);
        EXPECT_EQ(a.processReplacing, b.processReplacing);
        viaMain.Open();
        viaPluginMain.Open();
        EXPECT_EQ(viaMain.GetChunk(false), viaPluginMain.GetChunk(false));
        EXPECT_EQ(viaMain.GetChunk(true), viaPluginMain.GetChunk(true));
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(viaMain.ParamName(i), viaPluginMain.ParamName(i));
        }
    }
}

TEST(EffectRecord, EachInstanceHasItsOwnRecordAndState) {
    PluginHost first;
    PluginHost second;
    ASSERT_TRUE(first.Load(TestPluginPath()));
    ASSERT_TRUE(second.Load(TestPluginPath()));
    EXPECT_NE(first.Effect(), second.Effect());
    first.SetParameter(3, 0.25f);
    EXPECT_FLOAT_EQ(first.GetParameter(3), 0.25f);
    EXPECT_FLOAT_EQ(second.GetParameter(3), 0.5f);
}

TEST(EffectRecord, OpeningTellsTheEffectOfEveryParameter) {
    PluginHost host;
    ASSERT_TRUE(host.Load(TestPluginPath()));
    EXPECT_EQ(host.Effect()->initialDelay, 0); // nothing derived before effOpen
    host.Dispatch(effOpen);
    EXPECT_EQ(host.Effect()->initialDelay, 750); // Depth 0.75 in the test effect
}
