#include "app/frm_main.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/cv_common.h"
#include "app/frm_chart.h"
#include "app/frm_help.h"
#include "app/frm_params.h"
#include "app/frm_pop_up.h"
#include "app/qt_ui.h"
#include "app/web_link.h"
#include "count/count_driver.h"
#include "results/output_file.h"
#include "run/run_statistics.h"
#include "settings/settings_file.h"
#include "support/catalogue.h"

namespace lxt {

namespace {

// Where the pop-up after saving the settings appears, and for how long (twips, ms).
constexpr int kSavedPopUpWidth = 2400;
constexpr int kSavedPopUpHeight = 300;
constexpr int kSavedPopUpInterval = 2000;
constexpr int kSavedPopUpTop = 6500;
constexpr int kSavedPopUpLeft = 5200;
// The Count button's caption while common words are read.
constexpr char kReadingStopCaption[] = "Stop";

}  // namespace

FrmMain::FrmMain(Ui* dialogs, QWidget* parent) : QMainWindow(parent) {
    // Only cmdQuit_Click ends the program: closing the last window is not a way out of its own.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    BuildLayout();
    ui_ = std::make_unique<QtUi>(*this, dialogs);
    run_ = std::make_unique<RunState>(*ui_);
    frmParams_ = std::make_unique<FrmParams>(*this);
    endProcess_ = [this] {
        if (IsCounting()) {
            // A count cannot unwind from inside its own event pumping: end at once.
            std::fflush(nullptr);
            std::_Exit(EXIT_SUCCESS);
        }
        QCoreApplication::exit(EXIT_SUCCESS);
    };
    fileChooser_ = [this](const FileDialogRequest& request) {
        return ShowFileDialog(this, request);
    };
    ConnectHandlers();
    SetUpDesktopHabits();
}

FrmMain::~FrmMain() {
    Timer1->stop();
    Timer2->stop();
}

void FrmMain::SetEndProcess(std::function<void()> endProcess) {
    endProcess_ = std::move(endProcess);
}

void FrmMain::SetFileChooser(FileChooser chooser) {
    fileChooser_ = std::move(chooser);
}

QString FrmMain::ChooseFileName(const FileDialogRequest& request) {
    return fileChooser_(request);
}

RunState& FrmMain::Run() {
    return *run_;
}
Ui& FrmMain::TheUi() {
    return *ui_;
}
FrmParams& FrmMain::Params() {
    return *frmParams_;
}

void FrmMain::ConnectHandlers() {
    connect(cmdListWords, &QPushButton::clicked, this, [this] { cmdListWords_Click(); });
    for (int i = 0; i < 2; ++i) {
        connect(cmdFile[i], &QPushButton::clicked, this, [this, i] { cmdFile_Click(i); });
        connect(cmdClearFile[i], &QPushButton::clicked, this, [this, i] { cmdClearFile_Click(i); });
        txbFile[i]->installEventFilter(this);
    }
    connect(cmdClearOutput, &QPushButton::clicked, this, [this] { cmdClearOutput_Click(); });
    connect(cmdSetParameters, &QPushButton::clicked, this, [this] { cmdSetParameters_Click(); });
    connect(cmdSaveState, &QPushButton::clicked, this, [this] { cmdSaveState_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdChart, &QPushButton::clicked, this, [this] { cmdChart_Click(); });
    auto* chartKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
    connect(chartKey, &QShortcut::activated, this, [this] {
        if (cmdChart->isEnabled()) cmdChart_Click();
    });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    // A check box or option set by the program runs its handler too, as a click would.
    connect(chkSuppressWords, &QCheckBox::toggled, this, [this] { chkSuppressWords_Click(); });
    connect(optInFile, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optInFile_Click();
    });
    connect(optOnClipboard, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optOnClipboard_Click();
    });
    connect(cboWordOrder, &QComboBox::currentIndexChanged, this, [this] { cboWordOrder_Click(); });
    connect(cboDisplayFormat, &QComboBox::currentIndexChanged, this,
            [this] { cboDisplayFormat_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
    txbIntro->viewport()->installEventFilter(this);
    lblCorvaneSystems->installEventFilter(this);
    lblOnlineDocumentation->installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(cmdHelp), static_cast<QWidget*>(cmdFile[0]),
                       static_cast<QWidget*>(cmdFile[1]), static_cast<QWidget*>(cmdListWords)}) {
        w->installEventFilter(this);
    }
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        (watched == cmdHelp || watched == cmdFile[0] || watched == cmdFile[1] ||
         watched == cmdListWords)) {
        ShowHelp();
        return true;
    }
    if (type == QEvent::MouseButtonRelease) {
        if (watched == txbIntro->viewport()) {
            txbIntro_Click();
        } else if (watched == lblCorvaneSystems) {
            OpenWebLink(*ui_, Message(kMsgPublisherSite));
            return true;
        } else if (watched == lblOnlineDocumentation) {
            OpenWebLink(*ui_, Message(kMsgOnlineManual));
            return true;
        }
    }
    if (type == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window or a pop-up taking the focus is no leaving of the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (int i = 0; i < 2; ++i) {
                if (watched == txbFile[i]) txbFile_LostFocus(i);
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    if (!quitting_) cmdQuit_Click();
    event->accept();
}

// ---- Settings of both windows ----

Settings FrmMain::CollectSettings() {
    Settings s = run_->settings;
    frmParams_->ToSettings(s);
    for (int i = 0; i < 2; ++i) s.txbFile[i] = txbFile[i]->text();
    s.chkSuppressWords = chkSuppressWords->isChecked() ? 1 : 0;
    s.chkDisableOutputToFile = chkDisableOutputToFile->isChecked() ? 1 : 0;
    s.chkUTF8 = chkUTF8->isChecked() ? 1 : 0;
    s.cboWordOrder = cboWordOrder->currentIndex();
    s.cboDisplayFormat = cboDisplayFormat->currentIndex();
    s.optInFile = !optOnClipboard->isChecked();
    s.strCommonWordsFile = run_->strCommonWordsFile;
    return s;
}

void FrmMain::ApplySettings(const Settings& s) {
    for (int i = 0; i < 2; ++i) txbFile[i]->setText(s.txbFile[i]);
    run_->strCommonWordsFile = s.strCommonWordsFile;
    frmParams_->FromSettings(s);
    {
        // The lists take their restored choice without listing anything.
        const QSignalBlocker order(cboWordOrder);
        const QSignalBlocker format(cboDisplayFormat);
        cboWordOrder->setCurrentIndex(s.cboWordOrder);
        cboDisplayFormat->setCurrentIndex(s.cboDisplayFormat);
    }
    chkSuppressWords->setChecked(s.chkSuppressWords != 0);
    chkDisableOutputToFile->setChecked(s.chkDisableOutputToFile != 0);
    chkUTF8->setChecked(s.chkUTF8 != 0);
    if (s.optInFile) {
        optInFile->setChecked(true);
    } else {
        optOnClipboard->setChecked(true);
    }
    run_->settings = CollectSettings();
}

void FrmMain::TakeSettingsIntoRun() {
    run_->settings = CollectSettings();
}

QString FrmMain::SaveState(const QString& name) {
    return lxt::SaveState(CollectSettings(), name.isEmpty() ? strStateFile_ : name);
}

QString FrmMain::RestoreSavedState(const QString& name) {
    const RestoredSettings restored =
        lxt::RestoreSavedState(name.isEmpty() ? strStateFile_ : name, CollectSettings());
    ApplySettings(restored.settings);
    UpdateDisableOutputBox();
    if (!restored.errorText.isEmpty()) return restored.errorText;
    if (cboWordOrder->currentIndex() < 0 || cboDisplayFormat->currentIndex() < 0 ||
        frmParams_->cboThresholdFrequency->currentIndex() < 0) {
        return QString::fromLatin1(kInvalidComboBoxIndex);
    }
    return QString();
}

void FrmMain::SetIgnoreCommonWords(bool ticked) {
    frmParams_->SetIgnoreCommonWordsByProgram(ticked);
    run_->settings.chkIgnoreCommonWords = ticked ? 1 : 0;
}

// ---- Run state ----

QString FrmMain::InputFilePath() const {
    return txbFile[0]->text();
}
void FrmMain::SetInputFilePath(const QString& path) {
    txbFile[0]->setText(path);
}
void FrmMain::SetOutputFilePath(const QString& path) {
    txbFile[1]->setText(path);
    UpdateDisableOutputBox();
}

bool FrmMain::IsCounting() const {
    return RunInProgress(*run_);
}

// ---- Focus and enabling ----

void FrmMain::SetTheFocus() {
    if (!isVisible()) return;
    if (!SetFocusIfPossible(cmdFile[0])) SetFocusIfPossible(cmdListWords);
    lblTwirler->setText(QStringLiteral(" "));
    // A Clear button follows its path box; while a run holds the boxes disabled it stays so.
    for (int i = 0; i < 2; ++i) {
        cmdClearFile[i]->setEnabled(txbFile[i]->isEnabled() && !txbFile[i]->text().isEmpty());
    }
}

void FrmMain::EnableControls(bool enable) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmdFile[0], txbFile[0], cmdClearFile[0], cmdClearFile[1],
                                         cmdFile[1], txbFile[1], chkDisableOutputToFile, chkUTF8,
                                         cmdHelp, cmdSaveState, cmdSetParameters, cmdClearOutput}) {
        w->setEnabled(enable);
    }
    EnableListOptions(enable);
    EnableSourceOptions(enable);
    if (isVisible()) repaint();
}

