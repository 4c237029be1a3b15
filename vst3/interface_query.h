// The reference counting and interface lookup every VST3 object of ours (the plug-in's and the
// test host's) answers with, written once.
#pragma once

#include "vst3/uid.h"
#include "vst3/vst3_abi.h"

#include <atomic>

namespace vst3 {

// One interface an object offers; `Via` picks the base the object reaches it through when the
// interface is inherited more than once (FUnknown, IPluginBase).
template <typename Interface, typename Via = Interface>
struct Offer {
    template <typename Self>
    static bool Match(Self* self, const TUID id, void** obj) {
        if (!IsUid(id, Interface::iid)) {
            return false;
        }
        Interface* found = static_cast<Via*>(self);
        found->addRef();
        *obj = found;
        return true;
    }
};

// queryInterface over the offered list: a match is counted and returned; anything else sets
// *obj to null and answers this platform's kNoInterface.
template <typename... Offers, typename Self>
tresult AnswerQuery(Self* self, const TUID id, void** obj) {
    if (obj == nullptr) {
        return kInvalidArgument;
    }
    *obj = nullptr;
    if (id != nullptr && (Offers::Match(self, id, obj) || ...)) {
        return kResultOk;
    }
    return kNoInterface;
}

// A thread-safe count starting at one (the creator's reference).
class RefCount {
public:
    uint32 Add() { return ++count_; }
    // The count after this release; the owner deletes itself at zero.
    uint32 Drop() { return --count_; }
    uint32 Current() const { return count_; }

private:
    std::atomic<uint32> count_{1};
};

} // namespace vst3
