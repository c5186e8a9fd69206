#include "input/utf8_detection.h"

#include <QFile>
#include <QtEndian>
#include <bit>

#include "support/native_file.h"

namespace lxt {

namespace {

constexpr qint64 kReadBlock = 256 * 1024;
constexpr quint64 kHighBits = 0x8080808080808080ULL;
constexpr unsigned char kContinuationLow = 0x80;
constexpr unsigned char kContinuationHigh = 0xBF;

}  // namespace

Utf8Verdict Utf8Checker::Feed(QByteArrayView bytes) {
    if (invalid_) return Utf8Verdict::Invalid;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    auto fail = [this] {
        invalid_ = true;
        return Utf8Verdict::Invalid;
    };
    while (i < n) {
        if (needed_ > 0) {
            // The rest of a sequence that the previous piece cut off.
            const unsigned char b = p[i++];
            if (b < low_ || b > high_) return fail();
            low_ = kContinuationLow;
            high_ = kContinuationHigh;
            --needed_;
            continue;
        }
        // Runs of 7-bit bytes are passed eight at a time, up to the first byte above 127.
        while (i + 8 <= n) {
            const quint64 high = qFromLittleEndian<quint64>(p + i) & kHighBits;
            if (high != 0) {
                i += std::countr_zero(high) / 8;
                break;
            }
            i += 8;
        }
        while (i < n && p[i] < 0x80) ++i;
        if (i >= n) break;

        const unsigned char lead = p[i++];
        int needed = 0;
        unsigned char low = kContinuationLow;
        unsigned char high = kContinuationHigh;
        if (lead >= 0xC2 && lead <= 0xDF) {
            needed = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            needed = 2;
            if (lead == 0xE0) low = 0xA0;   // no overlong three-byte form
            if (lead == 0xED) high = 0x9F;  // no surrogate halves
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            needed = 3;
            if (lead == 0xF0) low = 0x90;   // no overlong four-byte form
            if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
        } else {
            return fail();
        }
        multiByte_ = true;
        if (i + needed > n) {
            // Cut off by the end of the piece: finished byte by byte with the next one.
            needed_ = needed;
            low_ = low;
            high_ = high;
            continue;
        }
        if (p[i] < low || p[i] > high) return fail();
        for (int k = 1; k < needed; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return fail();
        }
        i += needed;
    }
    return multiByte_ ? Utf8Verdict::MultiByte : Utf8Verdict::Ascii;
}

Utf8Verdict Utf8Checker::Finish() const {
    if (invalid_ || needed_ > 0) return Utf8Verdict::Invalid;
    return multiByte_ ? Utf8Verdict::MultiByte : Utf8Verdict::Ascii;
}

bool IsUtf8WithoutMark(const QString& fileName) {
    QFile file;
    if (!OpenFile(file, fileName, QIODevice::ReadOnly)) return false;
    Utf8Checker checker;
    QByteArray block(kReadBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(block.data(), kReadBlock);
        if (got < 0) return false;
        if (got == 0) break;
        if (checker.Feed(QByteArrayView(block.constData(), got)) == Utf8Verdict::Invalid) {
            return false;
        }
    }
    return checker.Finish() == Utf8Verdict::MultiByte;
}

}  // namespace lxt
