// The host side of the VST 2.4 callback: how the bundled host answers a plug-in's requests.
#include "host/host_thread_state.h"
#include "host/plugin_host.h"

#include <algorithm>
#include <cstring>

thread_local PluginHost* tHostBeingConstructed = nullptr;
thread_local bool tHostInProcess = false;

namespace {

constexpr VstIntPtr kHostVersion = 2400;

// Copies `text` into a plug-in buffer of `size` bytes, cut to fit with its terminator.
void WriteText(void* ptr, const std::string& text, size_t size) {
    if (ptr == nullptr || size == 0) {
        return;
    }
    const size_t length = std::min(text.size(), size - 1);
    std::memcpy(ptr, text.data(), length);
    static_cast<char*>(ptr)[length] = '\0';
}

} // namespace

VstIntPtr PluginHost::HostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                   VstIntPtr value, void* ptr, float opt) {
    PluginHost* host = effect != nullptr ? static_cast<PluginHost*>(effect->user) : nullptr;
    if (host == nullptr) {
        host = tHostBeingConstructed;
    }
    if (host == nullptr) {
        // A call no host of ours can be found for: answer the version and nothing else.
        return opcode == audioMasterVersion ? kHostVersion : 0;
    }

    HostCall call;
    call.opcode = opcode;
    call.index = index;
    call.value = value;
    call.ptr = ptr;
    call.opt = opt;
    call.thread = std::this_thread::get_id();
    call.answer = host->Answer(call, call.text);

    CallHook hook;
    {
        std::lock_guard<std::mutex> lock(host->callsMutex_);
        host->calls_.push_back(call);
        hook = host->hook_;
    }
    if (hook) {
        hook(*host, call);
    }
    return call.answer;
}

VstIntPtr PluginHost::Answer(const HostCall& call, std::string& text) {
    switch (call.opcode) {
    case audioMasterVersion:
        return kHostVersion;
    case audioMasterGetVendorString:
        WriteText(call.ptr, vendor_, kVstMaxVendorStrLen);
        text = vendor_.substr(0, kVstMaxVendorStrLen - 1);
        return call.ptr != nullptr ? 1 : 0;
    case audioMasterGetProductString:
        WriteText(call.ptr, product_, kVstMaxProductStrLen);
        text = product_.substr(0, kVstMaxProductStrLen - 1);
        return call.ptr != nullptr ? 1 : 0;
    case audioMasterGetVendorVersion:
        return vendorVersion_;
    case audioMasterGetTime:
        return timeInfoEnabled_ ? reinterpret_cast<VstIntPtr>(&timeInfo_) : 0;
    case audioMasterGetSampleRate:
        return static_cast<VstIntPtr>(sampleRate_);
    case audioMasterGetBlockSize:
        return blockSize_;
    case audioMasterGetCurrentProcessLevel:
        if (processLevel_ >= 0) {
            return processLevel_;
        }
        return tHostInProcess ? kVstProcessLevelRealtime : kVstProcessLevelUser;
    case audioMasterCanDo: {
        if (call.ptr == nullptr) {
            return 0;
        }
        // Capability names are short; read at most a bounded run of the plug-in's text.
        const char* asked = static_cast<const char*>(call.ptr);
        text.assign(asked, strnlen(asked, 256));
        return std::find(canDos_.begin(), canDos_.end(), text) != canDos_.end() ? 1 : 0;
    }
    default:
        return 0;
    }
}
