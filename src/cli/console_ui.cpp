#include "cli/console_ui.h"

#include <csignal>

#include "count/count_driver.h"
#include "exclude/words_to_ignore.h"
#include "input/docx_extraction.h"
#include "input/docx_text_runs.h"
#include "input/file_scan.h"
#include "input/is_text_file.h"
#include "run/progress_bar.h"
#include "run/run_state.h"
#include "run/run_statistics.h"
#include "support/catalogue.h"
#include "support/message_numbers.h"
#include "support/native_file_name.h"
#include "support/private_temp_folder.h"
#include "support/str_proc.h"

namespace lxt::cli {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int) {
    if (gInterrupted == 0) {
        gInterrupted = 1;
        return;
    }
    // A second Ctrl-C ends the program at once, leaving no temporary files behind.
    RemovePrivateTempFoldersNow();
    std::signal(SIGINT, SIG_DFL);
    std::raise(SIGINT);
}

constexpr char kErrorReportStart[] = "At ";
constexpr char kErrorReportMid[] = " error #";
// Timer2's interval.
constexpr qint64 kTickMs = 1000;

int ButtonCount(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return 1;
        case MsgButtons::OkCancel:
        case MsgButtons::YesNo:
        case MsgButtons::RetryCancel:
            return 2;
        case MsgButtons::YesNoCancel:
        case MsgButtons::AbortRetryIgnore:
            return 3;
    }
    return 1;
}

MsgResult NthButton(MsgButtons buttons, int n) {
    static const MsgResult ok[] = {MsgResult::Ok};
    static const MsgResult okCancel[] = {MsgResult::Ok, MsgResult::Cancel};
    static const MsgResult yesNo[] = {MsgResult::Yes, MsgResult::No};
    static const MsgResult yesNoCancel[] = {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
    static const MsgResult retryCancel[] = {MsgResult::Retry, MsgResult::Cancel};
    static const MsgResult ari[] = {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
    const int i = qBound(1, n, ButtonCount(buttons)) - 1;
    switch (buttons) {
        case MsgButtons::Ok:
            return ok[i];
        case MsgButtons::OkCancel:
            return okCancel[i];
        case MsgButtons::YesNo:
            return yesNo[i];
        case MsgButtons::YesNoCancel:
            return yesNoCancel[i];
        case MsgButtons::RetryCancel:
            return retryCancel[i];
        case MsgButtons::AbortRetryIgnore:
            return ari[i];
    }
    return MsgResult::Ok;
}

// Paragraphs of a message that advise a Windows program, which this platform has not.
constexpr char kWindowsProgramName[] = "Notepad++";
constexpr char kParagraphBreak[] = "\r\n\r\n";

QString WithoutWindowsAdvice(const QString& text) {
    if (!text.contains(QLatin1String(kWindowsProgramName))) return text;
    QStringList kept;
    for (const QString& paragraph : text.split(QLatin1String(kParagraphBreak))) {
        if (!paragraph.contains(QLatin1String(kWindowsProgramName))) kept << paragraph;
    }
    return kept.join(QLatin1String(kParagraphBreak));
}

}  // namespace

ConsoleUi::ConsoleUi(EncodingChoice encoding, bool quiet, bool progressBar, std::FILE* err)
    : encoding_(encoding), progressBar_(progressBar && !quiet), err_(err) {}

void ConsoleUi::InstallInterruptHandler() {
    gInterrupted = 0;
    std::signal(SIGINT, OnInterrupt);
}

bool ConsoleUi::Interrupted() {
    return gInterrupted != 0;
}

void ConsoleUi::PrintMessage(const QString& text) {
    ClearBar();
    QString lines = WithoutWindowsAdvice(text);
    if (!currentFile_.isEmpty()) {
        const auto shown = shownNames_.find(currentFile_);
        const QString name = shown == shownNames_.end() ? currentFile_ : shown->second;
        lines = QLatin1String(kMessagePrefix) + name + QStringLiteral(": ") + lines.simplified();
    }
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!lines.endsWith(QLatin1Char('\n'))) lines += QLatin1Char('\n');
    // A file name's bytes that are not UTF-8 are shown as U+FFFD.
    const QByteArray bytes = ShownFileName(lines).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), err_);
    std::fflush(err_);
}

