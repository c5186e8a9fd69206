#include "count/count_driver.h"

#include <QFile>
#include <QFileInfo>
#include <new>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include "exclude/words_to_ignore.h"
#include "input/clipboard_source.h"
#include "input/file_scan.h"
#include "input/is_text_file.h"
#include "results/output_file.h"
#include "results/sorting.h"
#include "run/report_error.h"
#include "run/run_error.h"
#include "run/run_state.h"
#include "run/run_statistics.h"
#include "scan/scan_options.h"
#include "support/catalogue.h"
#include "support/error_numbers.h"
#include "support/file_proc.h"
#include "support/message_numbers.h"
#include "support/native_file_name.h"
#include "support/text_literals.h"
#include "support/ui.h"

namespace lxt {

namespace {

constexpr char kProcedureName[] = "DoIt";
constexpr char kTimeElapsedStart[] = "Time elapsed: 0s";
constexpr char kPhaseSuffix[] = " ...";
// intMinWidth of the listing at the start of every run.
constexpr int kStartMinWidth = 6;
// Error numbers and descriptions of the output-file test.
constexpr char kPermissionDenied[] = "Permission denied";
constexpr char kPathFileAccessError[] = "Path/File access error";
constexpr char kPathNotFound[] = "Path not found";
constexpr char kOutOfMemory[] = "Out of memory";

// The error handler of DoIt: the error is reported and the run ends idle.
RunOutcome HandleError(RunState& run, int number, const QString& description) {
    Ui& ui = run.ui;
    ReportError(run, number, description, Latin(kProcedureName));
    if (number == kErrPermissionDenied) {
        ui.OutputReplace(QStringLiteral("Error: ") + description + kCrLf + kCrLf +
                         Latin(kOutputFileLockedHint));
    }
    ui.SetLabel(UiLabel::Twirler, QStringLiteral(" "));
    EnterRunPhase(run, RunPhase::Idle);
    return RunOutcome::Failed;
}

// Once the scan has delivered its words: sorts them, handles a stop, and lists them.
RunOutcome OrderAndList(RunState& run, const ListingTarget& target) {
    Ui& ui = run.ui;
    SortWordTable(run, 1, run.lngNumWords, 1);

    if (run.blnStop) {
        run.blnStop = false;
        if (ui.OutputLength() > 0) ui.OutputAppend(kCrLf + kCrLf);
        ui.OutputAppend(StoppedText(run.lngNumWords));
        ConcealNumWords(run, false);
        ui.OutputCaretToEnd();
        const MsgResult answer =
            ui.MsgBox(Latin(kCountingInterruptedText), Latin(kCountingInterruptedTitle),
                      MsgButtons::YesNo, MsgIcon::None, 1);
        if (answer != MsgResult::Yes) {
            EnterRunPhase(run, RunPhase::Idle);
            return RunOutcome::NotListed;
        }
        run.blnRunInterrupted = true;
    }

    run.blnWordsGot = !run.blnRunInterrupted;
    EnterRunPhase(run, RunPhase::Ordering);

    ui.OutputReplace(Message(kMsgPhaseInclusion) + Latin(kPhaseSuffix));
    MarkIncludedWords(run);
    ui.OutputReplace(Message(kMsgPhaseStatistics) + Latin(kPhaseSuffix));
    ComputeWordStatistics(run);
    ui.OutputReplace(Message(kMsgPhaseFrequencyOrder) + Latin(kPhaseSuffix));
    OrderByFrequency(run);

    ShowRunStatistics(run);
    run.blnListShown = true;
    EnterRunPhase(run, RunPhase::Listing);

    ListWords(run, target);
    ui.SetLabel(UiLabel::Twirler, QStringLiteral(" "));
    EnterRunPhase(run, RunPhase::Idle);
    return RunOutcome::Listed;
}

// The scan of several files as one text; true when at least one was read.
bool ScanFiles(RunState& run, const InputFiles& inputs) {
    const int utf8Box = run.settings.chkUTF8;
    bool anyRead = false;
    for (const QString& name : inputs.names) {
        run.settings.txbFile[0] = name;
        run.settings.chkUTF8 = utf8Box;
        run.ui.SetInputFileText(name);
        if (DoItFromFile(run, anyRead ? WordTableStart::AddToCount : WordTableStart::Fresh)) {
            anyRead = true;
        } else if (inputs.refused != nullptr) {
            inputs.refused->append(name);
        }
        if (run.blnStop) break;
    }
    // What follows the scans (the listing) is about no one of the files.
    run.ui.SetInputFileText(QString());
    return anyRead;
}

}  // namespace

QString StoppedText(qint32 numWords) {
    return QStringLiteral("Stopped with ") + QString::number(numWords) +
           (numWords == 1 ? QStringLiteral(" word") : QStringLiteral(" words")) +
           QStringLiteral(" found.");
}

OutputFileTest TestOutputFile(const QString& path) {
    // Opening a pipe for writing waits for a reader; a device is no file to list into.
    if (IsSpecialFile(path)) {
        return {kErrPathFileAccess, Latin(kPathFileAccessError) + QStringLiteral(": ") + path +
                                        u' ' + Latin(kNotRegularFileText)};
    }
#ifdef Q_OS_UNIX
    const QByteArray native = EncodeFileName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    const int err = errno;
    if (err == EACCES || err == EPERM || err == EROFS || err == ETXTBSY) {
        return {kErrPermissionDenied, Latin(kPermissionDenied)};
    }
    if (err == ENOENT || err == ENOTDIR) return {kErrPathNotFound, Latin(kPathNotFound)};
    return {kErrPathFileAccess, Latin(kPathFileAccessError)};
#else
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.close();
        return {};
    }
    if (!QFileInfo(path).absoluteDir().exists()) return {kErrPathNotFound, Latin(kPathNotFound)};
    if (file.error() == QFileDevice::PermissionsError || QFileInfo::exists(path)) {
        return {kErrPermissionDenied, Latin(kPermissionDenied)};
    }
    return {kErrPathFileAccess, Latin(kPathFileAccessError)};
#endif
}

