// The Ui port: everything the engine shows or asks goes through it.
// The engine never talks to a window directly; the windows, the headless counter and the
// tests each supply an implementation. Messages use CR LF as their line break.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace lxt {

// The number of characters the output box may hold.
inline constexpr qint32 kMaxTextLength = 65000;
// Words found are no longer shown once the output box holds more than this.
inline constexpr qint32 kDisplayCutOff = kMaxTextLength - 100;
inline constexpr char16_t kSuppressionNotice[] =
    u"\r\n\r\n[Suppressing display of words to avoid buffer overflow.]";

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgResult { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// Labels of the main window that a run writes to.
enum class UiLabel {
    TimeElapsed,             // lblTimeElapsed
    NumberOfWords,           // lblNumberOfWords
    NumWordsExcluded,        // lblNumWordsExcluded
    NumOccurrences,          // lblNumOccurrences
    TotalNumOccurrences,     // lblTotalNumOccurrences (also the character progress bar)
    Twirler,                 // lblTwirler
    FileSize,                // lblFilesize
    XmlSize,                 // lblXMLsize
    SizeOfClipboardContents  // lblSizeOfClipboardContents
};

// What the engine is busy with. The windows show it on their controls (the Count button's
// caption and whether it can be pressed, which other controls can be used, the focus); the
// engine never touches a control for it.
enum class RunPhase {
    Idle,               // nothing going on
    Counting,           // a source is being scanned; the Count button asks to stop
    Ordering,           // the words found are being ordered; nothing can be pressed
    Listing,            // the words are being listed; the Count button asks to stop
    ReadingCommonWords  // a common-words file is being read; the file controls are locked
};

// Check boxes that the engine itself may tick or clear during a run.
enum class UiCheckBox {
    SuppressWords,        // chkSuppressWords
    DisableOutputToFile,  // chkDisableOutputToFile
    IgnoreCommonWords,    // chkIgnoreCommonWords
    Utf8                  // chkUTF8
};

class Ui {
  public:
    virtual ~Ui() = default;

    // Questions and messages. defaultButton is 1-based, as in the button list.
    virtual MsgResult MsgBox(const QString& text, const QString& title,
                             MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                             int defaultButton = 1) = 0;
    // Returns no value when the user cancels.
    virtual std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    // Lets pending user-interface events run (clicks, timers, repaints).
    virtual void DoEvents() = 0;

    // The output box txbOutput. The base class keeps the text; a window mirrors it.
    virtual void OutputReplace(const QString& text) { output_ = text; }
    virtual void OutputAppend(const QString& text) { output_ += text; }
    virtual void OutputCaretToEnd() {}
    virtual void OutputCaretToStart() {}
    virtual qsizetype OutputLength() const { return output_.size(); }
    virtual QString OutputText() const { return output_; }

    // The words-as-found display, told of each new word while "Don't display words as found"
    // is not ticked. The first word of a run replaces the output box's text, later ones follow
    // it, each with a blank. Once the box holds more than kDisplayCutOff characters no word is
    // shown: the notice is appended once per run and chkSuppressWords is ticked. Gives back
    // false when the word was not shown for that reason.
    virtual bool ShowWordFound(QStringView word, bool firstOfRun);
    // A run starts: the notice may be written once more.
    virtual void StartWordsFoundDisplay() { wordsFoundCutOff_ = false; }
    // True once the display was cut off in this run (blnDisplaySuppressed).
    bool WordsFoundCutOff() const { return wordsFoundCutOff_; }

    // Labels and check boxes of the main window.
    virtual void SetLabel(UiLabel, const QString& /*caption*/) {}
    // Sets a label to the Latin-1 `prefix` followed by `number` with its digits grouped
    // (GroupedNumber). A Ui that shows the label only later may write the caption then.
    virtual void SetLabelNumber(UiLabel label, const char* prefix, qint64 number);
    virtual void SetLabelVisible(UiLabel, bool /*visible*/) {}
    // true: lblTotalNumOccurrences becomes the progress bar (Courier New 10 pt bold, left);
    // false: its normal look (Arial 10 pt, right-aligned).
    virtual void SetProgressBarLook(bool /*bar*/) {}
    virtual void SetCheckBox(UiCheckBox, bool /*ticked*/) {}
    // Shows or hides a check box (chkSuppressWords is hidden while a docx's text is read).
    virtual void SetCheckBoxVisible(UiCheckBox, bool /*visible*/) {}

    // The engine has entered `phase` (Idle when an operation has finished, whatever its
    // outcome). The windows decide what their controls show for it.
    virtual void ShowRunPhase(RunPhase /*phase*/) {}
    // Shows the Settings window (not modal).
    virtual void ShowSettingsWindow() {}
    // Selects the source option: true optInFile, false optOnClipboard.
    virtual void SelectSource(bool /*inFile*/) {}
    // Shows a new text in the input-file box (the run trims what the user typed).
    virtual void SetInputFileText(const QString& /*path*/) {}
    // Shows a new text in the output-file box (the answer to the overwrite question).
    virtual void SetOutputFileText(const QString& /*path*/) {}
    // The clipboard's plain text; no value when the clipboard cannot be read.
    virtual std::optional<QString> ClipboardText() { return QString(); }
    // Enables or disables Timer2, the once-a-second tick of the elapsed-time display.
    virtual void SetElapsedTimerEnabled(bool /*enabled*/) {}
    // The output-file choice (cmdFile_Click with index 1): the chosen name, or empty when the
    // user cancels. The large-input question of a file scan offers it.
    virtual QString ChooseOutputFile() { return QString(); }
    // Ticks or clears the Settings window's chkOnly7bitASCII (the encoding question clears it).
    virtual void SetOnly7bitAscii(bool /*ticked*/) {}

  protected:
    QString output_;

  private:
    bool wordsFoundCutOff_ = false;
};

}  // namespace lxt
