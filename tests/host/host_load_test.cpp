#include "host/plugin_host.h"
#include "tests/host/test_plugin_requests.h"

#include <algorithm>
#include <gtest/gtest.h>

TEST(HostLoading, AMissingBinaryFailsWithAReason) {
    PluginHost host;
    EXPECT_FALSE(host.Load(ExecutableDirectory() + "/no_such_plugin" + SharedLibrarySuffix()));
    EXPECT_FALSE(host.LastError().empty());
    EXPECT_EQ(host.Effect(), nullptr);
    EXPECT_EQ(host.Dispatch(effGetVstVersion), 0);
}

TEST(HostLoading, AnExportTheBinaryLacksFails) {
    PluginHost host;
    EXPECT_FALSE(host.Load(TestPluginPath(), "NoSuchEntryPoint"));
    EXPECT_NE(host.LastError().find("NoSuchEntryPoint"), std::string::npos);
    EXPECT_EQ(host.Effect(), nullptr);
}

TEST(HostLoading, EitherExportCreatesAWorkingInstance) {
    for (const char* entry : {"VSTPluginMain", "main"}) {
        PluginHost host;
        ASSERT_TRUE(host.Load(TestPluginPath(), entry)) << entry << ": " << host.LastError();
        EXPECT_EQ(host.Effect()->magic, kEffectMagic);
        EXPECT_EQ(host.Effect()->numParams, 2);
        EXPECT_EQ(host.EffectName(), "Host Test Effect");
    }
}

TEST(HostLoading, APluginAskingTheVersionWhileConstructedIsAnswered2400) {
    // The test effect refuses to exist unless audioMasterVersion answers 2400 during its entry
    // point, before the host could have set the record's user field.
    PluginHost host;
    ASSERT_TRUE(host.Load(TestPluginPath())) << host.LastError();
    const auto calls = host.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().opcode, audioMasterVersion);
    EXPECT_EQ(calls.front().answer, 2400);
}

TEST(HostLoading, CloseEndsTheInstanceAndLaterCallsAreHarmless) {
    PluginHost host;
    ASSERT_TRUE(host.Load(TestPluginPath())) << host.LastError();
    ASSERT_TRUE(host.Open(48000.0, 256));
    host.Close();
    EXPECT_EQ(host.Effect(), nullptr);
    EXPECT_EQ(host.Dispatch(effGetProgram), 0);
    EXPECT_EQ(host.GetParameter(0), 0.f);
    AudioBuffers<float> io(2, 16);
    EXPECT_FALSE(host.ProcessFloatInPlace(io));
}

TEST(HostLoading, LoadingAgainReplacesTheFirstInstance) {
    PluginHost host;
    ASSERT_TRUE(host.Load(TestPluginPath())) << host.LastError();
    host.Open();
    host.SetParameter(0, 0.75f);
    ASSERT_TRUE(host.Load(TestPluginPath())) << host.LastError();
    EXPECT_EQ(host.GetParameter(0), 0.5f);
}

TEST(HostLoading, AUnixStylePathNamesTheSameBinaryUnderWine) {
    // Under Wine the Unix root is drive Z:, and tools get Unix paths from a Unix shell.
    std::string path = TestPluginPath();
    if (path.rfind("Z:\\", 0) == 0) {
        path = path.substr(2);
        std::replace(path.begin(), path.end(), '\\', '/');
    }
    ASSERT_EQ(path.front(), '/');
    PluginHost host;
    EXPECT_TRUE(host.Load(path)) << path << ": " << host.LastError();
}
