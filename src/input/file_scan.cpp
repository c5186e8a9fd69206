#include "input/file_scan.h"

#include <QDir>
#include <QFileInfo>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "input/counting_sink.h"
#include "input/docx_extraction.h"
#include "input/is_text_file.h"
#include "input/text_line_reader.h"
#include "run/progress_bar.h"
#include "run/report_error.h"
#include "run/run_error.h"
#include "run/run_state.h"
#include "run/run_statistics.h"
#include "run/word_list.h"
#include "scan/line_scanner.h"
#include "scan/markup.h"
#include "scan/plain_line_scanner.h"
#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "scan/utf8_line_scanner.h"
#include "support/catalogue.h"
#include "support/error_numbers.h"
#include "support/file_proc.h"
#include "support/message_numbers.h"
#include "support/native_file.h"
#include "support/str_proc.h"
#include "support/text_literals.h"
#include "support/ui.h"
#include "support/utf8.h"
#include "support/win1252.h"

namespace lxt {

namespace {

constexpr char kProcedure[] = "DoItFromFile";

void ShowSameFileMessage(Ui& ui) {
    ui.MsgBox(QStringLiteral("Output file cannot be the same as the input file."),
              Message(kMsgTitleError), MsgButtons::Ok, MsgIcon::Exclamation);
}

// The encoding question when chkUTF8 and the inspection disagree. False: the user canceled.
bool AskEncoding(RunState& run, bool& utf8) {
    const bool ticked = run.settings.chkUTF8 == 1;
    if (ticked == utf8) return true;
    const QString text =
        ticked ? QStringLiteral("This file does not seem to be UTF-8 encoded.") + kCrLf +
                     QStringLiteral("Click 'Yes' to scan it as UTF-8 encoded (not advisable)") +
                     kCrLf + QStringLiteral("or 'No' to scan it as ANSI.")
               : QLatin1String(kSeemsUtf8Text) + kCrLf +
                     QStringLiteral(
                         "Click 'Yes' to scan it as UTF-8 encoded or 'No' to scan it "
                         "as ANSI.");
    const MsgResult answer = run.ui.MsgBox(text, QLatin1String(kEncodingQuestionTitle),
                                           MsgButtons::YesNoCancel, MsgIcon::None);
    if (answer == MsgResult::Cancel) return false;
    const bool yes = answer == MsgResult::Yes;
    run.settings.chkUTF8 = yes ? 1 : 0;
    run.ui.SetCheckBox(UiCheckBox::Utf8, yes);
    if (yes) {
        run.settings.chkOnly7bitASCII = 0;
        run.ui.SetOnly7bitAscii(false);
    }
    utf8 = yes;
    return true;
}

bool ContainsUtf8Charset(const QString& line) {
    return line.contains(QStringLiteral("CHARSET=UTF-8"), Qt::CaseInsensitive) ||
           line.contains(QStringLiteral("CHARSET=\"UTF-8\""), Qt::CaseInsensitive);
}

// What a scan undoes when it stops before reading a docx's text.
bool EndBeforeReading(RunState& run, int suppress) {
    run.ui.OutputReplace(QString());
    run.blnStop = false;
    EnterRunPhase(run, RunPhase::Idle);
    RestoreTotalLabel(run);
    run.settings.chkSuppressWords = suppress;
    run.ui.SetCheckBox(UiCheckBox::SuppressWords, suppress == 1);
    SealWordTable(run);
    return false;
}

// After a stop request in the reading loop: true when the scan ends, at once below 2,000
// different words, else when the user confirms; otherwise the request is withdrawn.
bool ConfirmStop(RunState& run) {
    if (run.lngNumWords < kStopQuestionWords) return true;
    const QString question = QStringLiteral(" ") + QString::number(run.lngNumWords) +
                             QStringLiteral(" different words have been found.") + kCrLf +
                             QStringLiteral("Do you really wish to stop?");
    if (run.ui.MsgBox(question, Message(kMsgStopCaption), MsgButtons::YesNo, MsgIcon::None) ==
        MsgResult::Yes) {
        return true;
    }
    run.blnStop = false;
    return false;
}

// The reading loop over the lines of `reader`.
void ReadLines(RunState& run, TextLineReader& reader, const QString& extension, bool docxInput,
               bool& utf8, qint64 fileLength, const ScanOptions& options) {
    Ui& ui = run.ui;
    const bool htmlFile = extension.contains(QStringLiteral("htm"));
    const bool drawBar = fileLength > kProgressBarMinFileSize;
    const bool caseSignificant = run.settings.chkCaseSignificant == 1;
    bool headHandled = false;
    qint64 charactersRead = 0;
    QString line;
    QByteArrayView bytes;
    bool ended = false;
    CountingSink sink(run);
    ScanEvents events = ScanEventsOf(run);
    ScanState state;
    PlainLineScanner plain(options, caseSignificant);
    Utf8LineScanner wide(options, caseSignificant);
    ProgressBarSteps bar(fileLength);
    for (;;) {
        run.eventPump.Pump(ui);
        if (!reader.ReadLineBytes(bytes, ended)) break;
        // One character per byte of the file, its line end included, whichever it is.
        charactersRead += reader.LastLineBytes() + reader.LastLineEndBytes();
        if (drawBar && bar.Moved(charactersRead)) {
            UpdateProgressBar(run, charactersRead, fileLength, 0);
        }
        // The usual line is scanned where it lies, in its bytes; an HTML file's lines wait
        // until its head has been looked for. A docx's text is UTF-8 whose repairs are done:
        // the quick way takes only characters below 256 and no C1 control, which those
        // repairs leave as they are.
        if (!htmlFile || headHandled) {
            const bool utf8Line = reader.CurrentEncoding() == LineEncoding::Utf8;
            const PlainLineScanner::Outcome outcome =
                plain.Scan(bytes, utf8Line, state, sink, events);
            if (outcome == PlainLineScanner::Outcome::Empty) continue;
            // A UTF-8 line with characters beyond 255 may still take a quick way.
            if (outcome == PlainLineScanner::Outcome::Scanned ||
                (!docxInput && utf8 && utf8Line && wide.Scan(bytes, state, sink, events))) {
                if (run.blnStop && ConfirmStop(run)) break;
                continue;
            }
        }
        reader.DecodeLine(bytes, line);
        if (htmlFile && !headHandled &&
            line.contains(QStringLiteral("<!DOCTYPE"), Qt::CaseInsensitive) &&
            line.contains(QStringLiteral("HTML"), Qt::CaseInsensitive)) {
            const bool wasUtf8 = utf8;
            line = SkipHtmlHead(line, reader, utf8);
            headHandled = true;
            if (utf8 && !wasUtf8) {
                // The head declared UTF-8: the rest of its last line, read one byte to a
                // character, is decoded again, and so is every line after it.
                line = DecodeUtf8(EncodeWin1252(line));
                reader.SetEncoding(LineEncoding::Utf8);
            }
        }
        if (!PrepareLineForScan(line, !docxInput && utf8, caseSignificant)) continue;
        // The line's buffer and the previous line's change places: the next line is read
        // into the old buffer, without a new allocation.
        std::swap(state.line, line);
        ScanLine(state, options, sink, events);
        if (run.blnStop && ConfirmStop(run)) break;
    }
}

}  // namespace

bool SameFile(const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty()) return false;
    auto canonical = [](const QString& name) {
        const QString real = CanonicalFilePath(name);
        if (!real.isEmpty()) return real;
        const QString absolute = AbsoluteFilePath(name);
        const QString fileName = absolute.mid(absolute.lastIndexOf(u'/') + 1);
        const QString folder = CanonicalFilePath(AbsoluteFolderOf(name));
        return QDir::cleanPath((folder.isEmpty() ? AbsoluteFolderOf(name) : folder) +
                               QStringLiteral("/") + fileName);
    };
    return first == second || canonical(first) == canonical(second) ||
           SameFileOnDisk(first, second);
}

