// The life of the main window: start-up in its order, the resetting of its variables, the
// choosing, typing and checking of the input and output files, the common-words file that
// matches the input's language, the once-a-second refresh and shut-down.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <cstdlib>

#include "app/cv_common.h"
#include "app/frm_main.h"
#include "app/frm_params.h"
#include "app/qt_ui.h"
#include "count/count_driver.h"
#include "exclude/common_words.h"
#include "input/clipboard_source.h"
#include "input/is_text_file.h"
#include "results/listing_formats.h"
#include "run/run_statistics.h"
#include "scan/markup.h"
#include "settings/settings_file.h"
#include "support/catalogue.h"
#include "support/data_folder.h"
#include "support/file_proc.h"
#include "support/language_tables.h"
#include "support/native_file.h"
#include "support/str_proc.h"
#include "support/text_literals.h"

namespace lxt {

namespace {

constexpr char kInputDialogTitle[] = "Specify input file";
constexpr char kInputDialogFilter[] = "A text file or a docx file";
constexpr char kOutputDialogTitle[] = "Specify output file";
constexpr char kNowChecking[] = "Now checking file ...";
constexpr char kNotDocxStart[] = "The file ";
constexpr char kNotDocxEnd[] =
    "has a 'docx' extension but does not appear to be an MS Word 'docx' file.";
constexpr char kInputMissing[] = "Input file does not exist.";
constexpr char kInputMissingTitle[] = "File not found";
constexpr char kInputEmpty[] = "Input file is zero-length.";
constexpr char kInputEmptyTitle[] = "Empty file";
constexpr char kFilesizePrefix[] = "Filesize: ";
constexpr char kFilesizeZero[] = "Filesize: 0 bytes";
constexpr char kChooseInputTip[] = "Select an ANSI text file or a Word docx file";
constexpr char kChooseOutputTip[] =
    "Specify a file to which to write the word counts; recommended for large files.";
constexpr char kUtf8Tip[] =
    "Check this if the file is known to be UTF-8 encoded; this is normally done "
    "automatically when the file is processed.";
constexpr char kDocxExtension[] = "docx";
constexpr int kMaxPermittedWordLength = 80;

}  // namespace

// ---- A. Start-up ----

bool FrmMain::Form_Load(const QString& programFolder) {
    run_->blnStartUpCompleted = false;
    const QString programTextFile = QString::fromLatin1(kMainWindowTag).toLower() + ".dat";
    // The catalogue is named after the window's tag and lives in the program's data folder.
    QString catalogue = CataloguePath(programFolder.isEmpty() ? DataFolder() : programFolder);
    catalogue = catalogue.left(catalogue.size() - programTextFile.size()) + programTextFile;
    const int loaded = LoadCatalogue(catalogue);
    if (loaded <= 0) {
        TheUi().MsgBox(CatalogueFailureText(loaded, catalogue), QString(), MsgButtons::Ok,
                       MsgIcon::Critical);
        return false;
    }
    Message(kMsgUserFolderName);

    InitialSetUp();
    EnableOutputFileControls();
    ConcealNumWords(*run_, true);
    SetFormFonts(this, QStringLiteral("Arial"), false, true);
    {
        QFont symbol = lblTwirler->font();
        symbol.setFamily(QStringLiteral("Symbol"));
        lblTwirler->setFont(symbol);
    }
    show();

    EnableOutputFileControls();
    SetDefaultCommonWordsFile(*run_);
    frmParams_->txbCommonWordsFile->setText(run_->strCommonWordsFile);
    BuildLists();
    if (!RestoreSavedState(QString()).isEmpty()) {
        InitializeVariables();
        BuildLists();
        SetPathToolTip(0);
        SetPathToolTip(1);
    }
    chkUTF8->setChecked(false);

    const QString input = txbFile[0]->text();
    if (!CheckInputFile(input)) {
        txbFile[0]->clear();
    } else if (IsDocxFile(input)) {
        if (!run_->strCommonWordsFile.isEmpty()) {
            TakeSettingsIntoRun();
            if (frmParams_->chkIgnoreCommonWords->isChecked()) {
                AttemptToReadCommonWords(*run_);
            } else if (TheUi().MsgBox(
                           Message(kMsgQuestionCommonWords) + kCrLf + run_->strCommonWordsFile,
                           Message(kMsgTitleCommonWords), MsgButtons::YesNo) == MsgResult::Yes) {
                AttemptToReadCommonWords(*run_);
            }
            ResetCommonWordsChoice();
        }
        chkUTF8->setChecked(true);
    } else {
        bool utf8 = false;
        int textCode = 0;
        InspectInputFile(*ui_, input, false, utf8, textCode);
        if (utf8) chkUTF8->setChecked(true);
        ChooseCommonWordsForInput();
    }
    ConcealNumWords(*run_, true);
    Timer1->start();
    SetTheFocus();
    run_->blnStartUpCompleted = true;
    blnMainFormActivated_ = true;
    return true;
}

void FrmMain::InitialSetUp() {
    std::srand(static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch()));
    optInFile->setChecked(true);
    run_->lngMaxClipboardLength = kMaxClipboardCharacters;
    QStringList intro;
    for (int number : kIntroMessages) intro << Message(number);
    txbIntro->setPlainText(DisplayText(intro.join(kCrLf + kCrLf)));
    SetCurrentLanguage(kLanguageEnglish);
    SetDefaultCommonWordsFile(*run_);
    frmParams_->txbCommonWordsFile->setText(run_->strCommonWordsFile);
    BuildLists();
    strStateFile_ = StateFilePath();
    InitializeVariables();
    if (!RestoreSavedState(QString()).isEmpty()) InitializeVariables();
    cmdFile[1]->setEnabled(false);
    txbFile[1]->setEnabled(false);
    cmdClearFile[1]->setEnabled(false);
    QDir::setCurrent(QDir::rootPath());
}

