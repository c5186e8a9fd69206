// Where a line of text ends: at CR LF, CR or LF. Every reader of text files (input files,
// common-words files, settings and catalogue files, the charset look-up) finds its line ends
// here, so that Windows, Unix and Macintosh files, and files that mix them, read alike. A
// line's text never holds a CR or an LF.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QStringView>

namespace lxt {

inline constexpr char kCr = '\r';
inline constexpr char kLf = '\n';

inline bool IsLineEnd(char c) {
    // Both line-end bytes are below 14: one comparison rules out almost every byte.
    return static_cast<unsigned char>(c) <= static_cast<unsigned char>(kCr) &&
           (c == kCr || c == kLf);
}
inline bool IsLineEnd(QChar c) {
    return c.unicode() <= u'\r' && (c == u'\r' || c == u'\n');
}

// The index of the first CR or LF in `bytes` from `from` on, or -1.
qsizetype IndexOfLineEnd(QByteArrayView bytes, qsizetype from = 0);
// The index of the first CR or LF in `text` from `from` on, or -1.
qsizetype IndexOfLineEnd(QStringView text, qsizetype from = 0);

// The length of the line end that starts at `at` (a CR or LF there): 2 for CR LF, else 1.
qsizetype LineEndLength(QStringView text, qsizetype at);

// The lines of `text`. A line end at the very end does not open another, empty line.
QList<QStringView> SplitLines(QStringView text);

}  // namespace lxt
