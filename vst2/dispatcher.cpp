// The effect record's dispatcher: finds the instance, holds its lock for the request's run and
// hands the request to the opcode's handler. The editor window's requests are the exception: they
// run outside the lock (requests_editor_window.cpp).
#include "vst2/realtime_checks.h"
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
        // Wait for any callback still running on another thread; the destructor runs unlocked.
        { InstanceHold hold(plugin->Lock()); }
        delete plugin;
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
    InstanceHold hold(plugin->Lock());
    return handler(*plugin, request);
}
