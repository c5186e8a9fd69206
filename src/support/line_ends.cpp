#include "support/line_ends.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lxt {

qsizetype IndexOfLineEnd(QByteArrayView bytes, qsizetype from) {
    const char* data = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = from < 0 ? 0 : from;
#if defined(__SSE2__)
    // Sixteen bytes at a time.
    const __m128i cr = _mm_set1_epi8(kCr);
    const __m128i lf = _mm_set1_epi8(kLf);
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const unsigned mask =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        if (mask != 0) return i + __builtin_ctz(mask);
    }
#endif
    for (; i < n; ++i) {
        if (IsLineEnd(data[i])) return i;
    }
    return -1;
}

qsizetype IndexOfLineEnd(QStringView text, qsizetype from) {
    const qsizetype n = text.size();
    for (qsizetype i = from < 0 ? 0 : from; i < n; ++i) {
        if (IsLineEnd(text[i])) return i;
    }
    return -1;
}

qsizetype LineEndLength(QStringView text, qsizetype at) {
    return text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
}

QList<QStringView> SplitLines(QStringView text) {
    QList<QStringView> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = IndexOfLineEnd(text, start);
        if (end < 0) {
            lines.append(text.mid(start));
            break;
        }
        lines.append(text.mid(start, end - start));
        start = end + LineEndLength(text, end);
    }
    return lines;
}

}  // namespace lxt
