// Small text pieces the whole program shares: the CR LF line break of its messages, output
// box and files, the trimming of blanks, and Latin-1 literals as text.
#pragma once

#include <QString>

namespace lxt {

// CR LF: the line break of messages, of the output box and of the files the program writes.
inline const QString kCrLf = QStringLiteral("\r\n");

// Removes blanks (not other white space) from both ends.
QString TrimBlanks(const QString& text);

// A Latin-1 literal as text.
inline QString Latin(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace lxt
