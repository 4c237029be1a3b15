// The dispatcher's opcode handlers: one small function per request a host sends. The dispatcher
// looks the handler up in a table by opcode and takes the instance lock for the requests that
// need it (TakesInstanceLock); the editor window's requests run without it
// (requests_editor_window.cpp says why).
#pragma once

#include "vst2/vst2_plugin.h"

struct Vst2Request {
    VstInt32 index = 0;
    VstIntPtr value = 0;
    void* ptr = nullptr;
    float opt = 0.f;
};

struct Vst2Requests {
    using Handler = VstIntPtr (*)(Vst2Plugin& plugin, const Vst2Request& request);

    // The handler of an opcode, or null for opcodes that do nothing and answer 0.
    static Handler For(VstInt32 opcode);
    // The handler of an editor window request, run outside the instance lock; null for others.
    static Handler WindowRequestFor(VstInt32 opcode, VstInt32 index);
    // Whether the request changes what the instance lock guards (structure, programs, chunks).
    static bool TakesInstanceLock(VstInt32 opcode);
    // audioMasterSizeWindow, with no lock of ours held.
    static void AskHostToResize(Vst2Plugin& plugin, int width, int height);
    // The system's new scale for the open editor (HostLink::SystemScaleChanged), UI thread.
    static void FollowSystemScale(Vst2Plugin& plugin, double factor);
    // effClose: the editor's window closes before the instance is deleted.
    static void Close(Vst2Plugin& plugin);

    // Life cycle and processing set-up.
    static VstIntPtr Open(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr SetSampleRate(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr SetBlockSize(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr MainsChanged(Vst2Plugin& plugin, const Vst2Request& request);

    // The editor window, outside the instance lock.
    static VstIntPtr EditOpen(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr EditClose(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr EditIdle(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr EditGetRect(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr EditScale(Vst2Plugin& plugin, const Vst2Request& request);

    // Programs and state chunks.
    static VstIntPtr SetProgram(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetProgram(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr SetProgramName(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetProgramName(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetProgramNameIndexed(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetChunk(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr SetChunk(Vst2Plugin& plugin, const Vst2Request& request);

    // Parameter texts.
    static VstIntPtr GetParamLabel(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetParamDisplay(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetParamName(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr CanBeAutomated(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr String2Parameter(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr VendorSpecific(Vst2Plugin& plugin, const Vst2Request& request);

    // Channels, events and what the plug-in is.
    static VstIntPtr Identify(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr ProcessEvents(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetInputProperties(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetOutputProperties(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetPlugCategory(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr SetSpeakerArrangement(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetSpeakerArrangement(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetEffectName(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetVendorString(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetProductString(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr CanDo(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetTailSize(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetVstVersion(Vst2Plugin& plugin, const Vst2Request& request);
    static VstIntPtr GetMidiKeyName(Vst2Plugin& plugin, const Vst2Request& request);
};
