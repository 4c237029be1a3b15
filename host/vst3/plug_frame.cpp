#include "host/vst3/plug_frame.h"

using namespace vst3;

tresult PlugFrame::queryInterface(const TUID id, void** obj) {
    if (runLoop_ != nullptr && obj != nullptr && IsUid(id, Linux::IRunLoop::iid)) {
        runLoop_->addRef();
        *obj = runLoop_;
        return kResultOk;
    }
    return AnswerQuery<Offer<FUnknown>, Offer<IPlugFrame>>(this, id, obj);
}

tresult PlugFrame::resizeView(IPlugView* view, ViewRect* newSize) {
    ++resizeRequests_;
    if (view == nullptr || newSize == nullptr) {
        return kInvalidArgument;
    }
    requestedSize_ = *newSize;
    return view->onSize(newSize);
}
