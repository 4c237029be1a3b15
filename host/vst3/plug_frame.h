// The frame a host puts a plug-in view in. A view's resize request is counted, its size kept and
// answered with the view's onSize, as hosts answer it; the frame hands out the host's run loop
// where the system has one (Linux), as hosts do through the frame.
#pragma once

#include "host/vst3/host_object.h"

class PlugFrame final : public HostObject<vst3::IPlugFrame> {
public:
    // `runLoop` may be null (no run loop offered); it must outlive the frame's use.
    explicit PlugFrame(vst3::Linux::IRunLoop* runLoop) : runLoop_(runLoop) {}

    int ResizeRequests() const { return resizeRequests_; }
    const vst3::ViewRect& RequestedSize() const { return requestedSize_; }

    vst3::tresult queryInterface(const vst3::TUID id, void** obj) override;
    vst3::tresult resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) override;

private:
    vst3::Linux::IRunLoop* runLoop_;
    int resizeRequests_ = 0;
    vst3::ViewRect requestedSize_{};
};
