#include "vst3/plug_view.h"

#include "framework/realtime_checks.h"
#include "vst3/vst3_plugin.h"

#include <cmath>
#include <cstring>

namespace vst3 {

namespace {

bool IsNativeType(FIDString type) {
    return type != nullptr && std::strcmp(type, kNativeViewType) == 0;
}

} // namespace

PlugView::PlugView(Vst3Plugin& plugin) : plugin_(plugin) {
    plugin_.addRef();
}

PlugView::~PlugView() {
    removed();
    setFrame(nullptr);
    plugin_.release();
}

uint32 PlugView::release() {
    const uint32 left = count_.Drop();
    if (left == 0) {
        delete this;
    }
    return left;
}

tresult PlugView::queryInterface(const TUID id, void** obj) {
    return AnswerQuery<Offer<FUnknown, IPlugView>, Offer<IPlugView>,
                       Offer<IPlugViewContentScaleSupport>, Offer<Linux::ITimerHandler>,
                       Offer<Linux::IEventHandler>>(this, id, obj);
}

tresult PlugView::isPlatformTypeSupported(FIDString type) {
    return IsNativeType(type) && plugin_.Effect().Editor() != nullptr &&
                   plugin_.Effect().Editor()->CanOpenWindows()
               ? kResultTrue
               : kResultFalse;
}

// The window opens outside the instance lock: the editor's window guards itself, and the audio
// thread must never wait for the window system.
tresult PlugView::attached(void* parent, FIDString type) {
    PluginEditor* editor = plugin_.Effect().Editor();
    if (open_ || parent == nullptr || isPlatformTypeSupported(type) != kResultTrue) {
        return kResultFalse;
    }
    if (!plugin_.ClaimEditor(*this)) {
        return kResultFalse;
    }
    if (kViewNeedsRunLoop && runLoop_ == nullptr) {
        plugin_.ReleaseEditor(); // no loop to drive the window: refuse rather than freeze
        return kResultFalse;
    }
    // The parent's window may take another scale than the size the host last read.
    if (!ChangeAndReportSize(
            *editor, [&] { return editor->OpenEditorWindow(parent) != nullptr; }, ResizeReport())) {
        plugin_.ReleaseEditor();
        return kResultFalse;
    }
    open_ = true;
    {
        InstanceHold hold(plugin_.Effect().Lock());
        plugin_.Effect().EditorOpened();
    }
    if (kViewNeedsRunLoop && !StartRunLoop()) {
        removed();
        return kResultFalse;
    }
    return kResultOk;
}

tresult PlugView::removed() {
    if (!open_) {
        return kResultFalse;
    }
    StopRunLoop();
    {
        InstanceHold hold(plugin_.Effect().Lock());
        plugin_.Effect().EditorClosed();
    }
    plugin_.Effect().Editor()->CloseEditorWindow();
    open_ = false;
    plugin_.ReleaseEditor();
    return kResultOk;
}

bool PlugView::StartRunLoop() {
    timerRegistered_ = runLoop_->registerTimer(this, IdleMilliseconds) == kResultOk;
    const int fd = plugin_.Effect().Editor()->WatchedDescriptor();
    fdRegistered_ = fd >= 0 && runLoop_->registerEventHandler(this, fd) == kResultOk;
    return timerRegistered_;
}

void PlugView::StopRunLoop() {
    if (runLoop_ == nullptr) {
        return;
    }
    if (timerRegistered_) {
        runLoop_->unregisterTimer(this);
        timerRegistered_ = false;
    }
    if (fdRegistered_) {
        runLoop_->unregisterEventHandler(this);
        fdRegistered_ = false;
    }
}

void PlugView::Idle() {
    if (open_) {
        plugin_.Effect().Editor()->IdleEditorWindow();
        plugin_.ReportLatencyChange();
    }
}

void PlugView::onTimer() {
    Idle();
}

void PlugView::onFDIsSet(FileDescriptor /*fd*/) {
    Idle();
}

// Keys and the wheel reach the editor's window directly from the window system.
tresult PlugView::onWheel(float /*distance*/) {
    return kResultFalse;
}

tresult PlugView::onKeyDown(char16 /*key*/, int16 /*keyCode*/, int16 /*modifiers*/) {
    return kResultFalse;
}

tresult PlugView::onKeyUp(char16 /*key*/, int16 /*keyCode*/, int16 /*modifiers*/) {
    return kResultFalse;
}

ViewRect PlugView::EditorRect() const {
    const PluginEditor* editor = plugin_.Effect().Editor();
    return ViewRect{0, 0, editor != nullptr ? editor->Width() : 0,
                    editor != nullptr ? editor->Height() : 0};
}

// Before the window exists the size follows the system's scale (unless the host gave its own), so
// the host makes its window the size the editor will open at.
tresult PlugView::getSize(ViewRect* size) {
    if (size == nullptr) {
        return kInvalidArgument;
    }
    PluginEditor* editor = plugin_.Effect().Editor();
    if (!open_ && editor != nullptr) {
        editor->AdoptSystemScale(nullptr);
    }
    *size = EditorRect();
    return kResultOk;
}

// Fixed size: only our own size is taken.
tresult PlugView::onSize(ViewRect* newSize) {
    if (newSize == nullptr) {
        return kInvalidArgument;
    }
    const ViewRect rect = EditorRect();
    const bool same = newSize->right - newSize->left == rect.right &&
                      newSize->bottom - newSize->top == rect.bottom;
    return same ? kResultOk : kResultFalse;
}

tresult PlugView::onFocus(TBool /*state*/) {
    return kResultOk;
}

// Hosts give the frame before attached; on Linux the run loop comes from it.
tresult PlugView::setFrame(IPlugFrame* frame) {
    if (frame != nullptr) {
        frame->addRef();
    }
    if (runLoop_ != nullptr) {
        StopRunLoop();
        runLoop_->release();
        runLoop_ = nullptr;
    }
    if (frame_ != nullptr) {
        frame_->release();
    }
    frame_ = frame;
    if (frame_ != nullptr && kViewNeedsRunLoop) {
        void* loop = nullptr;
        if (frame_->queryInterface(Linux::IRunLoop::iid.bytes, &loop) == kResultOk) {
            runLoop_ = static_cast<Linux::IRunLoop*>(loop);
        }
    }
    return kResultOk;
}

tresult PlugView::setContentScaleFactor(float factor) {
    PluginEditor* editor = plugin_.Effect().Editor();
    if (editor == nullptr || !std::isfinite(factor) || factor <= 0.0f) {
        return kInvalidArgument;
    }
    ChangeAndReportSize(
        *editor, [&] { editor->SetHostScale(factor); }, ResizeReport());
    return kResultOk;
}

void PlugView::FollowSystemScale(double factor) {
    if (PluginEditor* editor = plugin_.Effect().Editor()) {
        ChangeAndReportSize(
            *editor, [&] { editor->FollowSystemScale(factor); }, ResizeReport());
    }
}

// The host answers with onSize (at once or later); the editor's window already has the size.
void PlugView::AskFrameToResize(int width, int height) {
    if (frame_ != nullptr) {
        ViewRect size{0, 0, width, height};
        frame_->resizeView(this, &size);
    }
}

tresult PlugView::canResize() {
    return kResultFalse;
}

tresult PlugView::checkSizeConstraint(ViewRect* rect) {
    if (rect == nullptr) {
        return kInvalidArgument;
    }
    const ViewRect fixed = EditorRect();
    rect->right = rect->left + fixed.right;
    rect->bottom = rect->top + fixed.bottom;
    return kResultOk;
}

} // namespace vst3
