#include "framework/plugin_core.h"

#include "framework/realtime_checks.h"
#include "framework/time_stamp.h"
#include "framework/trace.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void CopyName(char (&field)[128], const char* text) {
    std::snprintf(field, sizeof field, "%s", text != nullptr ? text : "");
}

// Reads an optionally signed decimal number the way "%d" scans it; false when none is there.
// Values beyond the int32 range saturate instead of being undefined.
bool ScanInt(const char*& p, std::int32_t& value) {
    char* end = nullptr;
    const long long scanned = std::strtoll(p, &end, 10);
    if (end == p) {
        return false;
    }
    value = static_cast<std::int32_t>(std::clamp<long long>(scanned, INT32_MIN, INT32_MAX));
    p = end;
    return true;
}

// One "inputs-outputs" configuration at p; a field that does not scan stays 0.
ChannelPair ScanChannelPair(const char* p) {
    ChannelPair pair;
    if (ScanInt(p, pair.inputs) && *p == '-') {
        ++p;
        ScanInt(p, pair.outputs);
    }
    return pair;
}

} // namespace

PluginCore::PluginCore(const PluginIdentity& identity)
    : uniqueId_(identity.uniqueId), makerCode_(identity.makerCode), version_(identity.version),
      pending_(identity.parameterCount) {
    Trace("PluginCore::PluginCore", __LINE__, "%s:%s",
          identity.effectName != nullptr ? identity.effectName : "", TimeStampText());
    for (int i = 0; i < identity.parameterCount; ++i) {
        params_.Append(new PluginParam());
    }
    for (int i = 0; i < identity.presetCount; ++i) {
        presets_.Append(new PluginPreset());
    }
    CopyName(effectName_, identity.effectName);
    CopyName(productName_, identity.productName);
    CopyName(makerName_, identity.makerName);
    ParseChannelString(identity.channelString != nullptr ? identity.channelString : "");
}

void PluginCore::ParseChannelString(const char* text) {
    std::int32_t widestInputs = 0;
    std::int32_t widestOutputs = 0;
    for (const char* p = text;;) {
        const ChannelPair scanned = ScanChannelPair(p);
        widestInputs = std::max(widestInputs, scanned.inputs);
        widestOutputs = std::max(widestOutputs, scanned.outputs);
        channelConfigs_.Append(new ChannelPair(scanned));
        p = std::strchr(p, ' ');
        if (p == nullptr) {
            break;
        }
        ++p;
    }
    const auto slotSize = static_cast<std::int32_t>(sizeof(double*));
    widestInputs = std::min(widestInputs, MaxChannels);
    widestOutputs = std::min(widestOutputs, MaxChannels);
    inputSlots_.Resize(widestInputs * slotSize, false);
    outputSlots_.Resize(widestOutputs * slotSize, false);
    for (std::int32_t i = 0; i < inputSlots_.Used() / slotSize; ++i) {
        auto* channel = new InputChannel();
        channel->slot = InputSlots() + i;
        *channel->slot = channel->Scratch();
        inputChannels_.Append(channel);
    }
    for (std::int32_t i = 0; i < outputSlots_.Used() / slotSize; ++i) {
        auto* channel = new OutputChannel();
        channel->slot = OutputSlots() + i;
        *channel->slot = channel->Scratch();
        outputChannels_.Append(channel);
    }
}

// The editor goes first: its controls still point at this base.
PluginCore::~PluginCore() {
    delete editor_;
    editor_ = nullptr;
    params_.DeleteAll();
    presets_.DeleteAll();
    inputChannels_.DeleteAll();
    outputChannels_.DeleteAll();
    channelConfigs_.DeleteAll();
}

void PluginCore::HandleMidiMessage(const MidiMessage& message) {
    SendMidiToHost(message);
}

bool PluginCore::MidiNoteText(int /*note*/, char* text) {
    if (text != nullptr) {
        text[0] = '\0';
    }
    return false;
}

bool PluginCore::SaveState(ByteBlock& block) {
    return SerializeParams(block);
}

int PluginCore::LoadState(const ByteBlock& block, int position) {
    return UnserializeParams(block, position);
}

bool PluginCore::ValuesMatch(const double* values, int first) const {
    if (values == nullptr || first < 0) {
        return false;
    }
    for (int i = 0; i < ParamCount(); ++i) {
        const float difference =
            static_cast<float>(Param(i)->Value()) - static_cast<float>(values[first + i]);
        if (!(std::fabs(difference) < 0.00001f)) {
            return false;
        }
    }
    return true;
}

