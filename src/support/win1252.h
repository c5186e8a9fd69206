// The one Windows-1252 codec of the program: bytes from files become characters through
// its table, and output and settings files are written through it. The five bytes that
// Windows-1252 leaves undefined (129, 141, 143, 144, 157) map to the control characters of
// the same code; a character the code page cannot hold is written as "?".
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

namespace lxt {

// The character of Windows-1252 byte b.
QChar Win1252Char(unsigned char b);
// The Windows-1252 byte of c, or -1 when the code page has no byte for it.
int Win1252Byte(QChar c);
// The Windows-1252 code of c, with 63 ("?") for a character the code page cannot hold.
int Win1252Code(QChar c);

// Widens the blocks of kAsciiBlock bytes below 128 at the start of src (n bytes) into dst,
// one character per byte; gives back the bytes widened (a multiple of kAsciiBlock).
inline constexpr qsizetype kAsciiBlock = 16;
qsizetype WidenAscii(const unsigned char* src, qsizetype n, char16_t* dst);

QString DecodeWin1252(QByteArrayView bytes);
// Appends the characters of bytes to out (no allocation beyond out's growth).
void AppendWin1252(QByteArrayView bytes, QString& out);
QByteArray EncodeWin1252(QStringView text);

}  // namespace lxt
