#include "support/utf8.h"

#include "support/win1252.h"

namespace lxt {

namespace {

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The range the second byte of a sequence must lie in after lead byte `lead` (which keeps
// out over-long forms, surrogates and codes beyond U+10FFFF); low > high for a byte that is
// no lead at all.
struct SecondRange {
    unsigned char low;
    unsigned char high;
};

SecondRange SecondByteRange(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return {0x80, 0xBF};
    if (lead == 0xE0) return {0xA0, 0xBF};
    if (lead == 0xED) return {0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF) return {0x80, 0xBF};
    if (lead == 0xF0) return {0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {0x80, 0xBF};
    if (lead == 0xF4) return {0x80, 0x8F};
    return {1, 0};
}

int SequenceLength(unsigned char lead) {
    return lead < 0xE0 ? 2 : (lead < 0xF0 ? 3 : 4);
}

}  // namespace

QString DecodeUtf8(QByteArrayView bytes) {
    QString out;
    AppendUtf8(bytes, out);
    return out;
}

void AppendUtf8(QByteArrayView bytes, QString& out) {
    const qsizetype start = out.size();
    // Never more characters than bytes.
    out.resize(start + bytes.size());
    auto* dst = reinterpret_cast<char16_t*>(out.data()) + start;
    char16_t* const first = dst;
    const auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype ascii = WidenAscii(src + i, n - i, dst);
        dst += ascii;
        i += ascii;
        if (i >= n) break;
        const unsigned char lead = src[i];
        if (lead < 0x80) {
            *dst++ = lead;
            ++i;
            continue;
        }
        const SecondRange range = SecondByteRange(lead);
        if (i + 1 >= n || src[i + 1] < range.low || src[i + 1] > range.high) {
            // A stray continuation byte, a byte that is never a lead, or a lead whose next
            // byte cannot continue it: one replacement for this byte.
            *dst++ = kReplacementChar;
            ++i;
            continue;
        }
        const int length = SequenceLength(lead);
        char32_t code = lead & (0x7F >> length);
        int taken = 1;
        while (taken < length && i + taken < n && (taken == 1 || IsContinuation(src[i + taken]))) {
            code = (code << 6) | (src[i + taken] & 0x3F);
            ++taken;
        }
        i += taken;
        if (taken < length) {
            // A sequence cut short: one replacement for the bytes it had.
            *dst++ = kReplacementChar;
        } else if (code < 0x10000) {
            *dst++ = static_cast<char16_t>(code);
        } else {
            *dst++ = QChar::highSurrogate(code);
            *dst++ = QChar::lowSurrogate(code);
        }
    }
    out.truncate(start + (dst - first));
}

}  // namespace lxt
