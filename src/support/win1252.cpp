#include "support/win1252.h"

#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lxt {

namespace {

// Characters of the bytes 128 to 159. The five bytes the code page leaves undefined (129,
// 141, 143, 144, 157) stay the control characters of the same code.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 128-135
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 136-143
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 144-151
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 152-159
};
// The highest of them: no character above it has a byte.
constexpr char16_t kHighestHighControl = [] {
    char16_t highest = 0;
    for (const char16_t c : kHighControls) highest = c > highest ? c : highest;
    return highest;
}();

struct DecodeTable {
    std::array<char16_t, 256> chars{};
    constexpr DecodeTable() {
        for (int b = 0; b < 256; ++b) chars[b] = static_cast<char16_t>(b);
        for (int i = 0; i < 32; ++i) chars[128 + i] = kHighControls[i];
    }
};

constexpr DecodeTable kDecode;

}  // namespace

qsizetype WidenAscii(const unsigned char* src, qsizetype n, char16_t* dst) {
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    for (; i + kAsciiBlock <= n; i += kAsciiBlock) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        if (_mm_movemask_epi8(v) != 0) break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 8), _mm_unpackhi_epi8(v, zero));
    }
#else
    for (; i + kAsciiBlock <= n; i += kAsciiBlock) {
        bool ascii = true;
        for (qsizetype k = i; k < i + kAsciiBlock; ++k) ascii = ascii && src[k] < 0x80;
        if (!ascii) break;
        for (qsizetype k = i; k < i + kAsciiBlock; ++k) dst[k] = src[k];
    }
#endif
    return i;
}

QChar Win1252Char(unsigned char b) {
    return QChar(kDecode.chars[b]);
}

int Win1252Byte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
    if (u > kHighestHighControl) return -1;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u) return 128 + i;
    }
    return -1;
}

int Win1252Code(QChar c) {
    const int b = Win1252Byte(c);
    return b < 0 ? '?' : b;
}

QString DecodeWin1252(QByteArrayView bytes) {
    QString out;
    AppendWin1252(bytes, out);
    return out;
}

void AppendWin1252(QByteArrayView bytes, QString& out) {
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar* dst = out.data() + start;
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    auto* wide = reinterpret_cast<char16_t*>(dst);
    for (;;) {
        i += WidenAscii(src + i, n - i, wide + i);
        if (i + kAsciiBlock > n) break;
        // A block with a byte of 128 or more goes through the table.
        for (const qsizetype end = i + kAsciiBlock; i < end; ++i) {
            dst[i] = QChar(kDecode.chars[src[i]]);
        }
    }
    for (; i < n; ++i) dst[i] = QChar(kDecode.chars[src[i]]);
}

QByteArray EncodeWin1252(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const int b = (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) ? u : Win1252Code(text[i]);
        dst[i] = static_cast<char>(b);
    }
    return out;
}

}  // namespace lxt
