#include "host/vst3/host_application.h"

#include "vst3/text16.h"

using namespace vst3;

tresult HostApplication::queryInterface(const TUID id, void** obj) {
    return AnswerQuery<Offer<FUnknown>, Offer<IHostApplication>>(this, id, obj);
}

tresult HostApplication::getName(String128 name) {
    ToUtf16("Crescenda test host", name, 128);
    return kResultOk;
}

tresult HostApplication::createInstance(TUID /*cid*/, TUID /*interfaceId*/, void** obj) {
    if (obj != nullptr) {
        *obj = nullptr;
    }
    return kNotImplemented;
}
