#include "support/file_proc.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QThread>
#include <cerrno>

#include "support/character_entities.h"
#include "support/error_numbers.h"
#include "support/line_ends.h"
#include "support/native_file.h"
#include "support/str_proc.h"
#include "support/win1252.h"

#ifdef Q_OS_WIN
#include <windows.h>
#undef DeleteFile
#endif

namespace lxt {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

const QString kLanguageLettersDe = QStringLiteral(u"äöüß");
const QString kLanguageLettersFr = QStringLiteral(u"àâçèêìîòôùû");
const QString kLanguageLettersEs = QStringLiteral(u"äëïüñ");

#ifdef Q_OS_WIN
void ClearAttribute(const QString& path, DWORD flag, bool clear) {
    if (!clear) return;
    const auto native = reinterpret_cast<const wchar_t*>(path.utf16());
    const DWORD attributes = GetFileAttributesW(native);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & flag) == 0) return;
    SetFileAttributesW(native, attributes & ~flag);
}
#endif

bool IsReadOnly(const QString& path) {
    return !InfoOfPath(path).ownerWritable;
}

// One deletion attempt. A file still marked read-only is refused, as the platform's own
// deletion refuses it on Windows.
bool TryDelete(const QString& path) {
    if (IsReadOnly(path)) return false;
    return RemoveFile(path);
}

// Reads a file line by line: a line ends at CR LF, CR or LF.
class LineReader {
  public:
    explicit LineReader(QFile& file) : file_(file) {}

    // The next line's bytes; false at the end of the file or on a read error.
    bool Next(QByteArray& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (pos_ >= buffer_.size() && !Fill()) return any;
            if (skipLf_) {
                skipLf_ = false;
                if (buffer_[pos_] == '\n') {
                    ++pos_;
                    continue;
                }
            }
            const qsizetype end = IndexOfLineEnd(buffer_, pos_);
            if (end < 0) {
                line.append(buffer_.constData() + pos_, buffer_.size() - pos_);
                pos_ = buffer_.size();
                any = true;
                continue;
            }
            line.append(buffer_.constData() + pos_, end - pos_);
            pos_ = end + 1;
            skipLf_ = buffer_[end] == kCr;
            return true;
        }
    }

    bool Failed() const { return failed_; }

  private:
    bool Fill() {
        buffer_ = file_.read(kReadChunk);
        pos_ = 0;
        if (!buffer_.isEmpty()) return true;
        failed_ = file_.error() != QFileDevice::NoError;
        return false;
    }

    QFile& file_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool skipLf_ = false;
    bool failed_ = false;
};

// The running text of a markup page: comments, script and style blocks and tags are
// removed (each leaving a blank), and the common named entities become their characters.
QString StripMarkup(const QString& text) {
    struct Span {
        QStringView start;
        QStringView end;
    };
    // The first span whose start matches wins, so blocks are taken before the bare tag.
    static constexpr Span kSpans[] = {
        {u"<!--", u"-->"}, {u"<script", u"/script>"}, {u"<style", u"/style>"}, {u"<", u">"}};
    const QString lower = LowerCaseFull(text);
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'<') {
            out.append(text[i++]);
            continue;
        }
        const QStringView rest = QStringView(lower).mid(i);
        const Span* span = kSpans;
        while (!rest.startsWith(span->start)) ++span;
        const qsizetype end = lower.indexOf(span->end, i + 1);
        if (end < 0) break;  // an unclosed span runs to the end of the head
        i = end + span->end.size();
        out.append(u' ');
    }
    return DecodeEntities(out);
}

// The first lines of a file for the language guess, repaired when they declare UTF-8.
QString GuessText(const QString& path, int maxLines) {
    QString description;
    int number = 0;
    int count = 0;
    QString text = ReadFirstLines(path, description, number, count, true, maxLines, false, false,
                                  false, false);
    if (text.contains(u"utf-8")) text = RepairUtf8Pairs(text);
    return text;
}

// The two characters at `at` when a double quote follows them.
QString QuotedCode(const QString& text, qsizetype at) {
    if (at + 2 >= text.size() || text[at + 2] != u'"') return {};
    return text.mid(at, 2);
}

}  // namespace

bool FileExists(const QString& path) {
    const PathInfo info = InfoOfPath(path);
    return info.exists && !info.isFolder;
}

bool IsSpecialFile(const QString& path) {
    return InfoOfPath(path).isSpecial;
}

bool SameFileOnDisk(const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty()) return false;
#ifdef Q_OS_UNIX
    const PathInfo a = InfoOfPath(first);
    const PathInfo b = InfoOfPath(second);
    return a.exists && b.exists && a.device == b.device && a.fileNumber == b.fileNumber;
