// PlugView: the effect's editor in the host's window. Fixed size; attached and removed any number
// of times. On Windows the editor's window brings its own timer. On Linux there is no thread of
// our own: the host's run loop (asked of the frame) calls the view's timer and tells it when the
// X connection has events, and each call does the window's pending work. The host's content scale
// (1, 1.5 or 2 times) picks the editor's artwork; an attached view then asks its frame for the new
// size. UI thread throughout.
#pragma once

#include "vst3/interface_query.h"

class PluginEditor;

namespace vst3 {

class Vst3Plugin;

// This system's view type ("HWND" or "X11EmbedWindowID") and whether its window needs the
// host's run loop (view_platform_*.cpp).
extern const char* const kNativeViewType;
extern const bool kViewNeedsRunLoop;

class PlugView final : public IPlugView,
                       public IPlugViewContentScaleSupport,
                       public Linux::ITimerHandler,
                       public Linux::IEventHandler {
public:
    // The window work at a host's idle rate.
    static constexpr TimerInterval IdleMilliseconds = 40;

    // Holds a reference to the plug-in, whose editor it shows, for its own life.
    explicit PlugView(Vst3Plugin& plugin);

    tresult queryInterface(const TUID id, void** obj) override;
    uint32 addRef() override { return count_.Add(); }
    uint32 release() override;

    tresult isPlatformTypeSupported(FIDString type) override;
    tresult attached(void* parent, FIDString type) override;
    tresult removed() override;
    tresult onWheel(float distance) override;
    tresult onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;
    tresult onKeyUp(char16 key, int16 keyCode, int16 modifiers) override;
    tresult getSize(ViewRect* size) override;
    tresult onSize(ViewRect* newSize) override;
    tresult onFocus(TBool state) override;
    tresult setFrame(IPlugFrame* frame) override;
    tresult canResize() override;
    tresult checkSizeConstraint(ViewRect* rect) override;

    // A factor that is not a positive number is refused and changes nothing.
    tresult setContentScaleFactor(float factor) override;

    void onTimer() override;
    void onFDIsSet(FileDescriptor fd) override;

    // The system's new scale for the open editor (a host's own scale still wins); an attached
    // view asks its frame for the new size.
    void FollowSystemScale(double factor);

private:
    // What tells the frame of an attached view's new size.
    auto ResizeReport() {
        return [this](int width, int height) { AskFrameToResize(width, height); };
    }
    ~PlugView();
    ViewRect EditorRect() const;
    void AskFrameToResize(int width, int height);
    bool StartRunLoop();
    void StopRunLoop();
    void Idle();

    Vst3Plugin& plugin_;
    RefCount count_;
    IPlugFrame* frame_ = nullptr;
    Linux::IRunLoop* runLoop_ = nullptr;
    bool open_ = false;
    bool timerRegistered_ = false;
    bool fdRegistered_ = false;
};

} // namespace vst3
