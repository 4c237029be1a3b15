// SwellEnvelope: the gain curve. A trigger ducks linearly from the current value towards zero,
// waits, rises linearly back over riseLength samples and holds at holdLevel until the next one.
#pragma once

#include <cmath>
#include <cstdint>

class SwellEnvelope {
public:
    enum class Phase { Hold, Duck, Wait, Rise };

    SwellEnvelope() = default;

    // audio thread
    double Step(bool trigger) {
        if (trigger) {
            counter_ = 0;
            duckStart_ = value_;
            phase_ = Phase::Duck;
        }
        switch (phase_) {
        case Phase::Rise: {
            const double ratio = static_cast<double>(counter_) / static_cast<double>(riseLength_);
            const double exponent = riseCurve_ * riseCurve_;
            // x^1 is x exactly, so the power function is only needed for other curves.
            value_ = exponent == 1.0 ? ratio : std::pow(ratio, exponent);
            ++counter_;
            if (counter_ >= riseLength_) {
                phase_ = Phase::Hold;
                counter_ = 0;
            }
            break;
        }
        case Phase::Hold:
            value_ = holdLevel_;
            break;
        case Phase::Duck:
            value_ = (1.0 - static_cast<double>(counter_) / static_cast<double>(duckLength_)) *
                     duckStart_;
            ++counter_;
            if (counter_ >= duckLength_) {
                phase_ = Phase::Wait;
                counter_ = 0;
            }
            break;
        case Phase::Wait:
            ++counter_;
            if (counter_ >= waitLength_) {
                phase_ = Phase::Rise;
                counter_ = 0;
            }
            break;
        }
        if (std::fabs(value_) > 1.0) {
            value_ = 1.0;
        }
        return value_;
    }

    // Lengths below one sample would divide by zero; they are raised to one.
    void SetRiseLength(std::int32_t samples);
    void SetDuckLength(std::int32_t samples);
    void SetWaitLength(std::int32_t samples) { waitLength_ = samples < 0 ? 0 : samples; }

    std::int32_t RiseLength() const { return riseLength_; }
    std::int32_t DuckLength() const { return duckLength_; }
    std::int32_t WaitLength() const { return waitLength_; }
    double Value() const { return value_; }
    Phase CurrentPhase() const { return phase_; }
    std::int32_t Counter() const { return counter_; }

private:
    double value_ = 1.0;
    double duckStart_ = 1.0;
    std::int32_t riseLength_ = 10000;
    double holdLevel_ = 1.0;
    std::int32_t duckLength_ = 132;
    std::int32_t waitLength_ = 1500 - 132;
    double riseCurve_ = 1.0;
    std::int32_t counter_ = 0;
    Phase phase_ = Phase::Hold;
};
