// DenormalGuard: while it lives, the SSE unit flushes denormal results to zero and reads denormal
// operands as zero, so decaying filter tails cost no more than a loud signal. The caller's
// floating-point control word comes back when the guard goes. Writing the control word stalls
// the pipeline for several cycles, so it is written only when it differs from what is wanted
// (a host that already flushes denormals pays for two reads).
#pragma once

#include <xmmintrin.h>

class DenormalGuard {
public:
    static constexpr unsigned FlushToZero = 0x8000;      // MXCSR FTZ
    static constexpr unsigned DenormalsAreZero = 0x0040; // MXCSR DAZ

    DenormalGuard() : saved_(_mm_getcsr()) { Set(saved_ | FlushToZero | DenormalsAreZero); }
    ~DenormalGuard() { Set(saved_); }
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

private:
    static void Set(unsigned control) {
        if (_mm_getcsr() != control) {
            _mm_setcsr(control);
        }
    }

    unsigned saved_;
};