MsgResult ConsoleUi::Answer(const QString& text, const QString& title, MsgButtons buttons,
                            int defaultButton) const {
    if (buttons == MsgButtons::Ok) return MsgResult::Ok;
    if (title == QLatin1String(kEncodingQuestionTitle)) {
        switch (encoding_) {
            case EncodingChoice::Utf8:
                return MsgResult::Yes;
            case EncodingChoice::Ansi:
                return MsgResult::No;
            case EncodingChoice::FollowDetection:
                return text.startsWith(QLatin1String(kSeemsUtf8Text)) ? MsgResult::Yes
                                                                      : MsgResult::No;
        }
    }
    if (title == QLatin1String(kLargeInputTitle)) return MsgResult::No;
    if (title == QLatin1String(kBigFileTitle)) return MsgResult::Yes;
    if (text.contains(QLatin1String(kInvalidChecksumText))) return MsgResult::No;
    if (title == QLatin1String(kCountingInterruptedTitle)) return MsgResult::Yes;
    // The stop questions are asked only after Ctrl-C: the answer is to stop.
    if (title == QLatin1String(kDocxStopTitle) || title == Message(kMsgStopCaption)) {
        return Interrupted() ? MsgResult::Yes : MsgResult::No;
    }
    return NthButton(buttons, defaultButton);
}

MsgResult ConsoleUi::MsgBox(const QString& text, const QString& title, MsgButtons buttons,
                            MsgIcon /*icon*/, int defaultButton) {
    if (title == QLatin1String(kCharacterNotAllowedTitle)) settingsRefused_ = true;
    if (text.startsWith(QLatin1String(kErrorReportStart))) {
        const qsizetype mid = text.indexOf(QLatin1String(kErrorReportMid));
        if (mid > 0) reported_ << text.mid(3, mid - 3);
    }
    const MsgResult answer = Answer(text, title, buttons, defaultButton);
    // Messages are printed; questions are answered silently unless the answer ends something.
    const bool question = buttons != MsgButtons::Ok;
    if (!question) {
        PrintMessage(text);
    } else if (answer != MsgResult::Yes && title != QLatin1String(kEncodingQuestionTitle) &&
               title != QLatin1String(kLargeInputTitle) && title != QLatin1String(kDocxStopTitle) &&
               title != Message(kMsgStopCaption)) {
        PrintMessage(text);
    }
    return answer;
}

std::optional<QString> ConsoleUi::InputBox(const QString&, const QString&,
                                           const QString& defaultText) {
    // The overwrite question: the current output file is overwritten.
    return defaultText;
}

void ConsoleUi::DoEvents() {
    if (run_ == nullptr) return;
    if (gInterrupted != 0 && !stopSent_) {
        stopSent_ = true;
        run_->blnStop = true;
    }
    if (timerRunning_) {
        const qint64 due = timer_.elapsed() / kTickMs;
        while (ticksDone_ < due) {
            ++ticksDone_;
            Timer2_Timer(*run_);
        }
    }
}

void ConsoleUi::SetElapsedTimerEnabled(bool enabled) {
    if (enabled && !timerRunning_) {
        timer_.start();
        ticksDone_ = 0;
    }
    timerRunning_ = enabled;
}

QString ConsoleUi::Label(UiLabel label) const {
    const NumberCaption& pending = numberCaptions_[static_cast<size_t>(label)];
    if (pending.prefix != nullptr) {
        return QString::fromLatin1(pending.prefix) + GroupedNumber(pending.number);
    }
    return labels_[static_cast<size_t>(label)];
}

void ConsoleUi::SetLabelNumber(UiLabel label, const char* prefix, qint64 number) {
    if (label == UiLabel::TotalNumOccurrences) {
        Ui::SetLabelNumber(label, prefix, number);  // the progress bar's label is drawn at once
        return;
    }
    numberCaptions_[static_cast<size_t>(label)] = {prefix, number};
}

void ConsoleUi::SetLabel(UiLabel label, const QString& caption) {
    // The twirler turns once per listed line; the counter has no place that shows it.
    if (label == UiLabel::Twirler) return;
    numberCaptions_[static_cast<size_t>(label)] = {};
    QString& shown = labels_[static_cast<size_t>(label)];
    const bool changed = shown != caption;
    shown = caption;
    if (changed && label == UiLabel::TotalNumOccurrences && barLook_ && progressBar_ &&
        caption.startsWith(QLatin1Char('['))) {
        const QByteArray bytes = (QLatin1Char('\r') + caption).toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), err_);
        std::fflush(err_);
        barDrawn_ = true;
    }
}

void ConsoleUi::SetProgressBarLook(bool bar) {
    if (!bar) ClearBar();
    barLook_ = bar;
}

void ConsoleUi::ClearBar() {
    if (!barDrawn_) return;
    const QByteArray blank =
        "\r" + QByteArray(intProgressBarLength + 2, ' ') + "\r";  // "[", the steps, "]"
    std::fwrite(blank.constData(), 1, static_cast<size_t>(blank.size()), err_);
    std::fflush(err_);
    barDrawn_ = false;
}

}  // namespace lxt::cli