bool CheckInputFile(RunState& run, const QString& path) {
    Ui& ui = run.ui;
    if (path.isEmpty()) return false;
    const PathInfo info = InfoOfPath(path);
    if (!FileExists(path)) {
        if (run.blnStartUpCompleted) {
            run.settings.chkUTF8 = 0;
            ui.SetCheckBox(UiCheckBox::Utf8, false);
            ui.MsgBox(QStringLiteral("Input file does not exist."),
                      QStringLiteral("File not found"), MsgButtons::Ok, MsgIcon::Exclamation);
        }
        ui.SetLabel(UiLabel::FileSize, QString());
        return false;
    }
    if (info.size == 0) {
        if (run.blnStartUpCompleted) {
            ui.MsgBox(QStringLiteral("Input file is zero-length."), QStringLiteral("Empty file"),
                      MsgButtons::Ok, MsgIcon::Exclamation);
        }
        ui.SetLabel(UiLabel::FileSize, QStringLiteral("Filesize: 0 bytes"));
        return false;
    }
    ui.SetLabel(UiLabel::FileSize, QStringLiteral("Filesize: ") + SizeText(info.size));
    return true;
}

void ClearOutputBox(RunState& run) {
    run.ui.OutputReplace(QString());
    if (RunInProgress(run)) return;
    ConcealNumWords(run, true);
    run.blnWordsGot = false;
}

