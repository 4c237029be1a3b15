// The effect record's dispatcher: finds the instance and hands the request to the opcode's
// handler. Requests that change the instance's structure, programs or chunks hold the instance
// lock for their run, so two host threads never interleave them; the audio thread never takes
// that lock. Requests that only read, the typed parameter value (an atomic store) and events run
// without it, since hosts send some of them from the audio thread. The editor window's requests
// run outside it too (requests_editor_window.cpp).
#include "framework/realtime_checks.h"
#include "vst2/vst2_requests.h"

#include <array>

namespace {

constexpr int HandledOpcodes = effGetSpeakerArrangement + 1;

using HandlerTable = std::array<Vst2Requests::Handler, HandledOpcodes>;

HandlerTable BuildTable() {
    HandlerTable table{};
    table[effOpen] = &Vst2Requests::Open;
    table[effSetProgram] = &Vst2Requests::SetProgram;
    table[effGetProgram] = &Vst2Requests::GetProgram;
    table[effSetProgramName] = &Vst2Requests::SetProgramName;
    table[effGetProgramName] = &Vst2Requests::GetProgramName;
    table[effGetParamLabel] = &Vst2Requests::GetParamLabel;
    table[effGetParamDisplay] = &Vst2Requests::GetParamDisplay;
    table[effGetParamName] = &Vst2Requests::GetParamName;
    table[effSetSampleRate] = &Vst2Requests::SetSampleRate;
    table[effSetBlockSize] = &Vst2Requests::SetBlockSize;
    table[effMainsChanged] = &Vst2Requests::MainsChanged;
    table[effIdentify] = &Vst2Requests::Identify;
    table[effGetChunk] = &Vst2Requests::GetChunk;
    table[effSetChunk] = &Vst2Requests::SetChunk;
    table[effProcessEvents] = &Vst2Requests::ProcessEvents;
    table[effCanBeAutomated] = &Vst2Requests::CanBeAutomated;
    table[effString2Parameter] = &Vst2Requests::String2Parameter;
    table[effGetProgramNameIndexed] = &Vst2Requests::GetProgramNameIndexed;
    table[effGetInputProperties] = &Vst2Requests::GetInputProperties;
    table[effGetOutputProperties] = &Vst2Requests::GetOutputProperties;
    table[effGetPlugCategory] = &Vst2Requests::GetPlugCategory;
    table[effSetSpeakerArrangement] = &Vst2Requests::SetSpeakerArrangement;
    table[effGetEffectName] = &Vst2Requests::GetEffectName;
    table[effGetVendorString] = &Vst2Requests::GetVendorString;
    table[effGetProductString] = &Vst2Requests::GetProductString;
    table[effVendorSpecific] = &Vst2Requests::VendorSpecific;
    table[effCanDo] = &Vst2Requests::CanDo;
    table[effGetTailSize] = &Vst2Requests::GetTailSize;
    table[effGetVstVersion] = &Vst2Requests::GetVstVersion;
    table[effGetMidiKeyName] = &Vst2Requests::GetMidiKeyName;
    table[effGetSpeakerArrangement] = &Vst2Requests::GetSpeakerArrangement;
    return table;
}

} // namespace

bool Vst2Requests::TakesInstanceLock(VstInt32 opcode) {
    switch (opcode) {
    case effOpen:
    case effSetProgram:
    case effGetProgram:
    case effSetProgramName:
    case effGetProgramName:
    case effGetProgramNameIndexed:
    case effSetSampleRate:
    case effSetBlockSize:
    case effMainsChanged:
    case effGetChunk:
    case effSetChunk:
    case effSetSpeakerArrangement:
        return true;
    default:
        return false;
    }
}

Vst2Requests::Handler Vst2Requests::For(VstInt32 opcode) {
    static const HandlerTable table = BuildTable();
    if (opcode < 0 || opcode >= HandledOpcodes) {
        return nullptr;
    }
    return table[static_cast<size_t>(opcode)];
}

VstIntPtr Vst2Plugin::VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                    VstIntPtr value, void* ptr, float opt) {
    Vst2Plugin* plugin = effect != nullptr ? static_cast<Vst2Plugin*>(effect->object) : nullptr;
    if (plugin == nullptr) {
        return 0;
    }
    if (opcode == effClose) {
        Vst2Requests::Close(*plugin);
        return 0;
    }
    const Vst2Request request{index, value, ptr, opt};
    if (const Vst2Requests::Handler windowRequest = Vst2Requests::WindowRequestFor(opcode, index)) {
        return windowRequest(*plugin, request);
    }
    const Vst2Requests::Handler handler = Vst2Requests::For(opcode);
    if (handler == nullptr) {
        return 0;
    }
    if (!Vst2Requests::TakesInstanceLock(opcode)) {
        return handler(*plugin, request);
    }
    if (opcode == effOpen) {
        plugin->Core().HostType(); // asked before the lock is taken: no call to the host under it
    }
    InstanceHold hold(plugin->Core().Lock());
    return handler(*plugin, request);
}

// The editor's window goes first, under the window's own lock, and any thread still telling the
// host about a gesture finishes: both may run beside this request, outside the instance lock.
// Then any structural request still running on another thread; the destructor runs unlocked.
void Vst2Requests::Close(Vst2Plugin& plugin) {
    if (PluginEditor* editor = plugin.Core().Editor()) {
        editor->CloseEditorWindow();
        editor->WaitForHostNotices();
    }
    { InstanceHold hold(plugin.Core().Lock()); }
    delete &plugin;
}
