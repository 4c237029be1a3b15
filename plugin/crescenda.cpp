#include "plugin/crescenda.h"

#include "plugin/crescenda_parameters.h"
#include "plugin/editor_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Rates outside this range are not applied: below it the 60 Hz filter would be unstable and the
// duck shorter than a sample, above it the rise lengths would not fit their counters.
constexpr double MinUsableRate = 1000.0;
constexpr double MaxUsableRate = 10000000.0;

bool IsUsableRate(double rate) {
    return rate >= MinUsableRate && rate <= MaxUsableRate; // false for NaN
}

// trunc(trunc(rate) · 0.003): 132 samples at 44.1 kHz.
std::int32_t DuckLengthFor(double rate) {
    return static_cast<std::int32_t>(std::trunc(std::trunc(rate) * 0.003));
}

// One envelope value per frame from the mono sum. Working on local copies lets the compiler keep
// the filter states in registers: the envelope buffer could otherwise alias them, and every
// sample would store and reload them.
void DetectAndShape(OnsetDetector& detectorState, SwellEnvelope& envelopeState, const double* in0,
                    const double* in1, double* env, int frames) {
    OnsetDetector detector = detectorState;
    SwellEnvelope envelope = envelopeState;
    for (int k = 0; k < frames; ++k) {
        const double x = (in1[k] + in0[k]) * 0.5;
        env[k] = envelope.Step(detector.Step(x));
    }
    detectorState = detector;
    envelopeState = envelope;
}

// out = (mix·env + (1 − mix)) · (src · volume), in exactly that grouping.
void ApplyGain(const double* __restrict src, const double* __restrict env, double* __restrict out,
               int count, double mix, double rest, double volume) {
    for (int k = 0; k < count; ++k) {
        out[k] = (mix * env[k] + rest) * (src[k] * volume);
    }
}

} // namespace

Crescenda::Crescenda()
    : PluginCore(CrescendaIdentity()),
      envelopeBuffer_(MaxPiece, 0.0), delayLines_{DelayLine(MaxLookAhead, MaxPiece),
                                                  DelayLine(MaxLookAhead, MaxPiece)},
      rate_(SampleRate()) {
    InitParameters();
    LayOutEditor(*this); // after the parameters, whose values the controls take as defaults
    AddFactoryPresets();

    envelope_.SetDuckLength(DuckLengthFor(SampleRate()));
    detector_.SetSampleRate(SampleRate());
    lookAhead_ = MaxLookAhead;
    envelope_.SetWaitLength(std::max(0, MaxLookAhead - envelope_.DuckLength()));
}

Crescenda::~Crescenda() = default;

void Crescenda::InitParameters() {
    for (int i = 0; i < CrescendaParamCount; ++i) {
        const ParamRow& row = CrescendaParamTable[i];
        PluginParam* param = Param(i);
        if (row.kind == ParamKindInteger) {
            param->SetKind(ParamKindInteger);
            param->InitNumeric(row.name, std::trunc(row.defaultValue), std::trunc(row.minimum),
                               std::trunc(row.maximum), 1.0, 1.0);
        } else {
            param->InitNumeric(row.name, row.defaultValue, row.minimum, row.maximum, row.step,
                               row.shape);
        }
        param->SetUnit(row.unit);
    }
}

void Crescenda::AddFactoryPresets() {
    for (const FactoryPreset& preset : CrescendaFactoryPresets) {
        AddPreset(preset.name, preset.values);
    }
}

double Crescenda::LimitedValue(int index) const {
    const PluginParam* param = Param(index);
    const double v = param->Value();
    if (std::isnan(v)) {
        return param->Default();
    }
    return std::min(std::max(v, param->Minimum()), param->Maximum());
}

