#include "input/clipboard_source.h"

#include <new>

#include "input/counting_sink.h"
#include "input/file_scan.h"
#include "run/report_error.h"
#include "run/run_error.h"
#include "run/run_state.h"
#include "run/run_statistics.h"
#include "run/word_list.h"
#include "scan/line_scanner.h"
#include "scan/markup.h"
#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "support/catalogue.h"
#include "support/error_numbers.h"
#include "support/message_numbers.h"
#include "support/str_proc.h"
#include "support/text_literals.h"
#include "support/ui.h"

namespace lxt {

namespace {

constexpr char kProcedure[] = "DoItFromClipboard";
bool IsControlCode(char16_t c) {
    return c <= 8 || c == 11 || (c >= 14 && c <= 31);
}

}  // namespace

bool IsNaturalLanguageText(const QString& text) {
    const qsizetype n = qMin(text.size(), kNaturalLanguageSample);
    for (qsizetype i = 0; i < n; ++i) {
        if (IsControlCode(text[i].unicode())) return false;
    }
    return true;
}

QString ClipboardSizeText(qsizetype length) {
    return BytesText(static_cast<double>(length), false) + QStringLiteral(" on the clipboard.");
}

void ShowClipboardSize(RunState& run) {
    const std::optional<QString> text = run.ui.ClipboardText();
    run.ui.SetLabel(UiLabel::SizeOfClipboardContents,
                    text ? ClipboardSizeText(text->size()) : QString());
}

bool CheckClipboardText(RunState& run, const QString& text) {
    Ui& ui = run.ui;
    if (text.isEmpty()) {
        ui.SetLabel(UiLabel::SizeOfClipboardContents, QString());
        ui.MsgBox(QStringLiteral("Clipboard is empty."), QStringLiteral("Clipboard empty"),
                  MsgButtons::Ok, MsgIcon::None);
        return false;
    }
    ui.SetLabel(UiLabel::SizeOfClipboardContents, ClipboardSizeText(text.size()));
    if (text.size() > run.lngMaxClipboardLength) {
        ui.MsgBox(QStringLiteral("There are ") + GroupedNumber(text.size()) +
                      QStringLiteral(" characters in the text on the clipboard.") + kCrLf +
                      QStringLiteral("The maximum permitted is ") +
                      GroupedNumber(run.lngMaxClipboardLength) + QStringLiteral(".  If possible,") +
                      kCrLf +
                      QStringLiteral("count word frequencies for this text using an input "
                                     "file."),
                  QStringLiteral("Too much clipboard text"), MsgButtons::Ok, MsgIcon::None);
        return false;
    }
    return true;
}

bool Paste(RunState& run, bool show) {
    Ui& ui = run.ui;
    ui.OutputReplace(QString());
    const std::optional<QString> text = ui.ClipboardText();
    bool success = false;
    if (!text) {
        ui.MsgBox(Message(kMsgTitleError) + QStringLiteral(": ") +
                      QStringLiteral("The clipboard cannot be read."),
                  Message(kMsgTitleError), MsgButtons::Ok, MsgIcon::Exclamation);
    } else {
        if (!CheckClipboardText(run, *text)) return false;
        run.strClipboardText = *text;
        if (show) ui.OutputReplace(*text);
        success = true;
    }
    ConcealNumWords(run, true);
    run.blnWordsGot = false;
    run.blnListShown = false;
    return success;
}

bool DoItFromClipboard(RunState& run) {
    return DoItFromClipboard(run, run.strClipboardText);
}

bool DoItFromClipboard(RunState& run, const QString& text) {
    Ui& ui = run.ui;
    if (!IsNaturalLanguageText(text)) {
        ui.MsgBox(QStringLiteral("The text on the clipboard does not consist") + kCrLf +
                      QStringLiteral("solely of natural language words."),
                  QStringLiteral("Invalid input"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    const int suppress = run.settings.chkSuppressWords;
    try {
        ClearOutputBox(run);
        ResetWordTable(run);
        run.blnWordsGot = false;
        run.blnStop = false;
        run.lngNumWords = 0;
        EnterRunPhase(run, RunPhase::Counting);
        ClearOutputBox(run);
        if (!text.isEmpty()) {
            QString line = run.settings.chkCaseSignificant == 1 ? text : LowerCaseFull(text);
            line += u' ';
            // No comment skipping applies to clipboard text.
            MarkupMarkers markers;
            SetCommentMarkers(markers, QStringView());
            ScanState state;
            state.line = std::move(line);
            CountingSink sink(run);
            ScanEvents events = ScanEventsOf(run);
            ScanLine(state, ScanOptionsOf(run, ScanContext::Counting, markers), sink, events);
        }
    } catch (const RunError& error) {
        ui.SetLabel(UiLabel::Twirler, QStringLiteral(" "));
        ReportError(run, error.number, error.description, QString::fromLatin1(kProcedure));
    } catch (const std::bad_alloc&) {
        ui.SetLabel(UiLabel::Twirler, QStringLiteral(" "));
        ReportError(run, kErrOutOfMemory, QStringLiteral("Out of memory"),
                    QString::fromLatin1(kProcedure));
    }
    try {
        SealWordTable(run);
    } catch (const RunError& error) {
        ReportError(run, error.number, error.description, QString::fromLatin1(kProcedure));
    }
    run.settings.chkSuppressWords = suppress;
    ui.SetCheckBox(UiCheckBox::SuppressWords, suppress == 1);
    return true;
}

}  // namespace lxt