void FrmMain::EnableOutputFileControls() {
    cmdFile[1]->setEnabled(true);
    txbFile[1]->setEnabled(true);
    cmdClearFile[1]->setEnabled(!txbFile[1]->text().isEmpty());
}

void FrmMain::BuildLists() {
    const QSignalBlocker order(cboWordOrder);
    const QSignalBlocker format(cboDisplayFormat);
    const QSignalBlocker threshold(frmParams_->cboThresholdFrequency);
    cboWordOrder->clear();
    cboWordOrder->addItems(WordOrderChoices());
    cboWordOrder->setCurrentIndex(0);
    cboDisplayFormat->clear();
    cboDisplayFormat->addItems(DisplayFormatChoices());
    cboDisplayFormat->setCurrentIndex(kDefaultDisplayFormat);
    frmParams_->cboThresholdFrequency->clear();
    frmParams_->cboThresholdFrequency->addItems(ThresholdChoices());
    frmParams_->cboThresholdFrequency->setCurrentIndex(kDefaultThresholdIndex);
}

// ---- B, C. Variables and defaults ----

void FrmMain::InitializeVariables() {
    ClearMacintoshMessageShown();
    run_->blnWordsGot = false;
    optInFile->setChecked(true);
    run_->intMaxPermittedWordLength = kMaxPermittedWordLength;
    lblSizeOfClipboardContents->clear();
    lblFilesize->clear();
    lblXMLsize->clear();
    strStateFile_ = StateFilePath();
    lblTwirler->setText(QStringLiteral(" "));
    run_->lngMaxClipboardLength = kMaxClipboardCharacters;
    Initialize();
}

void FrmMain::Initialize() {
    txbFile[0]->clear();
    txbFile[1]->clear();
    chkUTF8->setChecked(false);
    frmParams_->txbWordsToIgnore->clear();
    frmParams_->SetDefaultValues();
    chkSuppressWords->setChecked(false);
    frmParams_->txbCommonWordsFile->clear();
    run_->strCommonWordsFile.clear();
    frmParams_->EmptyParametersFile();
    frmParams_->txbWordsToIgnore_LostFocus();
    UpdateDisableOutputBox();
    run_->settings = CollectSettings();
}

