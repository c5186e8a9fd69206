// File services: existence, deletion with retries, reading the first lines of a text file
// and guessing a file's language from its head. Failures come back as results and out
// arguments; nothing here shows a message.
#pragma once

#include <QString>

#include "support/error_numbers.h"

namespace lxt {

// Further deletion attempts after the first one fails, and the wait between them.
inline constexpr int kDeleteRetries = 3;
inline constexpr int kDeleteRetryWaitMs = 500;
// Lines read for the language guess: from the head for the language attribute, and for the
// letter count; the letters of one language needed for a guess.
inline constexpr int kGuessHeadLines = 10;
inline constexpr int kGuessLetterLines = 40;
inline constexpr int kGuessLetterThreshold = 3;

// True for an existing file (not a folder); false for an empty path.
bool FileExists(const QString& path);

// What is said of a path refused by IsSpecialFile.
inline constexpr char kNotRegularFileText[] =
    "is not a regular file (a pipe, a device or a socket)";

// True for a path that names a pipe, a device or a socket: opening one may wait for ever or
// read without end, so the program never opens one as a file of its own.
bool IsSpecialFile(const QString& path);

// True when both paths name one existing file: the same device and the same file number,
// also through a hard link or a symbolic link.
bool SameFileOnDisk(const QString& first, const QString& second);

// Deletes a file, first clearing its hidden, read-only and system flags as asked. A file
// still marked read-only is not deleted. A failed deletion is tried again 3 times, 500 ms
// apart. True when the file is gone afterwards or never existed.
bool DeleteFile(const QString& path, bool clearHidden, bool clearReadOnly, bool clearSystem);

// Reads the first lines of a Windows-1252 text file. A line ends at CR LF, CR or LF. Empty lines
// are passed over when skipEmpty is set; reading stops when lineCount reaches maxLines (when above
// 0). utf8Pairs repairs two-byte UTF-8 in each line, and with it utf8Full the UTF-8 punctuation
// too. Lines are joined by a blank (joinBlank), else " / " (joinSlash), else CR LF. On a failure
// the result is empty and the error's description and number are set.
QString ReadFirstLines(const QString& path, QString& errorDescription, int& errorNumber,
                       int& lineCount, bool skipEmpty, int maxLines, bool utf8Pairs, bool utf8Full,
                       bool joinBlank, bool joinSlash);

// A two-letter language code for the text of a file: from a lang= or content= attribute in
// its first lines when that code is one of supportedCodes (codes joined by "_"), else from
// the German, French or Spanish letters in its first 40 lines, else defaultCode.
QString GuessLanguage(const QString& path, const QString& supportedCodes,
                      const QString& defaultCode);

}  // namespace lxt