RunOutcome DoIt(RunState& run, const ListingTarget& target, const InputFiles& inputs) {
    Ui& ui = run.ui;
    if (!CheckAllowedExtraChars(run)) {
        ui.ShowSettingsWindow();
        return RunOutcome::NotStarted;
    }
    try {
        run.blnRunInterrupted = false;
        run.ui.StartWordsFoundDisplay();
        run.intMinWidth = kStartMinWidth;

        const QString& outputName = run.settings.txbFile[1];
        if (!outputName.isEmpty() && run.settings.chkDisableOutputToFile != 1) {
            const OutputFileTest test = TestOutputFile(outputName);
            if (test.number != 0) return HandleError(run, test.number, test.description);
        }

        run.lngTotalNumOccurrences = 0;
        ui.SetLabelVisible(UiLabel::TimeElapsed, true);
        ui.SetLabel(UiLabel::TimeElapsed, Latin(kTimeElapsedStart));
        ui.StartElapsedTime();

        bool scanned = false;
        if (run.settings.optInFile && !inputs.names.isEmpty()) {
            scanned = ScanFiles(run, inputs);
        } else if (run.settings.optInFile) {
            const QString inputName = run.settings.txbFile[0].trimmed();
            run.settings.txbFile[0] = inputName;
            ui.SetInputFileText(inputName);
            if (inputName.isEmpty()) {
                ui.MsgBox(Latin(kInputFileNotSpecified), Message(kMsgTitleError), MsgButtons::Ok,
                          MsgIcon::Exclamation);
                ui.OutputReplace(QString());
                return RunOutcome::NotStarted;
            }
            scanned = DoItFromFile(run);
        } else {
            if (!Paste(run, false)) {
                run.settings.optInFile = true;
                ui.SelectSource(true);
                return RunOutcome::NotStarted;
            }
            scanned = DoItFromClipboard(run);
        }
        if (!scanned) return RunOutcome::Abandoned;
        return OrderAndList(run, target);
    } catch (const RunError& error) {
        return HandleError(run, error.number, error.description);
    } catch (const std::bad_alloc&) {
        return HandleError(run, kErrOutOfMemory, Latin(kOutOfMemory));
    }
}

RunOutcome cmdListWords_Click(RunState& run, const ListingTarget& target,
                              const InputFiles& inputs) {
    Ui& ui = run.ui;
    if (RunInProgress(run)) {
        if (ui.MsgBox(Message(kMsgStopQuestion), Message(kMsgStopCaption), MsgButtons::YesNo,
                      MsgIcon::None, 2) == MsgResult::Yes) {
            run.blnStop = true;
        }
        return RunOutcome::NotStarted;
    }
    if (run.settings.chkUTF8 == 1 && run.settings.chkOnly7bitASCII == 1) {
        const bool docx = IsDocxFile(run.settings.txbFile[0].trimmed());
        ui.MsgBox(
            Latin(docx ? kIncompatibleDocx : kIncompatibleUtf8) + kCrLf + Latin(kIncompatibleTail),
            Latin(kIncompatibleSettingTitle), MsgButtons::Ok, MsgIcon::Exclamation);
        return RunOutcome::NotStarted;
    }
    run.intThresholdFrequency = run.settings.cboThresholdFrequency + 2;
    const RunOutcome outcome = DoIt(run, target, inputs);
    ui.StopElapsedTime();
    if (ui.SecondsElapsed() < kMinSecondsShown) ui.SetLabel(UiLabel::TimeElapsed, QString());
    return outcome;
}

}  // namespace lxt