void FrmMain::ShowRunPhase(RunPhase phase) {
    const RunPhase before = shownPhase_;
    shownPhase_ = phase;
    const auto caption = [this](const QString& text) {
        cmdListWords->setText(text);
        if (isVisible()) cmdListWords->repaint();
    };
    switch (phase) {
        case RunPhase::Counting:
            caption(Message(kMsgStopCaption));
            EnableControls(false);
            break;
        case RunPhase::Ordering:
            cmdListWords->setEnabled(false);
            break;
        case RunPhase::Listing:
            if (before == RunPhase::Idle) {
                caption(Message(kMsgStopCaption));
                EnableControls(false);
            }
            cmdListWords->setEnabled(true);
            break;
        case RunPhase::ReadingCommonWords:
            caption(QString::fromLatin1(kReadingStopCaption));
            EnableFileControls(false);
            break;
        case RunPhase::Idle:
            caption(Message(kMsgCountCaption));
            if (before == RunPhase::ReadingCommonWords) {
                EnableFileControls(true);
                break;
            }
            EnableControls(true);
            cmdListWords->setEnabled(true);
            SetTheFocus();
            break;
    }
}

void FrmMain::EnableFileControls(bool enable) {
    for (int i = 0; i < 2; ++i) {
        cmdFile[i]->setEnabled(enable);
        txbFile[i]->setEnabled(enable);
        cmdClearFile[i]->setEnabled(enable && !txbFile[i]->text().isEmpty());
    }
    if (isVisible()) repaint();
}

