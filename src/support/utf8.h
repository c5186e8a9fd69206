// The UTF-8 decoder of the program: bytes of a text read as UTF-8 become UTF-16 characters.
// Every invalid sequence (a stray continuation byte, a lead without the bytes it needs, an
// over-long form, a surrogate, a code beyond U+10FFFF) becomes one replacement character
// U+FFFD, and what follows it is decoded as usual; a text ending inside a sequence keeps
// everything before it.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace lxt {

inline constexpr char16_t kReplacementChar = 0xFFFD;

QString DecodeUtf8(QByteArrayView bytes);
// Appends the characters of bytes to out.
void AppendUtf8(QByteArrayView bytes, QString& out);

}  // namespace lxt
