#include "exclude/common_words.h"

#include <QFile>
#include <cerrno>

#include "input/is_text_file.h"
#include "run/event_pump.h"
#include "run/report_error.h"
#include "run/run_error.h"
#include "run/run_state.h"
#include "run/run_statistics.h"
#include "run/word_list.h"
#include "scan/line_scanner.h"
#include "scan/markup.h"
#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "scan/word_sink.h"
#include "support/catalogue.h"
#include "support/error_numbers.h"
#include "support/file_proc.h"
#include "support/language_tables.h"
#include "support/line_ends.h"
#include "support/message_numbers.h"
#include "support/native_file.h"
#include "support/str_proc.h"
#include "support/text_literals.h"
#include "support/ui.h"
#include "support/utf8.h"
#include "support/win1252.h"

namespace lxt {

namespace {

constexpr char kProcedure[] = "AttemptToReadCommonWords";
constexpr char16_t kBlank = u' ';

void SetCommonWordsFile(RunState& run, const QString& path) {
    run.strCommonWordsFile = path;
    run.settings.strCommonWordsFile = path;
}

void SetIgnoreCommonWords(RunState& run, bool ticked) {
    run.settings.chkIgnoreCommonWords = ticked ? 1 : 0;
    run.ui.SetCheckBox(UiCheckBox::IgnoreCommonWords, ticked);
}

void SetSuppressWords(RunState& run, int value) {
    run.settings.chkSuppressWords = value;
    run.ui.SetCheckBox(UiCheckBox::SuppressWords, value == 1);
}

// Reads each accepted word into the list, without counting an occurrence.
class ReadingSink final : public WordSink {
  public:
    explicit ReadingSink(RunState& run) : run_(run) {}
    void Accept(QStringView word) override {
        AddWordToList(run_, word, ScanContext::ReadingCommonWords);
    }

  private:
    RunState& run_;
};

// Feeds the lines of the file's text to the scanner (a line ends at CR LF, CR or LF). Stops
// after any line once blnStop is set.
void ScanCommonWordsText(RunState& run, const QString& text, bool utf8) {
    ReadingSink sink(run);
    MarkupMarkers markers;
    SetCommentMarkers(markers, kModeC);
    const ScanOptions options = ScanOptionsOf(run, ScanContext::ReadingCommonWords, markers);
    ScanEvents events = ScanEventsOf(run);
    ScanState state;
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n && !run.blnStop) {
        qsizetype end = IndexOfLineEnd(text, start);
        qsizetype next = 0;
        if (end < 0) {
            end = n;
            next = n;
        } else {
            next = end + LineEndLength(text, end);
        }
        state.line = TrimBlanks(text.mid(start, end - start));
        start = next;
        if (!state.line.isEmpty()) {
            if (utf8) RepairDecodedPairs(state.line);
            state.line = LowerCaseFull(state.line);
            state.line += kBlank;
            ScanLine(state, options, sink, events);
        }
        if (run.blnStartUpCompleted) LetEventsRun(run);
    }
}

}  // namespace

QString CommonWordsCountText(qint32 count) {
    if (count == 1) return QStringLiteral("One common word");
    return NumberInWords(count) + QStringLiteral(" common words");
}

void SetDefaultCommonWordsFile(RunState& run) {
    SetCommonWordsFile(run, ProgramFilePath(QString::fromLatin1(kDefaultCommonWordsFileName)));
    run.settings.txbCommonWordsFile = run.strCommonWordsFile;
}

bool ReadCommonWords(RunState& run) {
    Ui& ui = run.ui;
    run.blnStop = false;
    // Paths keep their case on a case-sensitive file system, where another case names
    // another file; only on Windows are they lower-cased.
#ifdef Q_OS_WIN
    SetCommonWordsFile(run, LowerCaseFull(TrimBlanks(run.strCommonWordsFile)));
#else
    SetCommonWordsFile(run, TrimBlanks(run.strCommonWordsFile));
#endif
    const QString path = run.strCommonWordsFile;
    if (path.isEmpty()) return false;
    if (!FileExists(path)) {
        if (run.blnStartUpCompleted) {
            ui.MsgBox(QLatin1String(kCommonWordsNotFoundText), QLatin1String(kFileNotFoundTitle),
                      MsgButtons::Ok, MsgIcon::Exclamation);
        } else {
            SetDefaultCommonWordsFile(run);
            SetIgnoreCommonWords(run, false);
        }
        return false;
    }
    if (InfoOfPath(path).size > kMaxCommonWordsFileBytes) {
        ui.MsgBox(path + QStringLiteral("\r\n") + QLatin1String(kCommonWordsFileTooLarge),
                  QStringLiteral("Fatal error"), MsgButtons::Ok, MsgIcon::Information);
        return false;
    }
    bool utf8 = false;
    int textCode = 0;
    if (!InspectInputFile(ui, path, true, utf8, textCode)) return false;

    const int savedSuppressWords = run.settings.chkSuppressWords;
    SetSuppressWords(run, 1);
    ResetWordTable(run);
    ConcealNumWords(run, true);
    ui.OutputReplace(QLatin1String(kNowReadingCommonWords));
    const RunPhase phaseBefore = run.phase;
    EnterRunPhase(run, RunPhase::ReadingCommonWords);
    run.eventPump.Restart();

    bool completed = false;
    QFile file;
    if (!OpenFile(file, path, QIODevice::ReadOnly)) {
        ReportError(run, kErrPermissionDenied, SystemErrorText(errno), QLatin1String(kProcedure));
    } else {
        const QByteArray bytes = file.readAll();
        file.close();
        try {
            ScanCommonWordsText(run, utf8 ? DecodeUtf8(bytes) : DecodeWin1252(bytes), utf8);
            SealWordTable(run);
            if (!run.blnStop) {
                QStringList words;
                words.reserve(run.lngNumWords);
                for (qint32 i = 1; i <= run.lngNumWords; ++i)
                    words.append(run.WordTable[i].Word().toString());
                run.strCommonWords = std::move(words);
                completed = true;
            }
        } catch (const RunError& error) {
            ReportError(run, error.number, error.description, QLatin1String(kProcedure));
        }
    }

    SetSuppressWords(run, savedSuppressWords);
    EnterRunPhase(run, phaseBefore);
    ui.OutputReplace(QString());
    run.blnStop = false;
    return completed;
}

void AttemptToReadCommonWords(RunState& run) {
    Ui& ui = run.ui;
    const bool loaded = ReadCommonWords(run);
    run.blnCommonWordsLoaded = loaded;
    if (loaded) {
        const QString text = CommonWordsCountText(static_cast<qint32>(run.strCommonWords.size())) +
                             QLatin1String(kLoadedFrom) + run.strCommonWordsFile;
        ui.SetLabel(UiLabel::NumberOfWords, QString());
        ui.MsgBox(text, QLatin1String(kCommonWordsLoadedBoxTitle), MsgButtons::Ok,
                  MsgIcon::Information);
        run.settings.txbCommonWordsFile = run.strCommonWordsFile;
        SetIgnoreCommonWords(run, true);
    } else {
        SetIgnoreCommonWords(run, false);
    }
    run.blnWordsGot = false;
}

}  // namespace lxt
