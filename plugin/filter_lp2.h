// FilterLP2: a second-order resonant low-pass on doubles with unity gain at 0 Hz, made from
// central differences. The detector steps it sample by sample; the block operations exist for
// other users of the BlockProcessor interface.
#pragma once

#include "plugin/block_processor.h"

class FilterLP2 : public BlockProcessor {
public:
    FilterLP2(double sampleRate, double cutoff, double quality);

    void ProcessBlock(const double* input, double* output, int count) override;
    void ProcessBlock(const std::vector<double>& input, std::vector<double>& output) override;

    // Each setter recomputes the coefficients and keeps the outputs, so a running filter can be
    // retuned without a jump in its state.
    void SetSampleRate(double sampleRate);
    void SetCutoff(double cutoff);
    void SetQuality(double quality);

    // y = (u·k + y1·a1 + y2·a2)·g, summed left to right; the order fixes every bit.
    double Step(double u) {
        double t = u * k_;
        t = t + y1_ * a1_;
        t = t + y2_ * a2_;
        const double y = t * g_;
        y2_ = y1_;
        y1_ = y;
        y0_ = y;
        return y;
    }

    double SampleRate() const { return fs_; }
    double Cutoff() const { return fc_; }
    double Quality() const { return q_; }

private:
    void UpdateCoefficients();

    double fs_;
    double q_;
    double w_ = 0.0;
    double fc_;
    double g_ = 0.0;
    double k_ = 0.0;
    double a1_ = 0.0;
    double a2_ = 0.0;
    double y0_ = 0.0;
    double y1_ = 0.0;
    double y2_ = 0.0;
};
