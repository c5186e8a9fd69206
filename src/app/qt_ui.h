// The Ui of the main window: message and input boxes as Qt dialogs, the output box txbOutput,
// the statistics labels, the check boxes and the Count button. Appending to the output box
// costs O(1) amortised (the text is kept beside the widget and added to it in batches), and
// DoEvents lets the event loop run at most every kDoEventsIntervalMs of wall time.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include "support/ui.h"

namespace lxt {

class FrmMain;

// Least wall time between two runs of the event loop from DoEvents.
inline constexpr int kDoEventsIntervalMs = 40;

class QtUi : public Ui {
  public:
    // `dialogs`, when not null, answers message and input boxes and hears every DoEvents.
    QtUi(FrmMain& frm, Ui* dialogs);

    MsgResult MsgBox(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon,
                     int defaultButton) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    void DoEvents() override;

    void OutputReplace(const QString& text) override;
    void OutputAppend(const QString& text) override;
    void OutputCaretToEnd() override;
    void OutputCaretToStart() override;

    void SetLabel(UiLabel label, const QString& caption) override;
    void SetLabelVisible(UiLabel label, bool visible) override;
    void SetProgressBarLook(bool bar) override;
    void SetCheckBox(UiCheckBox box, bool ticked) override;
    void SetCheckBoxVisible(UiCheckBox box, bool visible) override;

    void ShowRunPhase(RunPhase phase) override;
    void ShowSettingsWindow() override;
    void SelectSource(bool inFile) override;
    void SetInputFileText(const QString& path) override;
    void SetOutputFileText(const QString& path) override;
    std::optional<QString> ClipboardText() override;
    void SetElapsedTimerEnabled(bool enabled) override;
    QString ChooseOutputFile() override;
    void SetOnly7bitAscii(bool ticked) override;

    // Adds the text appended since the last flush to the widget.
    void FlushOutput();
    // The output box was emptied or edited by the window itself: take its text over.
    void SyncFromWidget();

  private:
    void ScheduleFlush();

    FrmMain& frm_;
    Ui* dialogs_;
    QString pending_;
    bool flushScheduled_ = false;
    enum class Caret { Stay, Start, End };
    Caret caret_ = Caret::Stay;
    QElapsedTimer sincePump_;
};

// The text as the output widget shows it: CR LF and lone CR become line feeds.
QString DisplayText(const QString& text);
// The arrow that the twirler shows for a character of the Symbol font (172 to 175).
QString TwirlerGlyph(const QString& caption);

}  // namespace lxt
