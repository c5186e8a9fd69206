// Text whose characters all lie below 256, held one byte per character: widening it to UTF-16
// and comparing it with UTF-16 code units, sixteen bytes or eight units at a time. Both read
// whole blocks, so the bytes and units they are given must have room after their end (at least
// kNarrowRoom bytes after the bytes, kNarrowRoom units after the units and after the output).
#pragma once

#include <QtGlobal>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lxt {

inline constexpr qsizetype kNarrowRoom = 16;

// Writes the `length` characters at `from` as UTF-16 code units to `to`.
inline void WidenNarrow(const unsigned char* from, qsizetype length, char16_t* to) {
    qsizetype k = 0;
#if defined(__SSE2__)
    for (; k < length; k += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k),
                         _mm_unpacklo_epi8(v, _mm_setzero_si128()));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k + 8),
                         _mm_unpackhi_epi8(v, _mm_setzero_si128()));
    }
#else
    for (; k < length; ++k) to[k] = from[k];
#endif
}

// True when the `length` code units at `units` are the `length` characters at `bytes`.
inline bool NarrowEqualsUnits(const unsigned char* bytes, const char16_t* units, qsizetype length) {
#if defined(__SSE2__)
    if (length <= 8) {
        // The usual word: one block, two mask bits per unit, the units after the end ignored.
        const __m128i wide = _mm_unpacklo_epi8(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes)), _mm_setzero_si128());
        const __m128i held = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
        const unsigned differ = ~unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(wide, held)));
        return (differ & ((1u << (2 * length)) - 1)) == 0;
    }
    for (qsizetype k = 0; k < length; k += 8) {
        const __m128i wide = _mm_unpacklo_epi8(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes + k)), _mm_setzero_si128());
        const __m128i held = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + k));
        unsigned same = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(wide, held)));
        // Two mask bits per unit; the units after the end do not count.
        if (length - k < 8) same |= 0xFFFFu << (2 * (length - k));
        if ((same & 0xFFFFu) != 0xFFFFu) return false;
    }
    return true;
#else
    for (qsizetype k = 0; k < length; ++k) {
        if (units[k] != bytes[k]) return false;
    }
    return true;
#endif
}

}  // namespace lxt