// ---- D. Choosing a file ----

QString FrmMain::cmdFile_Click(int index) {
    if (index == 0) run_->blnWordsGot = false;
    FileDialogRequest request;
    request.title = Latin(index == 0 ? kInputDialogTitle : kOutputDialogTitle);
    request.directory = QDir::currentPath();
    if (index == 0) {
        // The bare description lists every file: text files have no one extension.
        request.filter = Latin(kInputDialogFilter) + QStringLiteral(" (*)");
        request.mustExist = true;
    }
    const QString chosen = ChooseFileName(request);
    ChooseFile(index, chosen);
    return chosen;
}

void FrmMain::ChooseFile(int index, const QString& chosen) {
    lblXMLsize->clear();
    if (!chosen.isEmpty()) {
        txbFile[index]->setText(chosen);
        if (index == 0) {
            ui_->OutputReplace(QString());
            if (CheckInputFile(chosen)) {
                cmdClearOutput_Click();
                if (FileExtension(chosen, true) != QLatin1String(kDocxExtension)) {
                    ui_->OutputReplace(Latin(kNowChecking));
                    chkUTF8->setChecked(false);
                    InspectAfterChoice(chosen);
                } else if (ZipSignature(chosen) != 1) {
                    TheUi().MsgBox(Latin(kNotDocxStart) + chosen + kCrLf + Latin(kNotDocxEnd),
                                   Message(kMsgTitleError), MsgButtons::Ok, MsgIcon::Exclamation);
                    txbFile[0]->clear();
                    return;
                }
            }
        }
        SetPathToolTip(index);
    }
    if (index == 1) {
        UpdateDisableOutputBox();
    } else {
        optInFile->setChecked(true);
    }
    SetTheFocus();
}

void FrmMain::InspectAfterChoice(const QString& path) {
    bool utf8 = false;
    int textCode = 0;
    InspectInputFile(*ui_, path, false, utf8, textCode);
    if (isVisible()) repaint();
    if (utf8) chkUTF8->setChecked(true);
    ChooseCommonWordsForInput();
}

// ---- E. Typing a path ----

void FrmMain::txbFile_LostFocus(int index) {
    // A box that loses the focus because a run disables it has not been typed in.
    if (!isEnabled() || !txbFile[index]->isEnabled() || IsCounting()) return;
    if (IsDocxFile(txbFile[0]->text())) return;
    txbFile[index]->setText(txbFile[index]->text().trimmed());
    if (index == 0) {
        const QString path = txbFile[0]->text();
        if (!path.isEmpty()) {
            if (!CheckInputFile(path)) return;
            InspectAfterChoice(path);
        }
        run_->blnWordsGot = false;
    }
    SetPathToolTip(index);
    UpdateDisableOutputBox();
    SetTheFocus();
}

// ---- F. Checking the input file ----

bool FrmMain::CheckInputFile(const QString& path) {
    if (path.isEmpty()) return false;
    const PathInfo info = InfoOfPath(path);
    const QString folder = AbsoluteFolderOf(path);
    if (!FileExists(path)) {
        if (run_->blnStartUpCompleted) {
            chkUTF8->setChecked(false);
            TheUi().MsgBox(Latin(kInputMissing), Latin(kInputMissingTitle), MsgButtons::Ok,
                           MsgIcon::Exclamation);
        } else if (InfoOfPath(folder).isFolder) {
            SetCurrentFolder(folder);
        }
        lblFilesize->clear();
        return false;
    }
    if (InfoOfPath(folder).isFolder) SetCurrentFolder(folder);
    if (info.size != 0) {
        lblFilesize->setText(Latin(kFilesizePrefix) + SizeText(info.size));
        return true;
    }
    // No message box about the input file before start-up has completed.
    if (run_->blnStartUpCompleted) {
        TheUi().MsgBox(Latin(kInputEmpty), Latin(kInputEmptyTitle), MsgButtons::Ok,
                       MsgIcon::Exclamation);
    }
    lblFilesize->setText(Latin(kFilesizeZero));
    return false;
}

