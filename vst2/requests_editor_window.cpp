// The editor window's requests: open, close, the host's idle call, the size and the host's scale
// hint. They are the dispatcher's only requests that run outside the instance lock.
//
// Why: on Linux the window does all its work inside effEditIdle (events, repaint, copying pixels
// to the X server), and a host may open and close on its GUI thread while it idles from another
// (Ardour does). The window guards its own state with a mutex of its own; the editor's gestures
// reach the plug-in base and the host only after that mutex is free again (HostNotices), and
// values from the host reach the controls through atomics. The base's editor hooks are called
// with the instance lock only when the window mutex is free.
#include "framework/realtime_checks.h"
#include "vst2/vst2_requests.h"

#include <cmath>

namespace {

// A host's content scale hint, as DPI-aware hosts send it: effVendorSpecific with this index and
// value and the factor in opt (1.0 = 100 percent).
constexpr VstInt32 ScaleHintIndex = FourCharCode("PreS");
constexpr VstIntPtr ScaleHintValue = FourCharCode("AeCs");

// The parent's window may take another scale than the size the host last read.
bool OpenAtScale(Vst2Plugin& plugin, PluginEditor& editor, void* parent) {
    return ChangeAndReportSize(
        editor, [&] { return editor.OpenEditorWindow(parent) != nullptr; },
        [&](int width, int height) { Vst2Requests::AskHostToResize(plugin, width, height); });
}

// A new scale for the editor; an open window's new size goes to the host.
template <typename Change>
void Rescale(Vst2Plugin& plugin, PluginEditor& editor, Change change) {
    ChangeAndReportSize(editor, change, [&](int width, int height) {
        Vst2Requests::AskHostToResize(plugin, width, height);
    });
}

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
    PluginEditor* editor = plugin.Core().Editor();
    if (editor == nullptr || !OpenAtScale(plugin, *editor, request.ptr)) {
        return 0;
    }
    InstanceHold hold(plugin.Core().Lock());
    plugin.Core().EditorOpened();
    return 1;
}

// Before a window exists the size follows the system's scale, so the host makes its window the
// size the editor will open at.
VstIntPtr Vst2Requests::EditGetRect(Vst2Plugin& plugin, const Vst2Request& request) {
    PluginEditor* editor = plugin.Core().Editor();
    if (request.ptr == nullptr || editor == nullptr) {
        return 0;
    }
    if (!editor->HasWindow()) {
        editor->AdoptSystemScale(nullptr);
    }
    *static_cast<ERect**>(request.ptr) = &plugin.editorRect_;
    return 1;
}

void Vst2Requests::AskHostToResize(Vst2Plugin& plugin, int width, int height) {
    plugin.CallHost(audioMasterSizeWindow, width, height);
}

// A factor that is not a positive number is refused and changes nothing.
VstIntPtr Vst2Requests::EditScale(Vst2Plugin& plugin, const Vst2Request& request) {
    PluginEditor* editor = plugin.Core().Editor();
    const double factor = request.opt;
    if (editor == nullptr || request.value != ScaleHintValue || !std::isfinite(factor) ||
        factor <= 0.0) {
        return 0;
    }
    Rescale(plugin, *editor, [&] { editor->SetHostScale(factor); });
    return 1;
}

// The host's own hint, when it sent one, wins: the editor then keeps its scale.
void Vst2Requests::FollowSystemScale(Vst2Plugin& plugin, double factor) {
    if (PluginEditor* editor = plugin.Core().Editor()) {
        Rescale(plugin, *editor, [&] { editor->FollowSystemScale(factor); });
    }
}

VstIntPtr Vst2Requests::EditClose(Vst2Plugin& plugin, const Vst2Request& /*request*/) {
    PluginEditor* editor = plugin.Core().Editor();
    if (editor == nullptr) {
        return 0;
    }
    {
        InstanceHold hold(plugin.Core().Lock());
        plugin.Core().EditorClosed();
    }
    editor->CloseEditorWindow();
    return 1;
}

// Hosts call it 15 to 60 times a second, some before the editor is open.
VstIntPtr Vst2Requests::EditIdle(Vst2Plugin& plugin, const Vst2Request& /*request*/) {
    if (PluginEditor* editor = plugin.Core().Editor()) {
        editor->IdleEditorWindow();
    }
    return 0;
}
