// Input file inspection: decides from a five-byte header and a sample of at most 16,384
// bytes whether a file can be read as text and which line endings it has, and whether it is
// UTF-8: by its byte-order mark or charset declaration, or, without either, by being valid
// UTF-8 throughout (the one check that reads the whole file, once). Tells the user why a
// file is refused. Also the docx test, the ZIP signature test and the size texts shown in
// the main window.
#pragma once

#include <QString>
#include <QtGlobal>

namespace lxt {

class Ui;

// Header and text codes.
inline constexpr int kCodeEmptyName = -5;
inline constexpr int kCodeNotFound = -1;
inline constexpr int kCodeZeroLength = -2;
inline constexpr int kCodePermissionDenied = -3;
inline constexpr int kCodeTiny = -4;
inline constexpr int kCodeUnreadable = -9;
inline constexpr int kHeaderNone = 0;
inline constexpr int kHeaderUtf16LE = 1;
inline constexpr int kHeaderUtf16BE = 2;
inline constexpr int kHeaderUtf8 = 3;
inline constexpr int kHeaderUtf32BE = 5;
inline constexpr int kCodeRtf = 6;
inline constexpr int kTextNotText = 0;
inline constexpr int kTextWindows = 1;
inline constexpr int kTextUnix = 2;
inline constexpr int kTextMacintosh = 3;
inline constexpr int kTextOtherUnicode = 7;

inline constexpr qint64 kHeaderLength = 5;
inline constexpr qint32 kSampleSize = 16384;
inline constexpr int kCharsetLines = 10;
inline constexpr qint64 kBinaryAdviceMaxLength = 102399;
inline constexpr double kBinaryAdvicePercentage = 9.0;

// Header test: what the first five bytes (and, for a known text extension, the charset
// of the first 10 non-empty lines) say.
int HeaderTest(const QString& fileName, bool charset = true);

// Text test: the header test, then a scan of the sample for control characters and line
// ends. firstControlByte is 32 and position 0 when no control character was found;
// position is 1-based.
int TextTest(const QString& fileName, qint32 sampleSize, quint8& firstControlByte, qint32& position,
             double threshold, double& percentage, bool& utf8, bool charset);

// True when the file's extension, lower-cased, is one of the known text extensions.
bool IsKnownTextExtension(const QString& fileName);

// The inspection proper: true when the file may be read. Shows the refusal messages and the
// Macintosh line-ends information through ui; silent skips only the line-ends message.
bool InspectInputFile(Ui& ui, const QString& fileName, bool silent, bool& utf8, int& textCode);

// The Macintosh line-endings message is shown once per start of the program; the main
// window clears the flag when it initialises its variables.
void ClearMacintoshMessageShown();
bool MacintoshMessageShown();

// ZIP signature test: -1 when the file does not exist, 1 when it begins with "PK" 3 4,
// otherwise 0 (also for a file shorter than 10 bytes).
int ZipSignature(const QString& fileName);
// True when the extension, lower-cased, is "docx" and the file is a ZIP archive.
bool IsDocxFile(const QString& fileName);

// "980 bytes", "12.50 Kb", "3.25 Mb" (two decimals and the locale's digit grouping).
QString SizeText(qint64 length);
// The size text of a file's length; empty for an empty name or a missing file.
QString FileSizeText(const QString& fileName);

}  // namespace lxt
