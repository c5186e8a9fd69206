#include "input/is_text_file.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <cerrno>

#include "input/utf8_detection.h"
#include "support/file_proc.h"
#include "support/line_ends.h"
#include "support/native_file.h"
#include "support/str_proc.h"
#include "support/text_literals.h"
#include "support/ui.h"

namespace lxt {

namespace {

const QStringList kKnownTextExtensions = {
    QStringLiteral("txt"),   QStringLiteral("log"),  QStringLiteral("xml"),
    QStringLiteral("htm"),   QStringLiteral("html"), QStringLiteral("shtm"),
    QStringLiteral("shtml"), QStringLiteral("xhtm"), QStringLiteral("xhtml"),
    QStringLiteral("csv"),   QStringLiteral("prn")};

constexpr qint64 kReadBlock = 64 * 1024;

bool g_macintoshMessageShown = false;

// The code of a failed open or read: permission denied or any other reason.
int FailureCode(int savedErrno) {
    return (savedErrno == EACCES || savedErrno == EPERM) ? kCodePermissionDenied : kCodeUnreadable;
}

// Opens for binary reading; on failure gives the failure code.
bool OpenForReading(QFile& file, const QString& fileName, int& code) {
    errno = 0;
    if (OpenFile(file, fileName, QIODevice::ReadOnly)) return true;
    code = FailureCode(errno);
    return false;
}

bool IsControlByte(unsigned char b) {
    return b < 32 && b != 13 && b != 10 && b != 9 && b != 12 && b != 8;
}

// Searches the first 10 non-empty lines of the file (a line ends at CR LF, CR or LF) for a
// UTF-8 charset declaration. The lines are streamed, so a long line is not held in memory.
// Case-sensitive, as the declaration is written.
bool CharsetDeclaresUtf8(const QString& fileName) {
    static const QByteArray kPlain = QByteArrayLiteral("charset=UTF-8");
    static const QByteArray kQuoted = QByteArrayLiteral("charset=\"UTF-8\"");
    QFile file;
    if (!OpenFile(file, fileName, QIODevice::ReadOnly)) return false;
    QByteArray tail;  // the end of the current line, long enough to hold a declaration
    bool lineHasText = false;
    bool afterCr = false;
    int linesCounted = 0;
    while (linesCounted < kCharsetLines) {
        const QByteArray block = file.read(kReadBlock);
        if (block.isEmpty()) break;
        qsizetype start = 0;
        for (qsizetype i = 0; i <= block.size() && linesCounted < kCharsetLines; ++i) {
            const bool atEnd = i == block.size();
            if (!atEnd && afterCr && i == start && block[i] == kLf) {
                // The LF of a CR LF pair belongs to the line end already counted.
                afterCr = false;
                start = i + 1;
                continue;
            }
            if (!atEnd) afterCr = false;
            if (atEnd || IsLineEnd(block[i])) {
                const QByteArray part = block.mid(start, i - start);
                if (!part.isEmpty()) lineHasText = true;
                tail += part;
                if (tail.contains(kPlain) || tail.contains(kQuoted)) return true;
                if (tail.size() > kQuoted.size()) tail = tail.right(kQuoted.size());
                if (!atEnd) {
                    if (lineHasText) ++linesCounted;
                    lineHasText = false;
                    tail.clear();
                    afterCr = block[i] == kCr;
                    start = i + 1;
                }
            }
        }
    }
    return false;
}

QString FileLine(const QString& fileName) {
    return QStringLiteral("File ") + fileName;
}

}  // namespace

bool IsKnownTextExtension(const QString& fileName) {
    return kKnownTextExtensions.contains(FileExtension(fileName, true));
}

int HeaderTest(const QString& fileName, bool charset) {
    if (fileName.isEmpty()) return kCodeEmptyName;
    if (!FileExists(fileName)) return kCodeNotFound;
    unsigned char b[kHeaderLength] = {0, 0, 0, 0, 0};
    {
        QFile file;
        int code = kHeaderNone;
        if (!OpenForReading(file, fileName, code)) return code;
        const qint64 length = file.size();
        if (length == 0) return kCodeZeroLength;
        if (length < kHeaderLength) return kCodeTiny;
        errno = 0;
        const QByteArray head = file.read(kHeaderLength);
        if (head.size() < kHeaderLength && file.error() != QFileDevice::NoError) {
            return FailureCode(errno);
        }
        for (qsizetype i = 0; i < head.size(); ++i) b[i] = static_cast<unsigned char>(head[i]);
    }
    const QString extension = FileExtension(fileName, true);
    if (b[0] == '{' && b[1] == '\\' && b[2] == 'r' && b[3] == 't' && b[4] == 'f') return kCodeRtf;
    if (b[0] == 255 && b[1] == 254) return kHeaderUtf16LE;
    if (b[0] == 254 && b[1] == 255) return kHeaderUtf16BE;
    if (b[0] == 239 && b[1] == 187 && b[2] == 191) return kHeaderUtf8;
    if (b[0] == 0 && b[1] == 0 && b[2] == 254 && b[3] == 255) return kHeaderUtf32BE;
    if (extension == QLatin1String("xml")) {
        if (b[0] == '<' && b[1] != 0) return kHeaderUtf8;
        if (b[0] == '<' && b[1] == 0) return kHeaderUtf16LE;
        if (b[0] == 0 && b[1] == '<') return kHeaderUtf16BE;
    }
    if (charset && kKnownTextExtensions.contains(extension) && CharsetDeclaresUtf8(fileName)) {
        return kHeaderUtf8;
    }
    return kHeaderNone;
}

int TextTest(const QString& fileName, qint32 sampleSize, quint8& firstControlByte, qint32& position,
             double threshold, double& percentage, bool& utf8, bool charset) {
    const int header = HeaderTest(fileName, charset);
    if (header < 0 || header == kCodeRtf) return header;
    if (header == kHeaderUtf8) {
        utf8 = true;
        return kTextWindows;
    }
    if (header != kHeaderNone) return kTextOtherUnicode;

    percentage = 0;
    firstControlByte = 32;
    position = 0;
    QByteArray sample;
    {
        QFile file;
        int code = kHeaderNone;
        if (!OpenForReading(file, fileName, code)) return code;
        const qint64 n = qMin<qint64>(file.size(), qMax<qint32>(sampleSize, 0));
        errno = 0;
        sample = file.read(n);
        if (sample.size() < n) return FailureCode(errno);
    }
    bool hasLf = false;
    bool hasCr = false;
    qint64 controls = 0;
    const qint64 n = sample.size();
    qint64 examined = n;
    for (qint64 i = 1; i <= n; ++i) {
        const auto c = static_cast<unsigned char>(sample[i - 1]);
        if (c == 10) {
            hasLf = true;
        } else if (c == 13) {
            hasCr = true;
        } else if (IsControlByte(c)) {
            if (controls == 0) {
                firstControlByte = c;
                position = static_cast<qint32>(i);
            }
            ++controls;
        }
        if (static_cast<double>(i) > static_cast<double>(sampleSize) / 5.0) {
            examined = i;
            percentage = static_cast<double>(controls) * 100.0 / static_cast<double>(i);
            if (percentage > 10.0 * threshold) return kTextNotText;
        }
    }
    percentage =
        controls == 0 ? 0.0 : static_cast<double>(controls) * 100.0 / static_cast<double>(examined);
    if (percentage > threshold) return kTextNotText;
    // Without a byte-order mark, a file that is UTF-8 throughout is UTF-8 all the same.
    if (IsUtf8WithoutMark(fileName)) utf8 = true;
    if (hasCr && hasLf) return kTextWindows;
    if (hasCr) return kTextMacintosh;
    if (hasLf) return kTextUnix;
    return kTextWindows;
}

void ClearMacintoshMessageShown() {
    g_macintoshMessageShown = false;
}
bool MacintoshMessageShown() {
    return g_macintoshMessageShown;
}

bool InspectInputFile(Ui& ui, const QString& fileName, bool silent, bool& utf8, int& textCode) {
    ui.OutputReplace(QString());
    if (IsSpecialFile(fileName)) {
        ui.MsgBox(FileLine(fileName) + kCrLf + QLatin1String(kNotRegularFileText) + u'.',
                  QStringLiteral("Fatal error"), MsgButtons::Ok, MsgIcon::Information);
        return false;
    }
    const qint64 length = FileExists(fileName) ? InfoOfPath(fileName).size : 0;

    quint8 firstControl = 32;
    qint32 position = 0;
    double percentage = 0;
    utf8 = false;
    textCode = TextTest(fileName, kSampleSize, firstControl, position, 0.0, percentage, utf8, true);

    const QString fatal = QStringLiteral("Fatal error");
    switch (textCode) {
        case kCodeEmptyName:
            return false;
        case kCodeNotFound:
            ui.MsgBox(FileLine(fileName) + QStringLiteral(" not found."), fatal, MsgButtons::Ok,
                      MsgIcon::Information);
            return false;
        case kCodeZeroLength:
            ui.MsgBox(FileLine(fileName) + QStringLiteral(" is zero-length."), fatal,
                      MsgButtons::Ok, MsgIcon::Information);
            return false;
        case kCodePermissionDenied:
            ui.MsgBox(FileLine(fileName) + kCrLf +
                          QStringLiteral(" cannot be opened (permission denied)."),
                      fatal, MsgButtons::Ok, MsgIcon::Information);
            return false;
        case kCodeTiny:
            ui.MsgBox(
                FileLine(fileName) + kCrLf + QStringLiteral("contains only from 1 to 4 bytes."),
                fatal, MsgButtons::Ok, MsgIcon::Information);
            return false;
        case kCodeUnreadable:
            ui.MsgBox(FileLine(fileName) + kCrLf + QStringLiteral("cannot be opened."), fatal,
                      MsgButtons::Ok, MsgIcon::Information);
            return false;
        case kCodeRtf:
            ui.MsgBox(FileLine(fileName) + kCrLf + QStringLiteral("is an RTF file."), fatal,
                      MsgButtons::Ok, MsgIcon::Information);
            return false;
        case kTextOtherUnicode:
            ui.MsgBox(FileLine(fileName) + kCrLf +
                          QStringLiteral("is a Unicode file but not UTF-8 encoded."),
                      fatal, MsgButtons::Ok, MsgIcon::Information);
            return false;
        case kTextNotText: {
            QString text =
                fileName + kCrLf + QStringLiteral("is not an ANSI or UTF-8 encoded text file.");
            if (percentage > 0) text += kCrLf + QStringLiteral("It appears to be a binary file.");
            if (percentage < kBinaryAdvicePercentage && length >= 1 &&
                length <= kBinaryAdviceMaxLength) {
                text += kCrLf + kCrLf +
                        QStringLiteral(
                            "You could try reading it using its associated "
                            "application, then copying the text and pasting it ") +
                        QStringLiteral(
                            "into the textbox (then copy it to the clipboard and "
                            "select 'Clipboard' as the source).");
            }
            ui.MsgBox(text, QStringLiteral("Not a text file"), MsgButtons::Ok,
                      MsgIcon::Information);
            return false;
        }
        default:
            break;
    }

    if (silent) return true;

    if (textCode == kTextMacintosh) {
        if (!g_macintoshMessageShown) {
            g_macintoshMessageShown = true;
            ui.MsgBox(FileLine(fileName) + kCrLf +
                          QStringLiteral("has Macintosh-type line endings (CR).") + kCrLf + kCrLf +
                          QStringLiteral("You might wish to use a program such as Notepad++") +
                          kCrLf +
                          QStringLiteral("to convert the line endings to Windows-type (CR+LF)."),
                      QStringLiteral("This is a Mac-style text file"), MsgButtons::Ok,
                      MsgIcon::Information);
        }
        return true;
    }

    // Files with Unix line ends (LF) are ordinary text at any size: nothing to say.
    return true;
}

int ZipSignature(const QString& fileName) {
    if (!FileExists(fileName)) return -1;
    QFile file;
    if (!OpenFile(file, fileName, QIODevice::ReadOnly)) return 0;
    const QByteArray head = file.read(16);
    if (head.size() < 10) return 0;
    return (head[0] == 'P' && head[1] == 'K' && head[2] == 3 && head[3] == 4) ? 1 : 0;
}

bool IsDocxFile(const QString& fileName) {
    return FileExtension(fileName, true) == QLatin1String("docx") && ZipSignature(fileName) == 1;
}

QString SizeText(qint64 length) {
    constexpr qint64 kKilo = 1024;
    constexpr qint64 kMega = 1024 * 1024;
    const QLocale locale;
    if (length < kKilo) return QString::number(length) + QStringLiteral(" bytes");
    if (length < kMega) {
        return locale.toString(static_cast<double>(length) / kKilo, 'f', 2) + QStringLiteral(" Kb");
    }
    return locale.toString(static_cast<double>(length) / kMega, 'f', 2) + QStringLiteral(" Mb");
}

QString FileSizeText(const QString& fileName) {
    if (!FileExists(fileName)) return QString();
    return SizeText(InfoOfPath(fileName).size);
}

}  // namespace lxt
