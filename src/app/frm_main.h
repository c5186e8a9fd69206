// The main window frmMain: the choice of source, the input and output files, the word order
// and display format, the Count/Stop button, the output box and the run statistics. It owns
// the run state and the Settings window, starts the program (catalogue, restores, checks)
// and ends it; closing it in any way runs cmdQuit_Click.
#pragma once

#include <QKeyCombination>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "app/file_dialog.h"
#include "results/listed_words_chart.h"
#include "run/run_state.h"
#include "settings/settings.h"
#include "support/message_numbers.h"

class QApplication;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMimeData;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTimer;

namespace lxt {

class FrmChart;
class FrmHelp;
class FrmParams;
class FrmPopUp;
class QtUi;
class Ui;

// The window's tag; the catalogue file is named after it.
inline constexpr char kMainWindowTag[] = "LXT";
// The program's title, the window caption.
inline constexpr char kProgramTitle[] = "LXT word frequency counter";
// Catalogue messages of the window.
// Introduction paragraphs, in the order shown.
inline constexpr std::array<int, 6> kIntroMessages{19, 20, 21, 30, 22, 23};
// Tooltip of chkSuppressWords while it is not ticked.
inline constexpr char kSuppressWordsTip[] =
    "The program will run faster if this checkbox is checked.";
// A path this long or longer gets no tooltip from SetPathToolTip.
inline constexpr int kLongPathToolTip = 76;
// A path box whose text is longer than this shows its text as its tooltip.
inline constexpr int kPathBoxToolTip = 70;
// The common-words path box shows its text as its tooltip from this length on.
inline constexpr int kCommonWordsPathToolTip = 58;
// The window's shortcuts: choose the input file, quit, help.
inline constexpr QKeyCombination kOpenKeys = Qt::CTRL | Qt::Key_O;
inline constexpr QKeyCombination kQuitKeys = Qt::CTRL | Qt::Key_Q;
inline constexpr QKeyCombination kHelpKeys{Qt::Key_F1};

class FrmMain : public QMainWindow {
    Q_OBJECT

  public:
    // `dialogs`, when given, answers the message and input boxes and is told of every
    // DoEvents instead of real dialogs (the window tests script them); everything else is
    // shown in the window as usual.
    explicit FrmMain(Ui* dialogs = nullptr, QWidget* parent = nullptr);
    ~FrmMain() override;

    // Start-up: loads the catalogue from `programFolder` (the program's own folder when
    // empty; a failure shows the critical box and returns false: the caller ends the
    // program), restores the state, shows the window, checks the restored input and
    // enables Timer1.
    bool Form_Load(const QString& programFolder = QString());

    // What ends the process (cmdQuit_Click runs it last). By default the event loop ends,
    // or the process at once while a count runs. Tests replace it.
    void SetEndProcess(std::function<void()> endProcess);
    // The common file dialog of both windows: by default the Qt dialog (ShowFileDialog).
    // Tests replace it to answer without a dialog.
    void SetFileChooser(FileChooser chooser);
    // Asks for a file through the current chooser; empty when cancelled.
    QString ChooseFileName(const FileDialogRequest& request);

    // Shared state and settings.
    RunState& Run();
    Ui& TheUi();
    FrmParams& Params();
    // The settings of both windows as they stand.
    Settings CollectSettings();
    // Sets the controls of both windows from `settings`.
    void ApplySettings(const Settings& settings);
    // Writes the settings to `name` (the state file when empty); returns the error text.
    QString SaveState(const QString& name);
    // Restores the controls from `name` (the state file when empty); returns the error text.
    QString RestoreSavedState(const QString& name);

    void InitializeVariables();
    void Initialize();
    void SetTheFocus();
    void ShowHelp();
    QString InputFilePath() const;
    void SetInputFilePath(const QString& path);
    void SetOutputFilePath(const QString& path);
    // True while a count or a listing runs (the Count button's caption is message 74).
    bool IsCounting() const;
    QString StrInputLanguage() const { return strInputLanguage_; }
    // The Chart window, once it has been opened.
    FrmChart* ChartWindow() const { return frmChart_.get(); }

    // Handlers of the window's controls (public so that the other windows and the tests can
    // run them as a click would).
    void cmdListWords_Click();
    // Gives back the file chosen, empty when the dialog was cancelled.
    QString cmdFile_Click(int index);
    // The part of cmdFile_Click after the dialog: `chosen` is the file picked, empty when
    // the dialog was cancelled.
    void ChooseFile(int index, const QString& chosen);
    void txbFile_LostFocus(int index);
    void cmdClearFile_Click(int index);
    void cmdClearOutput_Click();
    void cmdSetParameters_Click();
    void cmdSaveState_Click();
    void cmdHelp_Click();
    // Opens the Chart window on the words of the last listing (also Ctrl+G).
    void cmdChart_Click();
    void cmdQuit_Click();
    void chkSuppressWords_Click();
    void optInFile_Click();
    void optOnClipboard_Click();
    void txbIntro_Click();
    void cboWordOrder_Click();
    void cboDisplayFormat_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    void EnableControls(bool enable);
    // What the controls show while the engine is in `phase`: the Count button's caption and
    // whether it can be pressed, which controls are usable, and the focus once a run ends.
    void ShowRunPhase(RunPhase phase);
    // Only the input- and output-file controls (browse buttons, path boxes, Clear buttons); a
    // Clear button comes back only with a path in its box.
    void EnableFileControls(bool enable);
    void UpdateDisableOutputBox();
    bool CheckInputFile(const QString& path);
    void ChooseCommonWordsForInput();
    void SetPathToolTip(int index);
    // Shows the size of the clipboard text in lblSizeOfClipboardContents.
    void ShowClipboardSize();
    // Takes the clipboard text in (into txbOutput too when `show`); false on failure.
    bool PasteClipboard(bool show);
    // Ticks or clears the Settings window's "Ignore common words" without its handler.
    void SetIgnoreCommonWords(bool ticked);