void FrmMain::EnableListOptions(bool enable) {
    cboWordOrder->setEnabled(enable);
    cboDisplayFormat->setEnabled(enable);
}

void FrmMain::EnableSourceOptions(bool enable) {
    optOnClipboard->setEnabled(enable);
    optInFile->setEnabled(enable);
}

void FrmMain::UpdateDisableOutputBox() {
    if (!txbFile[1]->text().isEmpty()) {
        chkDisableOutputToFile->setEnabled(true);
    } else {
        chkDisableOutputToFile->setChecked(false);
        chkDisableOutputToFile->setEnabled(false);
    }
}

// ---- Buttons and options ----

void FrmMain::cmdListWords_Click() {
    // While a run goes on the button asks whether to stop; the settings stay as the run took
    // them.
    if (IsCounting()) {
        lxt::cmdListWords_Click(*run_);
        ui_->FlushOutput();
        return;
    }
    TakeSettingsIntoRun();
    // A new count clears the chart until it lists its words; a count refused before it
    // began leaves the table, and so the chart, as they were.
    ListedWordsChart before = std::move(listedWordsChart_);
    ShowListedWordsChart({});
    const RunOutcome outcome = lxt::cmdListWords_Click(*run_);
    ui_->FlushOutput();
    if (outcome == RunOutcome::Listed) {
        ChartTheListing();
    } else if (outcome == RunOutcome::NotStarted) {
        ShowListedWordsChart(std::move(before));
    }
}

