// The editor window's requests: open, close and the host's idle call, outside the instance lock.
//
// Why: on Linux the window does all its work inside effEditIdle (events, repaint, copying pixels
// to the X server), and a host may open and close on its GUI thread while it idles from another
// (Ardour does). The window guards its own state with a mutex of its own; the editor's gestures
// reach the plug-in base and the host only after that mutex is free again (HostNotices), and
// values from the host reach the controls through atomics. The base's editor hooks are called
// with the instance lock only when the window mutex is free.
#include "vst2/realtime_checks.h"
#include "vst2/vst2_requests.h"

Vst2Requests::Handler Vst2Requests::WindowRequestFor(VstInt32 opcode) {
    switch (opcode) {
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

// ptr is the host's window the editor opens inside.
VstIntPtr Vst2Requests::EditOpen(Vst2Plugin& plugin, const Vst2Request& request) {
    PluginEditor* editor = plugin.Core().Editor();
    if (editor == nullptr || editor->OpenEditorWindow(request.ptr) == nullptr) {
        return 0;
    }
    InstanceHold hold(plugin.Core().Lock());
    plugin.Core().EditorOpened();
    return 1;
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
