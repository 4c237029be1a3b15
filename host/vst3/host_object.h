// The base of the test host's VST3 objects. They live as long as the host code that owns them, so
// a release never deletes; the count shows whether the plug-in gave back every reference it took
// (one, the owner's, when it has).
#pragma once

#include "vst3/interface_query.h"

template <typename... Interfaces>
class HostObject : public Interfaces... {
public:
    vst3::uint32 addRef() override { return count_.Add(); }
    vst3::uint32 release() override { return count_.Drop(); }
    vst3::uint32 References() const { return count_.Current(); }

private:
    vst3::RefCount count_;
};
