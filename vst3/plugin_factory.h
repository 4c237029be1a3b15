// The factory GetPluginFactory hands out: one audio-effect class, described from the effect's
// identity, whose instances the effect's creator makes. Each GetPluginFactory call adds a
// reference; the last release deletes the factory, and the next call makes a new one.
#pragma once

#include "framework/plugin_core.h"
#include "vst3/interface_query.h"

namespace vst3 {

struct ClassEntry {
    Uid cid;
    PluginIdentity identity;
    const char* subCategories; // e.g. "Fx|Dynamics"
    // A new instance holding one reference, or null.
    FUnknown* (*create)();
};

class PluginFactory final : public IPluginFactory2 {
public:
    // The factory for `entry`, with a reference for the caller (UI thread).
    static PluginFactory* Acquire(const ClassEntry& entry);
    // Live factories (0 or 1): for the module exit's check and tests.
    static int LiveCount();

    tresult queryInterface(const TUID id, void** obj) override;
    uint32 addRef() override { return count_.Add(); }
    uint32 release() override;
    tresult getFactoryInfo(PFactoryInfo* info) override;
    int32 countClasses() override { return 1; }
    tresult getClassInfo(int32 index, PClassInfo* info) override;
    tresult createInstance(FIDString cid, FIDString interfaceId, void** obj) override;
    tresult getClassInfo2(int32 index, PClassInfo2* info) override;

private:
    explicit PluginFactory(const ClassEntry& entry) : entry_(entry) {}

    ClassEntry entry_;
    RefCount count_;
};

// The packed version 0xMMMMmmpp as "major.minor.patch".
void VersionText(std::int32_t packed, char* text, int size);

} // namespace vst3
