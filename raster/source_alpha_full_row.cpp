// The editor's hot path: every knob, scale and switch frame is drawn with source alpha at full
// weight. Four pixels at a time with SSE2 (baseline on x86-64), bit-identical to the formula:
// since (d - s) * (255 - sa) / 256 truncates toward zero, it equals the sign of d - s times
// (|d - s| * (255 - sa)) >> 8, and |d - s| * (255 - sa) fits an unsigned 16-bit lane.
#include "raster/blit_kernels.h"

#include <algorithm>
#include <cstring>
#include <emmintrin.h>

namespace {

inline PX_Pixel32 BlendOne(PX_Pixel32 d, PX_Pixel32 s) {
    const int sa = static_cast<int>(s >> 24);
    if (sa == 0) {
        return d;
    }
    if (sa == 255) {
        return s;
    }
    PX_Pixel32 out = static_cast<PX_Pixel32>(std::min(255, static_cast<int>(d >> 24) + sa)) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const int dc = static_cast<int>((d >> shift) & 0xFF);
        const int sc = static_cast<int>((s >> shift) & 0xFF);
        out |= static_cast<PX_Pixel32>(sc + (dc - sc) * (255 - sa) / 256) << shift;
    }
    return out;
}

inline __m128i BlendFour(__m128i d, __m128i s) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i sa = _mm_srli_epi32(s, 24);
    const __m128i inverse = _mm_sub_epi32(_mm_set1_epi32(255), sa);
    // (255 - sa) in both 16-bit halves of each pixel, then spread over its four channels.
    const __m128i inverse16 = _mm_or_si128(inverse, _mm_slli_epi32(inverse, 16));
    const __m128i weightLo = _mm_unpacklo_epi32(inverse16, inverse16);
    const __m128i weightHi = _mm_unpackhi_epi32(inverse16, inverse16);

    const __m128i sOverD = _mm_subs_epu8(s, d);
    const __m128i difference = _mm_or_si128(_mm_subs_epu8(d, s), sOverD);
    const __m128i qLo =
        _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(difference, zero), weightLo), 8);
    const __m128i qHi =
        _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(difference, zero), weightHi), 8);
    const __m128i q = _mm_packus_epi16(qLo, qHi);

    const __m128i dNotBelowS = _mm_cmpeq_epi8(sOverD, zero);
    const __m128i colour = _mm_or_si128(_mm_and_si128(dNotBelowS, _mm_adds_epu8(s, q)),
                                        _mm_andnot_si128(dNotBelowS, _mm_subs_epu8(s, q)));
    const __m128i alpha = _mm_and_si128(alphaMask, _mm_adds_epu8(d, s));
    const __m128i blended = _mm_or_si128(_mm_andnot_si128(alphaMask, colour), alpha);

    const __m128i transparent = _mm_cmpeq_epi32(sa, zero);
    return _mm_or_si128(_mm_and_si128(transparent, d), _mm_andnot_si128(transparent, blended));
}

} // namespace

void SourceAlphaFullRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int /*ia*/) {
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int x = 0;
    for (; x + 4 <= cols; x += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x));
        const __m128i sa = _mm_and_si128(s, alphaMask);
        const int opaque = _mm_movemask_epi8(_mm_cmpeq_epi32(sa, alphaMask));
        if (opaque == 0xFFFF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + x), s);
            continue;
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(sa, _mm_setzero_si128())) == 0xFFFF) {
            continue;
        }
        __m128i* const out = reinterpret_cast<__m128i*>(dest + x);
        _mm_storeu_si128(out, BlendFour(_mm_loadu_si128(out), s));
    }
    for (; x < cols; ++x) {
        dest[x] = BlendOne(dest[x], src[x]);
    }
}
