#include "tests/vst3/vst3_test_support.h"
#include "vst3/realtime_counters_interface.h"
#include "vst3/uid.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

using namespace vst3;

// The class id the bundle registers, as scanners print it.
const char kClassIdText[] = "74B2ACC7E68B4A59B9E0443D4CC1C54A";

TEST(Vst3Bundle, TheFactoryDescribesOneDynamicsEffectByQuillmoss) {
    Vst3Module module;
    ASSERT_TRUE(module.Open(BundlePath())) << module.Error();
    IPluginFactory* factory = module.Factory();
    PFactoryInfo info{};
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "quillmoss");
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);
    ASSERT_EQ(factory->countClasses(), 1);
    void* found = nullptr;
    ASSERT_EQ(factory->queryInterface(IPluginFactory2::iid.bytes, &found), kResultOk);
    auto* factory2 = static_cast<IPluginFactory2*>(found);
    PClassInfo2 cls{};
    ASSERT_EQ(factory2->getClassInfo2(0, &cls), kResultOk);
    factory2->release();
    EXPECT_STREQ(cls.category, "Audio Module Class");
    EXPECT_STREQ(cls.name, "Crescenda");
    EXPECT_STREQ(cls.subCategories, "Fx|Dynamics");
    EXPECT_STREQ(cls.vendor, "quillmoss");
    EXPECT_STREQ(cls.version, "1.0.0");
    EXPECT_EQ(cls.cardinality, PClassInfo::kManyInstances);
    Uid cid{};
    std::memcpy(cid.bytes, cls.cid, 16);
    EXPECT_EQ(UidText(cid), kClassIdText);
    EXPECT_NE(factory->getClassInfo(1, reinterpret_cast<PClassInfo*>(&cls)), kResultOk);
    // Unknown class ids make nothing.
    void* made = &found;
    EXPECT_EQ(factory->createInstance(IComponent::iid.bytes, IComponent::iid.bytes, &made),
              kNoInterface);
    EXPECT_EQ(made, nullptr);
    module.Close();
    EXPECT_EQ(module.FactoryReleaseCount(), 0u);
}

TEST_F(LoadedBundle, TheComponentAnswersExactlyItsInterfacesAndIsItsOwnController) {
    EXPECT_TRUE(host.SingleComponent());
    const Uid offered[] = {FUnknown::iid,        IPluginBase::iid,     IComponent::iid,
                           IAudioProcessor::iid, IEditController::iid, IUnitInfo::iid};
    const Uid refused[] = {IPluginFactory::iid,
                           IConnectionPoint::iid,
                           IPlugView::iid,
                           IProcessContextRequirements::iid,
                           IBStream::iid,
                           IComponentHandler::iid,
                           IPlugViewContentScaleSupport::iid,
                           IRealtimeCounters::iid, // the counting test build's alone
                           MakeUid(1, 2, 3, 4)};
    for (const Uid& id : offered) {
        void* obj = nullptr;
        EXPECT_EQ(host.Component()->queryInterface(id.bytes, &obj), kResultOk) << UidText(id);
        ASSERT_NE(obj, nullptr);
        static_cast<FUnknown*>(obj)->release();
    }
    for (const Uid& id : refused) {
        void* obj = &host;
        EXPECT_EQ(host.Component()->queryInterface(id.bytes, &obj), kNoInterface) << UidText(id);
        EXPECT_EQ(obj, nullptr);
    }
}

// The bundle's moduleinfo.json says what the loaded factory says: each "key": value pair is looked
// for with the value the factory gives at run time (the file's JSON syntax is checked by jq).
TEST(Vst3Bundle, TheModuleInfoFileDescribesWhatTheFactoryReports) {
    std::ifstream file(BundlePath() + "/Contents/Resources/moduleinfo.json");
    ASSERT_TRUE(file.good());
    std::stringstream text;
    text << file.rdbuf();
    const std::string json = text.str();
    Vst3Module module;
    ASSERT_TRUE(module.Open(BundlePath())) << module.Error();
    void* found = nullptr;
    ASSERT_EQ(module.Factory()->queryInterface(IPluginFactory2::iid.bytes, &found), kResultOk);
    auto* factory = static_cast<IPluginFactory2*>(found);
    PFactoryInfo info{};
    PClassInfo2 cls{};
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    ASSERT_EQ(factory->getClassInfo2(0, &cls), kResultOk);
    factory->release();
    Uid cid{};
    std::memcpy(cid.bytes, cls.cid, 16);
    auto quoted = [](const std::string& value) { return "\"" + value + "\""; };
    auto flag = [&](int32 bit) { return (info.flags & bit) != 0 ? "true" : "false"; };
    const std::pair<const char*, std::string> pairs[] = {
        {"Vendor", quoted(info.vendor)},
        {"URL", quoted(info.url)},
        {"E-Mail", quoted(info.email)},
        {"Unicode", flag(PFactoryInfo::kUnicode)},
        {"Classes Discardable", flag(PFactoryInfo::kClassesDiscardable)},
        {"Component Non Discardable", flag(PFactoryInfo::kComponentNonDiscardable)},
        {"CID", quoted(UidText(cid))},
        {"Category", quoted(cls.category)},
        {"Name", quoted(cls.name)},
        {"Version", quoted(cls.version)},
        {"SDKVersion", quoted(cls.sdkVersion)},
        {"Class Flags", std::to_string(cls.classFlags)},
        {"Cardinality", std::to_string(cls.cardinality)},
        {"Sub Categories", "[\"Fx\", \"Dynamics\"]"},
    };
    for (const auto& [key, value] : pairs) {
        EXPECT_NE(json.find(quoted(key) + ": " + value), std::string::npos) << key << " " << value;
    }
    EXPECT_STREQ(cls.subCategories, "Fx|Dynamics");
    EXPECT_EQ(json.find("\"CID\"", json.find("\"CID\"") + 1), std::string::npos); // one class
    module.Close();
}

TEST(Vst3Bundle, EveryReferenceIsGivenBackAtUnload) {
    Vst3PluginHost host;
    ASSERT_TRUE(host.Load(BundlePath())) << host.LastError();
    ASSERT_TRUE(host.Start(48000.0, 256));
    MemoryStream stream;
    ASSERT_EQ(host.Component()->getState(&stream), kResultOk);
    ParameterChanges changes;
    changes.Add(3, 0, 0.25);
    AudioBuffers<float> in(2, 256), out(2, 256);
    EXPECT_EQ(host.Process(in, out, 256, &changes), kResultOk);
    host.Unload();
    ASSERT_FALSE(host.FinalReleaseCounts().empty());
    EXPECT_EQ(host.FinalReleaseCounts().back(), 0u); // the instance is gone
    EXPECT_EQ(host.FactoryReleaseCount(), 0u);
    EXPECT_EQ(host.Handler().References(), 1u);
    EXPECT_EQ(host.Application().References(), 1u);
    EXPECT_EQ(stream.References(), 1u);
    EXPECT_TRUE(changes.AllReleased());
}

} // namespace