    // Takes `path` as the input file with the checks of a file chosen in the dialog: a file
    // named on the command line or dropped onto the window. Ignored while a count runs.
    void OpenInputFile(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;

  private:
    friend class QtUi;

    void BuildLayout();
    void ConnectHandlers();
    void InitialSetUp();
    void EnableOutputFileControls();
    void BuildLists();
    void EnableListOptions(bool enable);
    void EnableSourceOptions(bool enable);
    void InspectAfterChoice(const QString& path);
    void ResetCommonWordsChoice();
    void RelistIfWordsGot();
    void TakeSettingsIntoRun();
    // The chart of the words the last listing included: enables cmdChart when there are
    // any and redraws an open Chart window.
    void ShowListedWordsChart(ListedWordsChart chart);
    void ChartTheListing();
    // Ctrl+O, Ctrl+Q and F1 anywhere in the window; drops of files onto any part of it.
    void SetUpDesktopHabits();
    // The window's colours: the grey, white boxes and blue links on a light desktop; the
    // desktop's own colours on a dark one, where they would make text unreadable.
    void ApplyDesktopColours();
    // The input file a drop carries, empty when it carries none or none can be taken now.
    QString DroppedInputFile(const QMimeData* data) const;

    std::unique_ptr<QtUi> ui_;
    std::unique_ptr<RunState> run_;
    std::unique_ptr<FrmParams> frmParams_;
    std::unique_ptr<FrmHelp> frmHelp_;
    std::unique_ptr<FrmPopUp> frmPopUp_;
    std::unique_ptr<FrmChart> frmChart_;
    ListedWordsChart listedWordsChart_;
    std::function<void()> endProcess_;
    FileChooser fileChooser_;
    QString strStateFile_;
    RunPhase shownPhase_ = RunPhase::Idle;
    QString strInputLanguage_;
    QString storedClipboardText_;
    bool blnMainFormActivated_ = false;
    bool quitting_ = false;

  public:
    // The controls, named as the program names them (objectName is the same text, with the
    // index of a control array in brackets: "txbFile(0)").
    QLabel* Label5 = nullptr;
    QRadioButton* optInFile = nullptr;
    QRadioButton* optOnClipboard = nullptr;
    QCheckBox* chkSuppressWords = nullptr;
    QPushButton* cmdListWords = nullptr;
    std::array<QPushButton*, 2> cmdFile{};
    std::array<QLineEdit*, 2> txbFile{};
    std::array<QPushButton*, 2> cmdClearFile{};
    QCheckBox* chkUTF8 = nullptr;
    QLabel* lblFilesize = nullptr;
    QLabel* lblXMLsize = nullptr;
    QCheckBox* chkDisableOutputToFile = nullptr;
    QLabel* lblWordOrder = nullptr;
    QComboBox* cboWordOrder = nullptr;
    QLabel* lblDisplayFormat = nullptr;
    QComboBox* cboDisplayFormat = nullptr;
    QPushButton* cmdSetParameters = nullptr;
    QPushButton* cmdSaveState = nullptr;
    QPushButton* cmdClearOutput = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdChart = nullptr;
    QPushButton* cmdQuit = nullptr;
    QTextEdit* txbIntro = nullptr;
    QPlainTextEdit* txbOutput = nullptr;
    QLabel* lblTimeElapsed = nullptr;
    QLabel* lblNumWordsExcluded = nullptr;
    QLabel* lblTotalNumOccurrences = nullptr;
    QLabel* lblNumberOfWords = nullptr;
    QLabel* lblNumOccurrences = nullptr;
    QLabel* lblTwirler = nullptr;
    QLabel* lblSizeOfClipboardContents = nullptr;
    QLabel* lblCorvaneSystems = nullptr;
    QLabel* lblOnlineDocumentation = nullptr;
    std::array<QGroupBox*, 3> fraFrames{};
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
};

// The file named on the command line (the first argument after the program's name that is
// not an option, or the one after "--"); empty when none is named.
QString InputFileArgument(const QStringList& arguments);

// Loads the catalogue, shows the main window, takes the file named in `arguments` (the
// command line as DecodeArguments gives it) as the input file and runs the event loop.
int RunMainWindow(QApplication& app, const QStringList& arguments);

}  // namespace lxt