void FrmMain::ChartTheListing() {
    ShowListedWordsChart(
        ChartListedWords(run_->WordTable, run_->lngFirstFreq, run_->lngNumWordsIncluded));
}

void FrmMain::ShowListedWordsChart(ListedWordsChart chart) {
    listedWordsChart_ = std::move(chart);
    cmdChart->setEnabled(!listedWordsChart_.IsEmpty());
    if (frmChart_ && frmChart_->isVisible()) frmChart_->ShowChart(listedWordsChart_);
}

void FrmMain::cmdChart_Click() {
    if (!frmChart_) {
        frmChart_ = std::make_unique<FrmChart>(
            *ui_, [this](const FileDialogRequest& request) { return ChooseFileName(request); });
    }
    frmChart_->ShowChart(listedWordsChart_);
    frmChart_->show();
    frmChart_->raise();
    frmChart_->activateWindow();
}

void FrmMain::cmdClearFile_Click(int index) {
    txbFile[index]->clear();
    if (cmdFile[index]->isEnabled()) SetFocusIfPossible(cmdFile[index]);
    cmdClearFile[index]->setEnabled(false);
    if (index == 0) {
        lblFilesize->clear();
        lblXMLsize->clear();
        chkUTF8->setChecked(false);
    } else {
        chkDisableOutputToFile->setChecked(false);
        chkDisableOutputToFile->setEnabled(false);
    }
}

void FrmMain::cmdClearOutput_Click() {
    ui_->OutputReplace(QString());
    if (IsCounting()) return;
    ConcealNumWords(*run_, true);
    run_->blnWordsGot = false;
    if (run_->blnStartUpCompleted) SetTheFocus();
}

void FrmMain::cmdSetParameters_Click() {
    frmParams_->ShowBeside();
}

void FrmMain::cmdSaveState_Click() {
    const QString error = SaveState(QString());
    if (error.isEmpty()) {
        if (!frmPopUp_) frmPopUp_ = std::make_unique<FrmPopUp>(this);
        frmPopUp_->PopUp(Message(kMsgSettingsSaved), kSavedPopUpWidth, kSavedPopUpHeight,
                         kSavedPopUpInterval, kSavedPopUpTop, kSavedPopUpLeft);
    } else {
        TheUi().MsgBox(error, Message(kMsgTitleError), MsgButtons::Ok, MsgIcon::Exclamation);
    }
    SetTheFocus();
}

void FrmMain::ShowHelp() {
    if (!frmHelp_) frmHelp_ = std::make_unique<FrmHelp>(*this, [this] { SetTheFocus(); });
    frmHelp_->ShowOrRestore();
}

void FrmMain::cmdHelp_Click() {
    ShowHelp();
}

void FrmMain::chkSuppressWords_Click() {
    // The box stays usable during a count: the words-as-found display follows it at once.
    run_->settings.chkSuppressWords = chkSuppressWords->isChecked() ? 1 : 0;
    chkSuppressWords->setToolTip(
        chkSuppressWords->isChecked() ? QString() : QString::fromLatin1(kSuppressWordsTip));
    SetTheFocus();
}

void FrmMain::RelistIfWordsGot() {
    if (run_->blnWordsGot && !IsCounting()) {
        TakeSettingsIntoRun();
        // A listing stopped before must not stop this one at its first entry.
        run_->blnStop = false;
        EnterRunPhase(*run_, RunPhase::Listing);
        ListWords(*run_);
        ChartTheListing();
        EnterRunPhase(*run_, RunPhase::Idle);
        run_->blnStop = false;
        ui_->FlushOutput();
    }
    SetTheFocus();
}

void FrmMain::cboWordOrder_Click() {
    RelistIfWordsGot();
}
void FrmMain::cboDisplayFormat_Click() {
    RelistIfWordsGot();
}

void FrmMain::Timer2_Timer() {
    lxt::Timer2_Timer(*run_);
}

// ---- The program ----

int RunMainWindow(QApplication& app, const QStringList& arguments) {
    FrmMain frmMain;
    if (!frmMain.Form_Load()) return EXIT_FAILURE;
    const QString file = InputFileArgument(arguments);
    if (!file.isEmpty()) frmMain.OpenInputFile(file);
    return app.exec();
}

}  // namespace lxt
