#include "results/output_file.h"

#include <QFile>
#include <cerrno>

#include "results/listing_formats.h"
#include "run/report_error.h"
#include "run/run_state.h"
#include "support/catalogue.h"
#include "support/error_numbers.h"
#include "support/file_proc.h"
#include "support/folder_proc.h"
#include "support/message_numbers.h"
#include "support/native_file.h"
#include "support/str_proc.h"
#include "support/text_literals.h"
#include "support/ui.h"
#include "support/win1252.h"

namespace lxt {

namespace {

const QString kProcedure = QStringLiteral("ListWords");

// Error numbers and descriptions of a file that cannot be opened or written.

struct FileError {
    int number;
    QString description;
};

FileError OpenError(const QString& path, int openErrno) {
    if (!InfoOfPath(AbsoluteFolderOf(path)).isFolder) {
        return {kErrPathNotFound, QStringLiteral("Path not found")};
    }
    if (openErrno == EACCES || openErrno == EPERM ||
        (InfoOfPath(path).exists && !IsWritablePath(path))) {
        return {kErrPermissionDenied, QStringLiteral("Permission denied")};
    }
    return {kErrPathFileAccess, QStringLiteral("Path/File access error")};
}

FileError WriteError(const QFile& file) {
    if (file.error() == QFileDevice::ResourceError) {
        return {kErrDiskFull, QStringLiteral("Disk full")};
    }
    return {kErrDeviceIo, QStringLiteral("Device I/O error")};
}

// True when every included word is written in characters that Windows-1252 has.
bool ListedWordsFitWin1252(const RunState& run) {
    if (run.WordTable.AllAscii()) return true;
    for (qint32 i = 1; i <= run.lngNumWords; ++i) {
        const WordEntry& entry = run.WordTable[i];
        if (!entry.included) continue;
        for (QChar c : entry.Word()) {
            if (c.unicode() >= 0x80 && Win1252Byte(c) < 0) return false;
        }
    }
    return true;
}

ListingEnd RunChosenListing(ListingContext& ctx) {
    return ctx.run.settings.cboWordOrder == kWordOrderAlphabetical ? ListWordsAlphabetically(ctx)
                                                                   : ListWordsByFrequency(ctx);
}

// The overwrite question. Returns false when nothing is to be written or listed (the folder
// of the answer does not exist); clears `writing` when the user cancelled.
bool AskOverwrite(RunState& run, bool& writing) {
    run.ui.OutputReplace(QString());
    const std::optional<QString> reply =
        run.ui.InputBox(QString::fromUtf16(kOverwritePrompt), QString::fromUtf16(kOverwriteTitle),
                        run.settings.txbFile[1]);
    if (!reply || reply->isEmpty()) {
        // Cancel, or the path erased: the listing goes to the screen only.
        run.settings.chkDisableOutputToFile = 1;
        run.ui.SetCheckBox(UiCheckBox::DisableOutputToFile, true);
        writing = false;
        return true;
    }
    QString answer = TrimBlanks(*reply);
#ifdef Q_OS_WIN
    // Paths are not case-sensitive there; elsewhere the case names another file.
    answer = LowerCaseFull(answer);
#endif
    // An answer of blanks alone names no folder at all.
    const QString folder = answer.isEmpty() ? QString() : AbsoluteFolderOf(answer);
    if (!FolderExists(folder)) {
        run.ui.MsgBox(QString::fromUtf16(kFolderDoesNotExist), Message(kMsgTitleError),
                      MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    run.settings.txbFile[1] = answer;
    run.ui.SetOutputFileText(answer);
    return true;
}

// The file phase. Returns false when an error was reported. `ctx` is the file's listing
// context; it keeps the file's lines when the screen phase can show them as they are.
bool WriteOutputFile(RunState& run, ListingContext& ctx) {
    run.ui.OutputReplace(QString::fromUtf16(kWritingOutputFile));
    QFile file;
    if (!OpenFile(file, run.settings.txbFile[1], QIODevice::WriteOnly | QIODevice::Truncate)) {
        const FileError e = OpenError(run.settings.txbFile[1], errno);
        ReportError(run, e.number, e.description, kProcedure);
        return false;
    }
    ctx.blnWritingOutputFile = true;
    ctx.file = &file;
    ctx.fileUtf8 = !ListedWordsFitWin1252(run);
    // A sink of plain UTF-8 lines gets the file's lines again when they are the same: the
    // same layout (no commas, not the word list joined by ", ") and the same bytes (UTF-8,
    // or only ASCII words).
    ctx.keepFileLines = ctx.target.screenLineBytes && !ctx.target.limitOutputBox &&
                        run.settings.chkOutputWithCommas == 0 &&
                        DisplayFormatOf(run) != kFormatWordsWithCommas &&
                        (ctx.fileUtf8 || run.WordTable.AllAscii());
    const QString delimiter =
        QString::fromUtf16(run.settings.chkOutputWithCommas != 0 ? kHintCommas : kHintSpaces);
    const QString hints = QString::fromUtf16(kHintQuote) + QString::fromUtf16(kHintDelimited) +
                          delimiter + kCrLf + QString::fromUtf16(kHintQuote) +
                          QString::fromUtf16(ctx.fileUtf8 ? kHintOriginUtf8 : kHintOrigin) + kCrLf +
                          kCrLf;
    if (ctx.fileUtf8) ctx.fileBytes = QByteArrayLiteral("\xEF\xBB\xBF");
    AppendTextBytes(ctx.fileBytes, hints, ctx.fileUtf8);

    run.eventPump.Restart();
    const ListingEnd end = RunChosenListing(ctx);
    const bool flushed = FlushFileBytes(ctx) && file.flush();
    if (end == ListingEnd::FileFailed || !flushed) {
        const FileError e = WriteError(file);
        file.close();
        ReportError(run, e.number, e.description, kProcedure);
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        const FileError e = WriteError(file);
        ReportError(run, e.number, e.description, kProcedure);
        return false;
    }
    // A stopped or failed listing leaves a partial file, which is not "written". A failed
    // listing has reported itself; the screen listing still follows.
    run.blnOutputFileWritten = end == ListingEnd::Completed;
    return true;
}

// ListWords proper; ListWords itself clears a stop once the listing has ended.
void ListWordsOnce(RunState& run, const ListingTarget& target) {
    run.blnOutputFileWritten = false;
    if (run.lngNumWordsIncluded == 0) {
        run.ui.OutputReplace(QString());
        ShowNoWordsListed(run);
        if (target.screenSink) target.screenSink(NoWordsListedText(run) + kCrLf);
        return;
    }

    bool writing = !run.settings.txbFile[1].isEmpty() && run.settings.chkDisableOutputToFile == 0;
    if (writing && run.settings.chkWarnOnOverwrite != 0 && FileExists(run.settings.txbFile[1])) {
        if (!AskOverwrite(run, writing)) return;
    }

    ListingContext fileCtx(run, target);
    if (writing && !WriteOutputFile(run, fileCtx)) return;

    run.ui.OutputReplace(QString());
    if (run.blnStop) {
        run.ui.OutputReplace(QString::fromUtf16(kOutputTerminated) + kCrLf);
        return;
    }

    // The screen phase.
    ListingContext ctx(run, target);
    run.eventPump.Restart();
    if (run.blnOutputFileWritten && fileCtx.keepFileLines) {
        ReplayFileLines(ctx, fileCtx);
    } else {
        RunChosenListing(ctx);
    }
    fileCtx.keptFileBytes = {};
    if (run.blnStop) {
        ScreenFlushHeld(ctx);
        ScreenAppend(ctx, kCrLf + QString::fromUtf16(kListingStopped) + kCrLf);
        if (!target.screenSink) run.ui.OutputCaretToEnd();
        return;
    }
    if (ScreenLength(ctx) > 2 && ctx.style.format == kFormatWordsWithCommas) {
        const QString separator = QString::fromUtf16(kWordSeparator);
        if (target.screenSink) {
            ctx.sinkHeld.clear();  // only ever the final ", "
            target.screenSink(kCrLf);
        } else {
            QString text = run.ui.OutputText();
            if (text.endsWith(separator)) {
                text.chop(separator.size());
                run.ui.OutputReplace(text + kCrLf);
            } else {
                run.ui.OutputAppend(kCrLf);
            }
        }
    }
    ScreenFlushHeld(ctx);
}

}  // namespace

void ListWords(RunState& run, const ListingTarget& target) {
    ListWordsOnce(run, target);
    // A stop ends the listing it was given for. A later listing of the same words (another
    // word order or display format) must run whole, not end at its first entry.
    run.blnStop = false;
}

}  // namespace lxt