#else
    const QString canonical = QFileInfo(first).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(second).canonicalFilePath();
#endif
}

bool DeleteFile(const QString& path, bool clearHidden, bool clearReadOnly, bool clearSystem) {
    if (!FileExists(path)) return true;
#ifdef Q_OS_WIN
    ClearAttribute(path, FILE_ATTRIBUTE_HIDDEN, clearHidden);
    ClearAttribute(path, FILE_ATTRIBUTE_READONLY, clearReadOnly);
    ClearAttribute(path, FILE_ATTRIBUTE_SYSTEM, clearSystem);
#else
    // A hidden file is one whose name starts with a dot, and there is no system flag: only
    // the read-only state can be cleared here.
    Q_UNUSED(clearHidden);
    Q_UNUSED(clearSystem);
    if (clearReadOnly && IsReadOnly(path)) MakeWritableByOwner(path);
#endif
    for (int attempt = 0;; ++attempt) {
        if (TryDelete(path) || !FileExists(path)) return true;
        if (attempt == kDeleteRetries) return false;
        QThread::msleep(kDeleteRetryWaitMs);
    }
}

QString ReadFirstLines(const QString& path, QString& errorDescription, int& errorNumber,
                       int& lineCount, bool skipEmpty, int maxLines, bool utf8Pairs, bool utf8Full,
                       bool joinBlank, bool joinSlash) {
    errorDescription.clear();
    errorNumber = 0;
    lineCount = 0;
    if (!FileExists(path)) {
        errorNumber = kErrFileNotFound;
        errorDescription = QStringLiteral("File not found");
        return {};
    }
    QFile file;
    if (!OpenFile(file, path, QIODevice::ReadOnly)) {
        const int error = errno;
        errorNumber =
            (error == EACCES || error == EPERM) ? kErrPermissionDenied : kErrPathFileAccess;
        errorDescription = SystemErrorText(error);
        return {};
    }
    const QString joiner = joinBlank   ? QStringLiteral(" ")
                           : joinSlash ? QStringLiteral(" / ")
                                       : QStringLiteral("\r\n");
    QString result;
    LineReader reader(file);
    QByteArray bytes;
    while (reader.Next(bytes)) {
        if (bytes.isEmpty() && skipEmpty) continue;
        QString line = DecodeWin1252(bytes);
        if (utf8Pairs) {
            line = RepairUtf8Pairs(line);
            if (utf8Full) line = RepairUtf8Punctuation(line);
        }
        if (lineCount > 0) result += joiner;
        result += line;
        ++lineCount;
        if (maxLines > 0 && lineCount >= maxLines) break;
    }
    if (reader.Failed()) {
        errorNumber = kErrDeviceIo;
        errorDescription = file.errorString();
        lineCount = 0;
        return {};
    }
    return result;
}

QString GuessLanguage(const QString& path, const QString& supportedCodes,
                      const QString& defaultCode) {
    const QString head = LowerCaseFull(GuessText(path, kGuessHeadLines));
    const QStringList supported = LowerCaseFull(supportedCodes).split(u'_', Qt::SkipEmptyParts);

    // The code of a quoted two-letter attribute value, as in lang="de" or content="de";
    // failing that the two characters after lang= and its opening quote.
    const QString langQuote = QStringLiteral("lang=\"");
    const QString lang = QStringLiteral("lang=");
    const QString contentQuote = QStringLiteral("content=\"");
    QString code;
    qsizetype at = head.indexOf(langQuote);
    if (at >= 0) code = QuotedCode(head, at + langQuote.size());
    if (code.isEmpty()) {
        at = head.indexOf(lang);
        if (at >= 0) code = head.mid(at + lang.size() + 1, 2);
    }
    if (code.isEmpty()) {
        at = head.indexOf(contentQuote);
        if (at >= 0) code = QuotedCode(head, at + contentQuote.size());
    }
    if (code.size() == 2 && supported.contains(code)) return code;

    QString text = GuessText(path, kGuessLetterLines);
    if (FileExtension(path, true).contains(u"htm")) text = StripMarkup(text);
    if (CountCharsOf(text, kLanguageLettersDe) >= kGuessLetterThreshold)
        return QStringLiteral("de");
    if (CountCharsOf(text, kLanguageLettersFr) >= kGuessLetterThreshold)
        return QStringLiteral("fr");
    if (CountCharsOf(text, kLanguageLettersEs) >= kGuessLetterThreshold)
        return QStringLiteral("es");
    return defaultCode;
}

}  // namespace lxt
