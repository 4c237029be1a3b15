// Runs a scope with denormals flushed to zero, as the plug-in's process callbacks do, so that a
// reference computed in the test process sees the same arithmetic.
#pragma once

#include <xmmintrin.h>

class FlushDenormals {
public:
    FlushDenormals() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ | 0x8000u | 0x0040u); }
    ~FlushDenormals() { _mm_setcsr(saved_); }
    FlushDenormals(const FlushDenormals&) = delete;
    FlushDenormals& operator=(const FlushDenormals&) = delete;

private:
    unsigned saved_;
};
