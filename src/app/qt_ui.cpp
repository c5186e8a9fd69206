#include "app/qt_ui.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFont>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>
#include <vector>

#include "app/frm_main.h"
#include "app/frm_params.h"

namespace lxt {

namespace {

QMessageBox::StandardButton ToStandard(MsgResult r) {
    switch (r) {
        case MsgResult::Ok:
            return QMessageBox::Ok;
        case MsgResult::Cancel:
            return QMessageBox::Cancel;
        case MsgResult::Yes:
            return QMessageBox::Yes;
        case MsgResult::No:
            return QMessageBox::No;
        case MsgResult::Retry:
            return QMessageBox::Retry;
        case MsgResult::Abort:
            return QMessageBox::Abort;
        case MsgResult::Ignore:
            return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

std::vector<MsgResult> ButtonList(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return {MsgResult::Ok};
        case MsgButtons::OkCancel:
            return {MsgResult::Ok, MsgResult::Cancel};
        case MsgButtons::YesNo:
            return {MsgResult::Yes, MsgResult::No};
        case MsgButtons::YesNoCancel:
            return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
        case MsgButtons::RetryCancel:
            return {MsgResult::Retry, MsgResult::Cancel};
        case MsgButtons::AbortRetryIgnore:
            return {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
    }
    return {MsgResult::Ok};
}

QMessageBox::Icon ToIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return QMessageBox::NoIcon;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString DisplayText(const QString& text) {
    if (!text.contains(QLatin1Char('\r'))) return text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString TwirlerGlyph(const QString& caption) {
    // The Symbol font's arrows left, up, right and down.
    static const char16_t arrows[] = {u'\u2190', u'\u2191', u'\u2192', u'\u2193'};
    if (caption.size() == 1) {
        const char16_t c = caption.at(0).unicode();
        if (c >= 172 && c <= 175) return QString(QChar(arrows[c - 172]));
    }
    return caption;
}

QtUi::QtUi(FrmMain& frm, Ui* dialogs) : frm_(frm), dialogs_(dialogs) {
    sincePump_.start();
}

MsgResult QtUi::MsgBox(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon,
                       int defaultButton) {
    FlushOutput();
    if (dialogs_) return dialogs_->MsgBox(text, title, buttons, icon, defaultButton);
    QMessageBox box(ToIcon(icon), title, DisplayText(text), QMessageBox::NoButton,
                    frm_.isVisible() ? &frm_ : nullptr);
    const std::vector<MsgResult> list = ButtonList(buttons);
    for (MsgResult r : list) box.addButton(ToStandard(r));
    const int index = (defaultButton >= 1 && defaultButton <= static_cast<int>(list.size()))
                          ? defaultButton - 1
                          : 0;
    box.setDefaultButton(ToStandard(list[static_cast<size_t>(index)]));
    if (list.size() == 1) box.setEscapeButton(ToStandard(list[0]));
    const int pressed = box.exec();
    for (MsgResult r : list) {
        if (pressed == ToStandard(r)) return r;
    }
    // Closed by its title bar: the box's cancelling answer.
    for (MsgResult r : {MsgResult::Cancel, MsgResult::No, MsgResult::Ok}) {
        for (MsgResult have : list) {
            if (have == r) return r;
        }
    }
    return list.back();
}

std::optional<QString> QtUi::InputBox(const QString& prompt, const QString& title,
                                      const QString& defaultText) {
    FlushOutput();
    if (dialogs_) return dialogs_->InputBox(prompt, title, defaultText);
    bool ok = false;
    const QString answer =
        QInputDialog::getText(frm_.isVisible() ? &frm_ : nullptr, title, DisplayText(prompt),
                              QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return answer;
}

void QtUi::DoEvents() {
    if (dialogs_) dialogs_->DoEvents();
    if (sincePump_.elapsed() < kDoEventsIntervalMs) return;
    FlushOutput();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    sincePump_.restart();
}

void QtUi::OutputReplace(const QString& text) {
    output_ = text;
    pending_.clear();
    caret_ = Caret::Stay;
    frm_.txbOutput->setPlainText(DisplayText(text));
    if (frm_.isVisible()) frm_.txbOutput->viewport()->repaint();
}

void QtUi::OutputAppend(const QString& text) {
    if (text.isEmpty()) return;
    output_ += text;
    pending_ += text;
    ScheduleFlush();
}

void QtUi::OutputCaretToEnd() {
    caret_ = Caret::End;
    ScheduleFlush();
}

void QtUi::OutputCaretToStart() {
    caret_ = Caret::Start;
    ScheduleFlush();
}

void QtUi::ScheduleFlush() {
    if (flushScheduled_) return;
    flushScheduled_ = true;
    QTimer::singleShot(0, &frm_, [this] { FlushOutput(); });
}

void QtUi::FlushOutput() {
    flushScheduled_ = false;
    QPlainTextEdit* box = frm_.txbOutput;
    if (!pending_.isEmpty()) {
        QTextCursor cursor(box->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(DisplayText(pending_));
        pending_.clear();
    }
    if (caret_ != Caret::Stay) {
        box->moveCursor(caret_ == Caret::End ? QTextCursor::End : QTextCursor::Start);
        box->ensureCursorVisible();
        caret_ = Caret::Stay;
    }
}

void QtUi::SyncFromWidget() {
    pending_.clear();
    output_ = frm_.txbOutput->toPlainText();
    output_.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

namespace {

QLabel* LabelOf(FrmMain& frm, UiLabel label) {
    switch (label) {
        case UiLabel::TimeElapsed:
            return frm.lblTimeElapsed;
        case UiLabel::NumberOfWords:
            return frm.lblNumberOfWords;
        case UiLabel::NumWordsExcluded:
            return frm.lblNumWordsExcluded;
        case UiLabel::NumOccurrences:
            return frm.lblNumOccurrences;
        case UiLabel::TotalNumOccurrences:
            return frm.lblTotalNumOccurrences;
        case UiLabel::Twirler:
            return frm.lblTwirler;
        case UiLabel::FileSize:
            return frm.lblFilesize;
        case UiLabel::XmlSize:
            return frm.lblXMLsize;
        case UiLabel::SizeOfClipboardContents:
            return frm.lblSizeOfClipboardContents;
    }
    return nullptr;
}

}  // namespace

void QtUi::SetLabel(UiLabel label, const QString& caption) {
    QLabel* l = LabelOf(frm_, label);
    if (!l) return;
    l->setText(label == UiLabel::Twirler ? TwirlerGlyph(caption) : caption);
}

void QtUi::SetLabelVisible(UiLabel label, bool visible) {
    if (QLabel* l = LabelOf(frm_, label)) l->setVisible(visible);
}

void QtUi::SetProgressBarLook(bool bar) {
    QLabel* l = frm_.lblTotalNumOccurrences;
    QFont font(bar ? QStringLiteral("Courier New") : QStringLiteral("Arial"));
    font.setStyleHint(bar ? QFont::TypeWriter : QFont::SansSerif);
    font.setPointSizeF(10.0);
    font.setBold(bar);
    l->setFont(font);
    l->setAlignment((bar ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    l->setVisible(true);
}

namespace {

// The main window's own check box; chkIgnoreCommonWords lives in the Settings window.
QCheckBox* MainCheckBox(FrmMain& frm, UiCheckBox box) {
    switch (box) {
        case UiCheckBox::SuppressWords:
            return frm.chkSuppressWords;
        case UiCheckBox::DisableOutputToFile:
            return frm.chkDisableOutputToFile;
        case UiCheckBox::Utf8:
            return frm.chkUTF8;
        case UiCheckBox::IgnoreCommonWords:
            break;
    }
    return nullptr;
}

}  // namespace

void QtUi::SetCheckBox(UiCheckBox box, bool ticked) {
    QCheckBox* c = MainCheckBox(frm_, box);
    if (c) {
        c->setChecked(ticked);
    } else if (box == UiCheckBox::IgnoreCommonWords) {
        frm_.SetIgnoreCommonWords(ticked);
    }
    // The run's copy of the settings follows the control, as the control is the setting.
    Settings& s = frm_.Run().settings;
    switch (box) {
        case UiCheckBox::SuppressWords:
            s.chkSuppressWords = ticked ? 1 : 0;
            break;
        case UiCheckBox::DisableOutputToFile:
            s.chkDisableOutputToFile = ticked ? 1 : 0;
            break;
        case UiCheckBox::IgnoreCommonWords:
            s.chkIgnoreCommonWords = ticked ? 1 : 0;
            break;
        case UiCheckBox::Utf8:
            s.chkUTF8 = ticked ? 1 : 0;
            break;
    }
}

void QtUi::SetCheckBoxVisible(UiCheckBox box, bool visible) {
    if (QCheckBox* c = MainCheckBox(frm_, box)) {
        c->setVisible(visible);
    } else if (box == UiCheckBox::IgnoreCommonWords) {
        frm_.Params().chkIgnoreCommonWords->setVisible(visible);
    }
}

void QtUi::ShowRunPhase(RunPhase phase) {
    frm_.ShowRunPhase(phase);
}

void QtUi::ShowSettingsWindow() {
    frm_.cmdSetParameters_Click();
}

void QtUi::SelectSource(bool inFile) {
    if (inFile) {
        frm_.optInFile->setChecked(true);
    } else {
        frm_.optOnClipboard->setChecked(true);
    }
    frm_.Run().settings.optInFile = inFile;
}

void QtUi::SetInputFileText(const QString& path) {
    frm_.txbFile[0]->setText(path);
    frm_.Run().settings.txbFile[0] = path;
}

void QtUi::SetOutputFileText(const QString& path) {
    frm_.txbFile[1]->setText(path);
    frm_.Run().settings.txbFile[1] = path;
}

std::optional<QString> QtUi::ClipboardText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return std::nullopt;
    return clipboard->text(QClipboard::Clipboard);
}

void QtUi::SetElapsedTimerEnabled(bool enabled) {
    if (enabled) {
        frm_.Timer2->start();
    } else {
        frm_.Timer2->stop();
    }
}

QString QtUi::ChooseOutputFile() {
    FlushOutput();
    return frm_.cmdFile_Click(1);
}

void QtUi::SetOnly7bitAscii(bool ticked) {
    frm_.Params().chkOnly7bitASCII->setChecked(ticked);
    frm_.Run().settings.chkOnly7bitASCII = ticked ? 1 : 0;
}

}  // namespace lxt
