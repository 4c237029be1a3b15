// One request a plug-in sent to the host callback, as the bundled host recorded it.
#pragma once

#include "vst2/vst2_abi.h"

#include <string>
#include <thread>

struct HostCall {
    VstInt32 opcode = 0;
    VstInt32 index = 0;
    VstIntPtr value = 0;
    void* ptr = nullptr;
    float opt = 0.f;
    // The text involved: what the plug-in asked about (audioMasterCanDo) or what the host wrote
    // back (vendor and product strings); empty otherwise.
    std::string text;
    VstIntPtr answer = 0;
    std::thread::id thread;
};
