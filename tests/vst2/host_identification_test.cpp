// Host identification at open: which calls reach the host, and how often.
#include "vst2_test_support.h"

namespace {

std::vector<VstInt32> Opcodes(const std::vector<HostCall>& calls) {
    std::vector<VstInt32> opcodes;
    for (const HostCall& call : calls) {
        opcodes.push_back(call.opcode);
    }
    return opcodes;
}

} // namespace

TEST(HostIdentification, CreationMakesNoCallToTheHost) {
    PluginHost host;
    ASSERT_TRUE(host.Load(TestPluginPath()));
    EXPECT_TRUE(host.Calls().empty());
}

TEST(HostIdentification, OpenAsksForTheProductThenTheVendorVersionOnce) {
    PluginHost host;
    host.SetProductString("REAPER");
    host.SetVendorVersion(70000);
    ASSERT_TRUE(host.Load(TestPluginPath()));
    host.Dispatch(effOpen);
    const std::vector<HostCall> calls = host.Calls();
    EXPECT_EQ(Opcodes(calls),
              (std::vector<VstInt32>{audioMasterGetProductString, audioMasterGetVendorVersion}));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0].ptr != nullptr, true);
    host.ClearCalls();
    host.Dispatch(effOpen); // a second open does not ask again
    EXPECT_TRUE(host.Calls().empty());
}

TEST(HostIdentification, AnEmptyProductStringSkipsTheVersionAndIsNotAskedAgain) {
    PluginHost host;
    host.SetProductString("");
    ASSERT_TRUE(host.Load(TestPluginPath()));
    host.Dispatch(effOpen);
    EXPECT_EQ(Opcodes(host.Calls()), (std::vector<VstInt32>{audioMasterGetProductString}));
    host.ClearCalls();
    host.Dispatch(effOpen);
    EXPECT_TRUE(host.Calls().empty());
}

TEST(HostIdentification, HostsThatGetAStereoLimitKeepTwoChannelsEachWay) {
    for (const char* product : {"Forte 4", "Adobe Audition", "Orion", "SAWStudio", "Cubase"}) {
        PluginHost host;
        host.SetProductString(product);
        ASSERT_TRUE(host.Load(TestPluginPath()));
        host.Open(44100.0, 64);
        EXPECT_EQ(host.Effect()->numInputs, 2) << product;
        EXPECT_EQ(host.Effect()->numOutputs, 2) << product;
        AudioBuffers<float> in(2, 64), out(2, 64);
        FillSignal(in);
        host.SetParameter(4, 0.0f);
        ASSERT_TRUE(host.ProcessFloat(in, out));
        EXPECT_EQ(out.At(1, 5), in.At(1, 5)) << product;
    }
}

TEST(HostTraffic, AudioAndParameterTrafficMakeNoHostCalls) {
    PluginHost host;
    ASSERT_TRUE(host.Load(TestPluginPath()));
    host.Open(44100.0, 64);
    host.ClearCalls();
    AudioBuffers<float> in(2, 64), out(2, 64);
    AudioBuffers<double> inD(2, 64), outD(2, 64);
    host.ProcessFloat(in, out);
    host.ProcessFloat(in, out, ProcessMode::Accumulating);
    host.ProcessDouble(inD, outD);
    host.SetParameter(1, 0.3f);
    host.GetParameter(1);
    host.SetProgram(2);
    host.GetChunk(false);
    EXPECT_TRUE(host.Calls().empty());
}
