// The context a host passes to initialize(): its name, and no objects of its own to create.
#pragma once

#include "host/vst3/host_object.h"

class HostApplication final : public HostObject<vst3::IHostApplication> {
public:
    vst3::tresult queryInterface(const vst3::TUID id, void** obj) override;
    vst3::tresult getName(vst3::String128 name) override;
    vst3::tresult createInstance(vst3::TUID cid, vst3::TUID interfaceId, void** obj) override;
};