// ---- G. Common words for the input's language ----

void FrmMain::ChooseCommonWordsForInput() {
    // A path keeps its case: on a case-sensitive file system another case names another file.
    run_->strCommonWordsFile = NormalisePathCase(run_->strCommonWordsFile.trimmed());
    txbFile[0]->setText(txbFile[0]->text().trimmed());
    const QString input = txbFile[0]->text();
    if (!input.isEmpty()) {
        strInputLanguage_ = GuessLanguage(input, Latin(kLanguageCodes), QStringLiteral("en"));
        const qsizetype p = QString::fromLatin1(kLanguageCodes).indexOf(strInputLanguage_) + 1;
        if (p > 0 && !strInputLanguage_.isEmpty()) {
            run_->strCommonWordsFile =
                NormalisePathCase(LanguageFilePath(static_cast<int>((p - 1) / 3)));
        }
    }
    if (!FileExists(run_->strCommonWordsFile)) {
        run_->strCommonWordsFile.clear();
        frmParams_->txbCommonWordsFile->clear();
        SetIgnoreCommonWords(false);
        return;
    }
    const QString shown = frmParams_->txbCommonWordsFile->text();
    if (run_->blnCommonWordsLoaded &&
        (FileNamePart(shown, true) == QLatin1String(kAllLanguagesFileName) ||
         shown == run_->strCommonWordsFile)) {
        return;
    }
    if (!frmParams_->chkIgnoreCommonWords->isChecked() &&
        TheUi().MsgBox(Message(kMsgQuestionCommonWords) + kCrLf + run_->strCommonWordsFile,
                       Message(kMsgTitleCommonWords), MsgButtons::YesNo) != MsgResult::Yes) {
        return;
    }
    TakeSettingsIntoRun();
    AttemptToReadCommonWords(*run_);
    ResetCommonWordsChoice();
}

// The Settings window shows the common-words file that was loaded.
void FrmMain::ResetCommonWordsChoice() {
    if (run_->blnCommonWordsLoaded)
        frmParams_->txbCommonWordsFile->setText(run_->strCommonWordsFile);
}

// ---- I. Path tooltips ----

void FrmMain::SetPathToolTip(int index) {
    if (txbFile[index]->text().size() < kLongPathToolTip) {
        txbFile[index]->setToolTip(QString());
    } else {
        cmdFile[index]->setToolTip(txbFile[index]->text());
    }
}

// ---- J. Once a second ----

void FrmMain::Timer1_Timer() {
    const bool counting = IsCounting();
    txbOutput->setToolTip(counting || ui_->OutputLength() > 0 ? QString()
                                                              : Message(kMsgEmptyOutputTip));
    const QString common = frmParams_->txbCommonWordsFile->text();
    frmParams_->txbCommonWordsFile->setToolTip(
        common.size() >= kCommonWordsPathToolTip ? common : QString());
    const bool noInput = txbFile[0]->text().isEmpty();
    cmdFile[0]->setToolTip(noInput ? Latin(kChooseInputTip) : QString());
    cmdFile[1]->setToolTip(txbFile[1]->text().isEmpty() && !noInput ? Latin(kChooseOutputTip)
                                                                    : QString());
    chkUTF8->setToolTip(noInput || chkUTF8->isChecked() ? QString() : Latin(kUtf8Tip));
    cmdClearOutput->setEnabled(!counting && ui_->OutputLength() > 0);
    for (int i = 0; i < 2; ++i) {
        const QString text = txbFile[i]->text();
        txbFile[i]->setToolTip(text.size() > kPathBoxToolTip ? text : QString());
    }
}

// ---- H. Shut-down ----

void FrmMain::cmdQuit_Click() {
    if (quitting_) return;
    quitting_ = true;
    if (frmParams_->chkSaveStateOnQuit->isChecked()) cmdSaveState_Click();
    Timer1->stop();
    Timer2->stop();
    endProcess_();
}

}  // namespace lxt