void PluginCore::NotifyEditor(int index, double value, bool normalised) {
    if (editor_ != nullptr) {
        editor_->ParamValueChanged(index, value, normalised);
    }
}

void PluginCore::SetParamFromEditor(int index, double normalised) {
    PluginParam* param = Param(index);
    if (param == nullptr) {
        return;
    }
    param->SetFromNormalised(normalised);
    pending_.Mark(index);
    AnnounceParamChange(index, normalised);
}

bool PluginCore::SetParamFromHost(int index, double normalised) {
    PluginParam* param = Param(index);
    if (param == nullptr) {
        return false;
    }
    // NaN passes on: the parameter turns it into its maximum, and the controls show that.
    const double x = normalised < 0.0 ? 0.0 : (normalised > 1.0 ? 1.0 : normalised);
    NotifyEditor(index, x, true);
    param->SetFromNormalised(x);
    pending_.Mark(index);
    return true;
}

bool PluginCore::SetParamPlain(int index, double plain) {
    PluginParam* param = Param(index);
    if (param == nullptr || std::isnan(plain)) {
        return false;
    }
    NotifyEditor(index, plain, false);
    param->SetValue(param->Clamp(plain));
    pending_.Mark(index);
    return true;
}

double PluginCore::ParamNormalised(int index) const {
    const PluginParam* param = Param(index);
    return param != nullptr ? param->ToNormalised(param->Value()) : 0.0;
}

// audio thread
void PluginCore::ApplyPendingParams() {
    pending_.TakeEach([this](int index) { ParamChanged(index); });
}

// Each control's first value also becomes its default (a double click returns to it).
void PluginCore::AttachEditor(PluginEditor* editor) {
    if (editor == nullptr) {
        return;
    }
    InstanceHold hold(lock_);
    for (int i = 0; i < ParamCount(); ++i) {
        const PluginParam* param = Param(i);
        editor->ParamValueChanged(i, param->ToNormalised(param->Value()), true);
    }
    editor->PrepareCanvas();
    if (editor_ != editor) {
        delete editor_;
        editor_ = editor;
    }
    if (link_ != nullptr) {
        link_->EditorChanged();
    }
}

void PluginCore::StateRestored() {
    if (editor_ == nullptr) {
        return;
    }
    for (int i = 0; i < ParamCount(); ++i) {
        NotifyEditor(i, Param(i)->Value(), false);
    }
}

bool PluginCore::SetBlockLength(int frames) {
    if (frames == blockSize_) {
        return true;
    }
    if (frames < 0 || frames > MaxBlockLength) {
        return false;
    }
    const auto bytes = static_cast<std::int32_t>(frames * sizeof(double));
    int fitted = frames;
    auto resize = [&](HeapBuffer& scratch, double** slot) {
        scratch.Resize(bytes, true);
        if (scratch.Used() > 0) {
            std::memset(scratch.Data(), 0, static_cast<std::size_t>(scratch.Used()));
        }
        *slot = scratch.As<double>(); // the old block may be gone
        fitted = std::min(fitted, scratch.Used() / static_cast<int>(sizeof(double)));
    };
    for (int i = 0; i < InputChannelCount(); ++i) {
        resize(Input(i)->scratch, Input(i)->slot);
    }
    for (int i = 0; i < OutputChannelCount(); ++i) {
        resize(Output(i)->scratch, Output(i)->slot);
    }
    // A scratch that could not grow limits the block to what every channel holds.
    blockSize_ = fitted;
    return fitted == frames;
}

bool PluginCore::LegalIO(int inputs, int outputs) {
    bool legal = false;
    for (int i = 0; i < channelConfigs_.Count() && !legal; ++i) {
        const ChannelPair* pair = channelConfigs_.Get(i);
        legal = pair->inputs == inputs && (outputs == -1 || pair->outputs == outputs);
    }
    Trace("PluginCore::LegalIO", __LINE__, "%d:%d:%s", inputs, outputs,
          legal ? "legal" : "illegal");
    return legal;
}

void PluginCore::LimitToStereo() {
    for (int i = 2; i < InputChannelCount(); ++i) {
        Input(i)->connected = false;
        *Input(i)->slot = Input(i)->Scratch();
    }
    for (int i = 2; i < OutputChannelCount(); ++i) {
        Output(i)->connected = true;
    }
}

int PluginCore::ChannelPairCount() const {
    return channelConfigs_.Count();
}

const ChannelPair* PluginCore::ChannelPairAt(int index) const {
    return channelConfigs_.Get(index);
}

void PluginCore::SetHostIdentity(int hostType, std::int32_t hostVersion) {
    hostType_ = hostType;
    hostVersion_ = hostVersion;
}
