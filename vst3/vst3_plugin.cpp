// The adapter's life, its interfaces and the operations the effect reaches the host through.
#include "vst3/vst3_plugin.h"

#include "framework/realtime_checks.h"
#include "vst3/plug_view.h"

#include <cstring>
#include <new>

namespace vst3 {

FUnknown* CreateVst3Plugin(PluginCore* effect) {
    std::unique_ptr<PluginCore> owned(effect);
    if (owned == nullptr) {
        return nullptr;
    }
    auto* plugin = new (std::nothrow) Vst3Plugin(owned.release());
    return static_cast<IComponent*>(plugin);
}

Vst3Plugin::Vst3Plugin(PluginCore* effect) : effect_(effect), programs_(*effect) {
    effect_->LinkHost(this);
    effect_->FillEmptyPresets(effect_->PresetCount());
    PresetsChanged();
    effect_->SetBlockLength(1024);
    ConnectChannels(channels_);
    reportedLatency_ = effect_->Latency();
}

Vst3Plugin::~Vst3Plugin() {
    setComponentHandler(nullptr);
    effect_->LinkHost(nullptr);
}

uint32 Vst3Plugin::release() {
    const uint32 left = count_.Drop();
    if (left == 0) {
        delete this;
    }
    return left;
}

tresult Vst3Plugin::queryInterface(const TUID id, void** obj) {
    return AnswerQuery<Offer<FUnknown, IComponent>, Offer<IPluginBase, IComponent>,
                       Offer<IComponent>, Offer<IAudioProcessor>, Offer<IEditController>,
                       Offer<IUnitInfo>, OfferRealtimeCounters>(this, id, obj);
}

// Hosts call it once for each half, and here both halves are this object: the second call only
// refreshes what the first did.
tresult Vst3Plugin::initialize(FUnknown* context) {
    IdentifyHostApplication(context);
    InstanceHold hold(effect_->Lock());
    effect_->ApplyPendingParams();
    for (int i = 0; i < effect_->ParamCount(); ++i) {
        effect_->ParamChanged(i);
    }
    reportedLatency_ = effect_->Latency();
    return kResultOk;
}

tresult Vst3Plugin::terminate() {
    setComponentHandler(nullptr);
    return kResultOk;
}

tresult Vst3Plugin::setComponentHandler(IComponentHandler* handler) {
    if (handler == handler_) {
        return kResultOk;
    }
    if (handler != nullptr) {
        handler->addRef();
    }
    if (handler_ != nullptr) {
        handler_->release();
    }
    handler_ = handler;
    return kResultOk;
}

// UI thread. The host answers a latency restart by reading getLatencySamples again (some also
// deactivate and reactivate), so it is sent only when the value moved.
void Vst3Plugin::ReportLatencyChange() {
    SettleProgramFromAudio();
    if (textsChanged_.exchange(false) && handler_ != nullptr) {
        handler_->restartComponent(kParamValuesChanged);
    }
    int latency = 0;
    {
        InstanceHold hold(effect_->Lock());
        // Changes reach the effect at the next block; with no audio thread running the UI thread
        // applies them itself. Either way the latency reported is the one the next block will
        // have: a host that restores a state or sets a value while processing (Ardour loading a
        // session) hears of the change now, since no block will tell it later.
        if (!processing_.load(std::memory_order_acquire)) {
            effect_->ApplyPendingParams();
        }
        latency = effect_->PendingLatency();
    }
    if (latency == reportedLatency_) {
        return;
    }
    reportedLatency_ = latency;
    if (handler_ != nullptr) {
        handler_->restartComponent(kLatencyChanged);
    }
}

// The values are in already (and later points may have moved some): the preset only becomes the
// current one, and the host hears that the program parameter moved.
void Vst3Plugin::SettleProgramFromAudio() {
    const int preset = programFromAudio_.exchange(-1);
    if (preset < 0) {
        return;
    }
    {
        InstanceHold hold(effect_->Lock());
        effect_->SelectPreset(preset);
    }
    textsChanged_ = true;
}

void Vst3Plugin::PresetsChanged() {
    InstanceHold hold(effect_->Lock());
    programs_.Refresh(*effect_);
}

// Only the editor view, and only where this build's window class can open a window.
IPlugView* Vst3Plugin::createView(FIDString name) {
    PluginEditor* editor = effect_->Editor();
    if (name == nullptr || std::strcmp(name, "editor") != 0 || editor == nullptr ||
        !editor->CanOpenWindows()) {
        return nullptr;
    }
    return new (std::nothrow) PlugView(*this);
}

bool Vst3Plugin::ClaimEditor(PlugView& view) {
    if (editorView_ != nullptr) {
        return false;
    }
    editorView_ = &view;
    return true;
}

void Vst3Plugin::SystemScaleChanged(double factor) {
    if (editorView_ != nullptr) {
        editorView_->FollowSystemScale(factor);
    }
}

} // namespace vst3
