#include "input/utf8_detection.h"

#include <QFile>
#include <cstring>

namespace lxt {

namespace {

constexpr qint64 kReadBlock = 256 * 1024;
constexpr quint64 kHighBits = 0x8080808080808080ULL;

}  // namespace

Utf8Verdict Utf8Checker::Feed(QByteArrayView bytes) {
    if (invalid_) return Utf8Verdict::Invalid;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        if (needed_ == 0) {
            // Runs of 7-bit bytes are passed eight at a time.
            while (i + 8 <= n) {
                quint64 word = 0;
                std::memcpy(&word, p + i, sizeof word);
                if ((word & kHighBits) != 0) break;
                i += 8;
            }
            if (i >= n) break;
            const unsigned char b = p[i++];
            if (b < 0x80) continue;
            low_ = 0x80;
            high_ = 0xBF;
            if (b >= 0xC2 && b <= 0xDF) {
                needed_ = 1;
            } else if (b >= 0xE0 && b <= 0xEF) {
                needed_ = 2;
                if (b == 0xE0) low_ = 0xA0;   // no overlong three-byte form
                if (b == 0xED) high_ = 0x9F;  // no surrogate halves
            } else if (b >= 0xF0 && b <= 0xF4) {
                needed_ = 3;
                if (b == 0xF0) low_ = 0x90;   // no overlong four-byte form
                if (b == 0xF4) high_ = 0x8F;  // nothing above U+10FFFF
            } else {
                invalid_ = true;
                return Utf8Verdict::Invalid;
            }
            multiByte_ = true;
            continue;
        }
        const unsigned char b = p[i++];
        if (b < low_ || b > high_) {
            invalid_ = true;
            return Utf8Verdict::Invalid;
        }
        low_ = 0x80;
        high_ = 0xBF;
        --needed_;
    }
    return multiByte_ ? Utf8Verdict::MultiByte : Utf8Verdict::Ascii;
}

Utf8Verdict Utf8Checker::Finish() const {
    if (invalid_ || needed_ > 0) return Utf8Verdict::Invalid;
    return multiByte_ ? Utf8Verdict::MultiByte : Utf8Verdict::Ascii;
}

bool IsUtf8WithoutMark(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
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
