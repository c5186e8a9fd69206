// The Ui of lxt-count: messages go to standard error in the program's own words, questions
// get the fixed answers that the help text states, the progress bar is drawn on standard
// error when it is a terminal, and Ctrl-C asks the running count to stop.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdio>
#include <map>

#include "cli/cli_options.h"
#include "support/ui.h"

namespace lxt {
struct RunState;
}

namespace lxt::cli {

class ConsoleUi : public Ui {
  public:
    ConsoleUi(EncodingChoice encoding, bool quiet, bool progressBar, std::FILE* err = stderr);

    // The run whose blnStop Ctrl-C sets and whose Timer2 this Ui drives.
    void Attach(RunState* run) { run_ = run; }
    // The text handed out as the clipboard's (--as-clipboard).
    void SetClipboardText(const QString& text) { clipboard_ = text; }

    MsgResult MsgBox(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon,
                     int defaultButton) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    void DoEvents() override;

    void SetLabel(UiLabel label, const QString& caption) override;
    void SetLabelNumber(UiLabel label, const char* prefix, qint64 number) override;
    void SetProgressBarLook(bool bar) override;
    std::optional<QString> ClipboardText() override { return clipboard_; }
    void SetElapsedTimerEnabled(bool enabled) override;

    // The input file being read: messages from now on are about it.
    void SetInputFileText(const QString& path) override { currentFile_ = path; }
    // The name messages give to `path` (standard input's temporary copy).
    void NameFile(const QString& path, const QString& shownName) { shownNames_[path] = shownName; }

    // Writes a message to standard error: CR LF become line breaks. A message about a file
    // is one line, "lxt-count: FILE: " and the message; advice that names a Windows program
    // is left out.
    void PrintMessage(const QString& text);

    QString Label(UiLabel label) const;
    // Procedure names of the error reports ("At DoItFromFile error #...") shown so far.
    const QStringList& ReportedProcedures() const { return reported_; }
    // True once a question about the settings refused the run ("Character not allowed").
    bool SettingsRefused() const { return settingsRefused_; }

    // Ctrl-C: the first asks the count to stop, the second ends the program.
    static void InstallInterruptHandler();
    static bool Interrupted();

  private:
    MsgResult Answer(const QString& text, const QString& title, MsgButtons buttons,
                     int defaultButton) const;
    void ClearBar();

    EncodingChoice encoding_;
    bool progressBar_;
    std::FILE* err_;
    RunState* run_ = nullptr;
    QString clipboard_;
    QString currentFile_;
    std::map<QString, QString> shownNames_;
    // The captions by label (UiLabel::SizeOfClipboardContents is the last).
    std::array<QString, static_cast<size_t>(UiLabel::SizeOfClipboardContents) + 1> labels_;
    // A caption given as a prefix and a number, written when the label is asked for (the
    // count of words found changes every ten words, and nothing shows it meanwhile).
    struct NumberCaption {
        const char* prefix = nullptr;  // null: labels_ holds the caption
        qint64 number = 0;
    };
    std::array<NumberCaption, static_cast<size_t>(UiLabel::SizeOfClipboardContents) + 1>
        numberCaptions_;
    QStringList reported_;
    bool settingsRefused_ = false;
    bool barLook_ = false;
    bool barDrawn_ = false;
    bool stopSent_ = false;
    bool timerRunning_ = false;
    QElapsedTimer timer_;
    qint64 ticksDone_ = 0;
};

}  // namespace lxt::cli