QString SkipHtmlHead(const QString& line, TextLineReader& reader, bool& utf8) {
    QString current = line;
    bool ended = false;
    for (;;) {
        if (ContainsUtf8Charset(current)) utf8 = true;
        const qsizetype p = current.indexOf(QStringLiteral("</HEAD>"), 0, Qt::CaseInsensitive);
        if (p >= 0) return current.mid(p + 7);
        if (!reader.ReadLine(current, ended)) return QString();
    }
}

DocxState& ProgramDocxState() {
    static DocxState state;
    return state;
}

bool DoItFromFile(RunState& run, WordTableStart start) {
    return DoItFromFile(run, ProgramDocxState(), start);
}

bool DoItFromFile(RunState& run, DocxState& docx, WordTableStart start) {
    Ui& ui = run.ui;
    const QString input = run.settings.txbFile[0];
    auto abandon = [&ui]() {
        ui.OutputReplace(QString());
        return false;
    };

    // Preparation.
    ui.OutputReplace(Latin(kNowProcessing));
    docx.blnDocx = IsDocxFile(input);
    // The check before the count keeps the document for the count, and a question in
    // between may end the run: whatever path leaves the scan, the document goes.
    const DocumentRelease documentRelease(docx);
    const QString extension = FileExtension(input, true);
    bool utf8 = false;
    qint64 fileLength = 0;
    if (!docx.blnDocx) {
        ui.SetLabel(UiLabel::XmlSize, QString());
        run.intTextKind = kTextNotText;
        if (SameFile(run.settings.txbFile[1], input)) {
            ShowSameFileMessage(ui);
            return abandon();
        }
        if (!CheckInputFile(run, input)) return abandon();
        int textCode = kTextNotText;
        const bool readable = InspectInputFile(ui, input, false, utf8, textCode);
        run.intTextKind = textCode;
        if (!readable) return abandon();
        if (!AskEncoding(run, utf8)) return abandon();
        fileLength = InfoOfPath(input).size;
    } else {
        // The first preparation only checks the document: its folder goes at once.
        qint32 result = 0;
        {
            TemporaryFolderGuard checkOnly(docx);
            result =
                PrepareDocx(run, docx, input, Latin(kTemporaryFolderTag), true, true, extension);
        }
        if (result < 0) {
            ShowDocxPreparationFailure(ui, result, input);
            ui.SetLabel(UiLabel::XmlSize, QString());
            ui.SetLabel(UiLabel::FileSize, QString());
            ui.StopElapsedTime();
            run.settings.txbFile[0].clear();
            ui.SetInputFileText(QString());
            return abandon();
        }
        fileLength = result;
    }
    ui.OutputReplace(QString());

    if (run.settings.txbFile[1].isEmpty() && fileLength > kLargeInputSize) {
        ui.PauseElapsedTime();
        ui.SetLabelVisible(UiLabel::TimeElapsed, false);
        const MsgResult answer = ui.MsgBox(
            QStringLiteral("The input file is quite large.  It is advisable to specify an output "
                           "file ") +
                QStringLiteral("before continuing, in case the text window will not hold the "
                               "result. ") +
                QStringLiteral("Do you wish to specify an output file?"),
            QLatin1String(kLargeInputTitle), MsgButtons::YesNoCancel, MsgIcon::None);
        if (answer == MsgResult::Cancel) return false;
        if (answer == MsgResult::Yes) {
            const QString chosen = ui.ChooseOutputFile();
            if (!chosen.isEmpty()) {
                run.settings.txbFile[1] = chosen;
                ui.SetOutputFileText(chosen);
                if (SameFile(chosen, input)) {
                    ShowSameFileMessage(ui);
                    return abandon();
                }
            }
        }
    }
    ui.ResumeElapsedTime();
    ui.SetLabelVisible(UiLabel::TimeElapsed, true);

    if (FileExtension(run.settings.txbFile[1], true) == QLatin1String("docx")) {
        ui.MsgBox(QStringLiteral("Output file cannot be a 'docx' file."), Message(kMsgTitleError),
                  MsgButtons::Ok, MsgIcon::Exclamation);
        return abandon();
    }

    ui.OutputReplace(Latin(kNowProcessing));
    ui.SetLabel(UiLabel::SizeOfClipboardContents, QString());
    ConcealNumWords(run, true);
    run.strClipboardText.clear();
    if (!docx.blnDocx) ClearOutputBox(run);
    const int suppress = run.settings.chkSuppressWords;
    if (start == WordTableStart::Fresh) ResetWordTable(run);
    // Whatever the table held, it is no longer a complete count (a docx input too).
    run.blnWordsGot = false;
    MarkupMarkers markers;
    SetMarkupMode(markers, run.settings, extension);
    const ScanOptions options = ScanOptionsOf(run, ScanContext::Counting, markers);
    run.blnStop = false;
    EnterRunPhase(run, RunPhase::Counting);
    if (fileLength > kProgressBarMinFileSize) SetTotalNumOccurrencesForFileProgressBar(run);

    // The scan. Whatever ends it, a docx's temporary folder goes with it.
    std::optional<TemporaryFolderGuard> folderGuard;
    if (docx.blnDocx) folderGuard.emplace(docx);
    try {
        std::unique_ptr<TextLineReader> reader;
        if (docx.blnDocx) {
            ui.OutputReplace(Latin(kProcessing) + kCrLf + kCrLf);
            const qint32 result =
                PrepareDocx(run, docx, input, Latin(kTemporaryFolderTag), true, true, extension);
            if (result < 0) {
                ShowDocxPreparationFailure(ui, result, input);
                return EndBeforeReading(run, suppress);
            }
            fileLength = result;
            SetTotalNumOccurrencesForFileProgressBar(run);
            QByteArray text;
            qint64 total = result;
            ui.SetCheckBoxVisible(UiCheckBox::SuppressWords, false);
            const QString error = ReadDocx(run, docx, true, text, total, true, true);
            ui.SetCheckBoxVisible(UiCheckBox::SuppressWords, true);
            if (!error.isEmpty()) {
                ui.MsgBox(error + QStringLiteral(" when processing ") + kCrLf + input,
                          QStringLiteral("Error"), MsgButtons::Ok, MsgIcon::Exclamation);
                run.blnStop = true;
            }
            if (run.blnStop) return EndBeforeReading(run, suppress);
            ui.OutputReplace(QString());
            // The pieces' text is read from memory as a UTF-8 text file would be read: it
            // never goes to a file.
            fileLength = text.size();
            ui.SetLabel(UiLabel::XmlSize, QStringLiteral("Text: ") + SizeText(fileLength));
            quint8 firstControl = 32;
            qint32 position = 0;
            double percentage = 0;
            run.intTextKind =
                TextTest(input, kSampleSize, firstControl, position, 1.0, percentage, utf8, true);
            reader = std::make_unique<TextLineReader>(std::move(text), LineEncoding::Utf8);
        } else {
            reader = std::make_unique<TextLineReader>(
                input, utf8 ? LineEncoding::Utf8 : LineEncoding::Win1252);
        }
        ReadLines(run, *reader, extension, docx.blnDocx, utf8, fileLength, options);
    } catch (const RunError& error) {
        ReportError(run, error.number, error.description, Latin(kProcedure));
    } catch (const std::bad_alloc&) {
        ReportError(run, kErrOutOfMemory, QStringLiteral("Out of memory"), Latin(kProcedure));
    }

    // End of the scan.
    folderGuard.reset();
    RestoreTotalLabel(run);
    run.settings.chkSuppressWords = suppress;
    ui.SetCheckBox(UiCheckBox::SuppressWords, suppress == 1);
    ui.SetLabel(UiLabel::Twirler, QStringLiteral(" "));
    try {
        SealWordTable(run);
    } catch (const RunError& error) {
        ReportError(run, error.number, error.description, Latin(kProcedure));
    }
    return true;
}

}  // namespace lxt
