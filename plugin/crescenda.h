// Crescenda: the swell effect. It finds note attacks in the mono sum of the input, dips the gain
// just before each attack reaches the output through a look-ahead delay (reported as latency)
// and raises it linearly back to full over the swell time.
#pragma once

#include "framework/plugin_core.h"
#include "plugin/delay_line.h"
#include "plugin/onset_detector.h"
#include "plugin/swell_envelope.h"

#include <cstdint>
#include <vector>

class Crescenda : public PluginCore {
public:
    // The longest delay the Depth parameter can ask for, in samples.
    static constexpr int MaxLookAhead = 1500;
    // Blocks are processed in pieces of at most this many frames, so the envelope buffer and the
    // delay rings are sized once at construction and the audio thread never allocates.
    static constexpr int MaxPiece = 512;

    Crescenda();
    ~Crescenda() override;

    void ParamChanged(int index) override;
    int PendingLatency() const override;
    void RenderDouble(double** inputs, double** outputs, int frames) override; // audio thread
    // Keeps every running state; only a changed host sample rate is applied (see FollowHostRate).
    void ClearState() override;

    // For tests that reach the running state directly.
    OnsetDetector& Detector() { return detector_; }
    const SwellEnvelope& Envelope() const { return envelope_; }
    int LookAhead() const { return lookAhead_; }

private:
    void InitParameters();
    void AddFactoryPresets();
    // Applies the base's sample rate when it differs from the one in use and is usable: the
    // detector's rate and filters, the duck, wait and rise lengths follow; filter outputs,
    // envelope phase and counters and the delay lines are kept.
    void FollowHostRate();
    void UpdateRiseLength();
    void UpdateLatency();
    // The wet mix for a Depth value: its cube root (ln 0 is −inf, so Depth 0 gives mix 0 exactly).
    static double MixFor(double depth);
    // The look-ahead delay, the latency while on, for a mix: MaxLookAhead · mix, truncated.
    static std::int32_t LookAheadFor(double mix);
    // The OnOff parameter's stored value says on; NaN counts as on.
    bool SwitchedOn() const;
    // The parameter's value limited to its range (NaN gives the default).
    double LimitedValue(int index) const;
    void RenderPiece(const double* in0, const double* in1, double* out0, double* out1, int frames);
    void RenderDelayed(int channel, double* out, int frames);

    double volume_ = 1.0;
    double mix_ = 0.0;
    bool on_ = false; // until the host opens the effect, it passes audio through
    std::int32_t lookAhead_ = MaxLookAhead;
    std::vector<double> envelopeBuffer_;
    SwellEnvelope envelope_;
    DelayLine delayLines_[2];
    OnsetDetector detector_;
    double rate_; // the sample rate the processing values were computed for
};
