// The editor window's requests: open, close, the host's idle call, the size and the host's scale
// hint. They are the dispatcher's only requests that run outside the instance lock.
//
// Why: on Linux the window does all its work inside effEditIdle (events, repaint, copying pixels
// to the X server). Under the instance lock a slow X server would make the audio thread wait for
// it. So the window guards its own state with a mutex of its own (Ardour calls effEditIdle from a
// thread of its own while open and close come from its GUI thread), and the editor reaches the
// instance lock only through SetParamFromEditor; values from the host reach the controls through
// atomics.
//
// Lock order: window mutex, then instance lock, never the other way. A gesture in effEditIdle
// holds the window mutex when SetParamFromEditor takes the instance lock; the requests here take
// the window mutex without holding the instance lock, and the base's editor hooks are called with
// the instance lock only after the window mutex is free again. Nothing under the instance lock
// (setParameter, state restore) takes the window mutex.
#include "editor/graphics_context.h"
#include "vst2/realtime_checks.h"
#include "vst2/vst2_requests.h"

#include <cmath>

namespace {

// A host's content scale hint, as DPI-aware hosts send it: effVendorSpecific with this index and
// value and the factor in opt (1.0 = 100 percent).
constexpr VstInt32 ScaleHintIndex = FourCharCode("PreS");
constexpr VstIntPtr ScaleHintValue = FourCharCode("AeCs");

} // namespace

Vst2Requests::Handler Vst2Requests::WindowRequestFor(VstInt32 opcode, VstInt32 index) {
    switch (opcode) {
    case effEditGetRect:
        return &Vst2Requests::EditGetRect;
    case effVendorSpecific:
        return index == ScaleHintIndex ? &Vst2Requests::EditScale : nullptr;
    case effEditOpen:
        return &Vst2Requests::EditOpen;
    case effEditClose:
        return &Vst2Requests::EditClose;
    case effEditIdle:
        return &Vst2Requests::EditIdle;
    default:
        return nullptr;
    }
}

// ptr is the host's window the editor opens inside. The window may take another scale than the
// host last read (the parent's monitor has its own DPI): the host is then asked to resize.
VstIntPtr Vst2Requests::EditOpen(Vst2Plugin& plugin, const Vst2Request& request) {
    GraphicsContext* editor = plugin.Editor();
    if (editor == nullptr) {
        return 0;
    }
    const int width = editor->Width();
    const int height = editor->Height();
    if (editor->OpenEditorWindow(request.ptr) == nullptr) {
        return 0;
    }
    if (editor->Width() != width || editor->Height() != height) {
        plugin.CallHost(audioMasterSizeWindow, editor->Width(), editor->Height());
    }
    InstanceHold hold(plugin.Lock());
    plugin.EditorOpened();
    return 1;
}

// Before a window exists the size follows the system's scale, so the host makes its window the
// size the editor will open at.
VstIntPtr Vst2Requests::EditGetRect(Vst2Plugin& plugin, const Vst2Request& request) {
    GraphicsContext* editor = plugin.Editor();
    if (request.ptr == nullptr || editor == nullptr) {
        return 0;
    }
    if (!editor->HasWindow()) {
        editor->AdoptSystemScale(nullptr);
    }
    *static_cast<ERect**>(request.ptr) = &plugin.editorRect_;
    return 1;
}

// A factor that is not a positive number is refused and changes nothing.
VstIntPtr Vst2Requests::EditScale(Vst2Plugin& plugin, const Vst2Request& request) {
    GraphicsContext* editor = plugin.Editor();
    const double factor = request.opt;
    if (editor == nullptr || request.value != ScaleHintValue || !std::isfinite(factor) ||
        factor <= 0.0) {
        return 0;
    }
    editor->SetHostScale(factor);
    return 1;
}

VstIntPtr Vst2Requests::EditClose(Vst2Plugin& plugin, const Vst2Request& /*request*/) {
    GraphicsContext* editor = plugin.Editor();
    if (editor == nullptr) {
        return 0;
    }
    {
        InstanceHold hold(plugin.Lock());
        plugin.EditorClosed();
    }
    editor->CloseEditorWindow();
    return 1;
}

// Hosts call it 15 to 60 times a second, some before the editor is open.
VstIntPtr Vst2Requests::EditIdle(Vst2Plugin& plugin, const Vst2Request& /*request*/) {
    if (GraphicsContext* editor = plugin.Editor()) {
        editor->IdleEditorWindow();
    }
    return 0;
}
