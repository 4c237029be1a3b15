// DenormalGuard: while it lives, the SSE unit flushes denormal results to zero and reads denormal
// operands as zero, so decaying filter tails cost no more than a loud signal. The caller's
// floating-point control word comes back when the guard goes.
#pragma once

#include <xmmintrin.h>

class DenormalGuard {
public:
    static constexpr unsigned FlushToZero = 0x8000;      // MXCSR FTZ
    static constexpr unsigned DenormalsAreZero = 0x0040; // MXCSR DAZ

    DenormalGuard() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ | FlushToZero | DenormalsAreZero); }
    ~DenormalGuard() { _mm_setcsr(saved_); }
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

private:
    unsigned saved_;
};
