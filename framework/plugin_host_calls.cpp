// The core's host-facing operations: each goes to the adapter that carries the core, which makes
// the host call of its format. Without an adapter they change nothing outside the core.
#include "framework/plugin_core.h"
#include "framework/transport_info.h"

void PluginCore::BeginParamEdit(int index) {
    if (link_ != nullptr) {
        link_->BeginParamEdit(index);
    }
}

void PluginCore::AnnounceParamChange(int index, double normalised) {
    if (link_ != nullptr) {
        link_->AnnounceParamChange(index, normalised);
    }
}

void PluginCore::EndParamEdit(int index) {
    if (link_ != nullptr) {
        link_->EndParamEdit(index);
    }
}

void PluginCore::AnnounceProgramChange() {
    if (link_ != nullptr) {
        link_->AnnounceProgramChange();
    }
}

bool PluginCore::IsOfflineRender() {
    return link_ != nullptr && link_->IsOfflineRender();
}

int PluginCore::HostSamplePosition() {
    return link_ != nullptr ? link_->HostSamplePosition() : 0;
}

double PluginCore::HostTempo() {
    return link_ != nullptr ? link_->HostTempo() : 0.0;
}

void PluginCore::HostTimeSignature(int& numerator, int& denominator) {
    numerator = 0;
    denominator = 0;
    if (link_ != nullptr) {
        link_->HostTimeSignature(numerator, denominator);
    }
}

void PluginCore::HostTimeInfo(TransportInfo& info) {
    if (link_ != nullptr) {
        link_->HostTimeInfo(info);
    }
}

// An unknown host is identified too (HostUnknown), so it is not asked again.
int PluginCore::HostType() {
    if (hostType_ == HostNotAsked && link_ != nullptr) {
        std::int32_t version = 0;
        const int type = link_->IdentifyHost(version);
        SetHostIdentity(type, version);
    }
    return hostType_;
}

// The editor has already stored its new size; the adapter reads it from there.
void PluginCore::EditorSizeChanged(int /*width*/, int /*height*/) {
    if (editor_ == nullptr) {
        return;
    }
    if (link_ != nullptr) {
        link_->EditorChanged();
    }
    EditorResized();
}

void PluginCore::EditorSystemScaleChanged(double factor) {
    if (link_ != nullptr) {
        link_->SystemScaleChanged(factor);
    } else if (editor_ != nullptr) {
        editor_->FollowSystemScale(factor);
    }
}

// Audio thread when a parameter changes it: the adapter's LatencyChanged must not wait either.
void PluginCore::SetLatencySamples(int samples) {
    latency_.store(samples, std::memory_order_release);
    if (link_ != nullptr) {
        link_->LatencyChanged(samples);
    }
}

bool PluginCore::SendMidiToHost(const MidiMessage& message) {
    return link_ != nullptr && link_->SendMidiToHost(message);
}

bool PluginCore::SendSysExToHost(const SysExMessage& message) {
    return link_ != nullptr && link_->SendSysExToHost(message);
}
