#include "vst3/plugin_factory.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>

namespace vst3 {

namespace {

const char kCategory[] = "Audio Module Class";
const char kSdkVersion[] = "VST 3.7.14";

std::mutex& FactoryLock() {
    static std::mutex lock;
    return lock;
}
PluginFactory* gFactory = nullptr;

template <size_t N>
void CopyField(char (&field)[N], const char* text) {
    std::snprintf(field, N, "%s", text != nullptr ? text : "");
}

} // namespace

void VersionText(std::int32_t packed, char* text, int size) {
    const auto bits = static_cast<std::uint32_t>(packed);
    std::snprintf(text, static_cast<size_t>(size), "%u.%u.%u", bits >> 16, (bits >> 8) & 0xFF,
                  bits & 0xFF);
}

PluginFactory* PluginFactory::Acquire(const ClassEntry& entry) {
    std::lock_guard<std::mutex> hold(FactoryLock());
    if (gFactory == nullptr) {
        gFactory = new (std::nothrow) PluginFactory(entry);
        return gFactory; // its count starts at the caller's one
    }
    gFactory->addRef();
    return gFactory;
}

int PluginFactory::LiveCount() {
    std::lock_guard<std::mutex> hold(FactoryLock());
    return gFactory != nullptr ? 1 : 0;
}

uint32 PluginFactory::release() {
    std::lock_guard<std::mutex> hold(FactoryLock());
    const uint32 left = count_.Drop();
    if (left == 0) {
        gFactory = nullptr;
        delete this;
    }
    return left;
}

tresult PluginFactory::queryInterface(const TUID id, void** obj) {
    return AnswerQuery<Offer<FUnknown>, Offer<IPluginFactory>, Offer<IPluginFactory2>>(this, id,
                                                                                       obj);
}

tresult PluginFactory::getFactoryInfo(PFactoryInfo* info) {
    if (info == nullptr) {
        return kInvalidArgument;
    }
    *info = {};
    CopyField(info->vendor, entry_.identity.makerName);
    info->flags = PFactoryInfo::kUnicode;
    return kResultOk;
}

tresult PluginFactory::getClassInfo(int32 index, PClassInfo* info) {
    if (index != 0 || info == nullptr) {
        return kInvalidArgument;
    }
    *info = {};
    std::memcpy(info->cid, entry_.cid.bytes, sizeof(info->cid));
    info->cardinality = PClassInfo::kManyInstances;
    CopyField(info->category, kCategory);
    CopyField(info->name, entry_.identity.effectName);
    return kResultOk;
}

tresult PluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
    PClassInfo basic{};
    if (info == nullptr || getClassInfo(index, &basic) != kResultOk) {
        return kInvalidArgument;
    }
    *info = {};
    std::memcpy(info->cid, basic.cid, sizeof(info->cid));
    info->cardinality = basic.cardinality;
    CopyField(info->category, basic.category);
    CopyField(info->name, basic.name);
    CopyField(info->subCategories, entry_.subCategories);
    CopyField(info->vendor, entry_.identity.makerName);
    VersionText(entry_.identity.version, info->version, sizeof(info->version));
    CopyField(info->sdkVersion, kSdkVersion);
    return kResultOk;
}

tresult PluginFactory::createInstance(FIDString cid, FIDString interfaceId, void** obj) {
    if (obj == nullptr) {
        return kInvalidArgument;
    }
    *obj = nullptr;
    if (!IsUid(cid, entry_.cid)) {
        return kNoInterface;
    }
    FUnknown* instance = entry_.create();
    if (instance == nullptr) {
        return kOutOfMemory;
    }
    const tresult result = instance->queryInterface(interfaceId, obj);
    instance->release(); // the caller's reference is the one the query took
    return result;
}

} // namespace vst3