// Audio thread at the start of a block (or a request the host never overlaps with processing):
// the processing values below are touched by no other thread.
void Crescenda::ParamChanged(int index) {
    if (Param(index) == nullptr) {
        return;
    }
    switch (index) {
    case ParamSensitivity: {
        // 15.3 · 10^(−3v): 0.1215 at the default 0.7.
        const double v = LimitedValue(index);
        detector_.SetThreshold(std::exp(std::log(10.0) * (v * detector_.Range() / 20.0)) *
                               (detector_.LowCutoff() * detector_.ThresholdScale()));
        break;
    }
    case ParamTime:
        FollowHostRate();
        UpdateRiseLength();
        break;
    case ParamDepth:
        mix_ = MixFor(LimitedValue(index));
        lookAhead_ = LookAheadFor(mix_);
        envelope_.SetWaitLength(std::max(0, lookAhead_ - envelope_.DuckLength()));
        UpdateLatency();
        break;
    case ParamVol:
        volume_ = LimitedValue(index);
        break;
    case ParamOnOff:
        on_ = SwitchedOn();
        UpdateLatency();
        break;
    default:
        break;
    }
}

// 10^(3v − 2) seconds: 0.01 s to 10 s.
void Crescenda::UpdateRiseLength() {
    const double v = LimitedValue(ParamTime);
    envelope_.SetRiseLength(
        static_cast<std::int32_t>(std::trunc(std::trunc(rate_) * std::pow(10.0, v * 3.0 - 2.0))));
}

void Crescenda::UpdateLatency() {
    SetLatencySamples(on_ ? lookAhead_ : 0);
}

double Crescenda::MixFor(double depth) {
    return std::exp(std::log(depth) * 0.3333333333333333);
}

std::int32_t Crescenda::LookAheadFor(double mix) {
    return std::min(static_cast<std::int32_t>(std::trunc(MaxLookAhead * mix)),
                    static_cast<std::int32_t>(MaxLookAhead));
}

bool Crescenda::SwitchedOn() const {
    const double v = Param(ParamOnOff)->Value();
    return std::isnan(v) || LimitedValue(ParamOnOff) != 0.0;
}

// Any thread: the parameter values are atomics, and these are the steps ParamChanged takes.
int Crescenda::PendingLatency() const {
    return SwitchedOn() ? LookAheadFor(MixFor(LimitedValue(ParamDepth))) : 0;
}

void Crescenda::ClearState() {
    PluginCore::ClearState();
    FollowHostRate();
}

void Crescenda::FollowHostRate() {
    const double rate = SampleRate();
    if (rate == rate_ || !IsUsableRate(rate)) {
        return;
    }
    rate_ = rate;
    detector_.SetSampleRate(rate);
    envelope_.SetDuckLength(DuckLengthFor(rate));
    envelope_.SetWaitLength(std::max(0, lookAhead_ - envelope_.DuckLength()));
    UpdateRiseLength();
}

// audio thread
void Crescenda::RenderDouble(double** inputs, double** outputs, int frames) {
    if (inputs == nullptr || outputs == nullptr) {
        return;
    }
    for (int offset = 0; offset < frames; offset += MaxPiece) {
        const int piece = std::min(MaxPiece, frames - offset);
        RenderPiece(inputs[0] + offset, inputs[1] + offset, outputs[0] + offset,
                    outputs[1] + offset, piece);
    }
}

// Every input sample of the piece is read (detector, delay lines) before any output sample is
// written, so the host may hand the same buffers as input and output.
void Crescenda::RenderPiece(const double* in0, const double* in1, double* out0, double* out1,
                            int frames) {
    DetectAndShape(detector_, envelope_, in0, in1, envelopeBuffer_.data(), frames);
    if (on_) {
        delayLines_[0].Write(in0, frames);
        delayLines_[1].Write(in1, frames);
        RenderDelayed(0, out0, frames);
        RenderDelayed(1, out1, frames);
    } else {
        if (out0 != in0) {
            std::memmove(out0, in0, static_cast<size_t>(frames) * sizeof(double));
        }
        if (out1 != in1) {
            std::memmove(out1, in1, static_cast<size_t>(frames) * sizeof(double));
        }
    }
}

// The source of out[k] is the input lookAhead samples earlier in the channel's stream; the piece
// itself is already in the delay line, so it is read from there.
void Crescenda::RenderDelayed(int channel, double* out, int frames) {
    DelayLine::Run first{};
    DelayLine::Run second{};
    delayLines_[channel].Read(frames + lookAhead_, frames, first, second);
    const double rest = 1.0 - mix_;
    const double* env = envelopeBuffer_.data();
    ApplyGain(first.samples, env, out, first.count, mix_, rest, volume_);
    ApplyGain(second.samples, env + first.count, out + first.count, second.count, mix_, rest,
              volume_);
}
