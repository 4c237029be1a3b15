#include "plugin/swell_envelope.h"

void SwellEnvelope::SetRiseLength(std::int32_t samples) {
    riseLength_ = samples < 1 ? 1 : samples;
}

// A shorter duck can leave a running duck past its new end; the next step then ends it on its
// last value instead of going below zero.
void SwellEnvelope::SetDuckLength(std::int32_t samples) {
    duckLength_ = samples < 1 ? 1 : samples;
    if (phase_ == Phase::Duck && counter_ >= duckLength_) {
        counter_ = duckLength_ - 1;
    }
}
