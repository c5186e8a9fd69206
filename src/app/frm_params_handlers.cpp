// The Settings window's handlers: the word rules with the re-read question, the common-words
// file and its choice, the words to ignore, the comment markers, the check-box reset, the
// settings files, Reinitialize, Quit and Hide settings.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/cv_common.h"
#include "app/frm_language_selection.h"
#include "app/frm_main.h"
#include "app/frm_params.h"
#include "exclude/common_words.h"
#include "exclude/words_to_ignore.h"
#include "run/run_state.h"
#include "run/run_statistics.h"
#include "support/language_tables.h"
#include "support/str_proc.h"
#include "support/ui.h"

namespace lxt {

namespace {

// The Qt form of a file filter "description | pattern": the description, whose pattern in
// brackets Qt reads; "*.*" means every file.
QString QtFilter(const char* filter) {
    const QString text = QString::fromLatin1(filter);
    QString description = text.section(u'|', 0, 0).trimmed();
    const QString pattern = text.section(u'|', 1, 1).trimmed();
    if (pattern == QStringLiteral("*.*")) {
        description.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    }
    return description;
}

}  // namespace

bool FrmParams::ConfirmRereading() {
    return TheUi().MsgBox(QLatin1String(kConfirmRereadingText), QLatin1String(kProgramTitle),
                          MsgButtons::YesNo, MsgIcon::None) == MsgResult::Yes;
}

void FrmParams::WordRule_Click(QCheckBox* box) {
    RunState& run = Run();
    if (!run.blnStartUpCompleted || blnSettingByProgram) return;
    if (run.blnWordsGot) {
        if (ConfirmRereading()) {
            run.blnWordsGot = false;
        } else {
            SetBoxByProgram(box, !box->isChecked());
        }
    }
    if (IsExtraCharBox(box)) CheckAllowedExtraChars();
}

void FrmParams::txbWordsToIgnore_LostFocus() {
    RunState& run = Run();
    if (txbWordsToIgnore->text().trimmed().isEmpty()) {
        run.strWordsToIgnore.clear();
        return;
    }
    const NormalisedWordsToIgnore words = NormaliseWordsToIgnore(txbWordsToIgnore->text());
    txbWordsToIgnore->setText(words.boxText);
    run.settings.txbWordsToIgnore = words.boxText;
    run.strWordsToIgnore = words.list;
    CheckAllowedExtraChars();
}

bool FrmParams::CheckAllowedExtraChars() {
    if (blnSettingByProgram || blnSettingAllBoxes) return true;
    return lxt::CheckAllowedExtraChars(Run());
}

void FrmParams::ReadCommonWords() {
    RunState& run = Run();
    AttemptToReadCommonWords(run);
    if (run.blnCommonWordsLoaded) txbCommonWordsFile->setText(run.strCommonWordsFile);
    ConcealNumWords(run, true);
}

// A settings file that names another common-words file than the one in memory: the list
// in memory no longer belongs to the box, so the named file is read when the box is ticked
// (and the box cleared when it cannot be read); otherwise it is read when the box is ticked.
void FrmParams::TakeOverCommonWordsFile(const QString& previousFile) {
    RunState& run = Run();
    if (run.strCommonWordsFile == previousFile) return;
    run.blnCommonWordsLoaded = false;
    run.strCommonWords.clear();
    if (!chkIgnoreCommonWords->isChecked() || run.strCommonWordsFile.isEmpty()) return;
    ReadCommonWords();
    if (!run.blnCommonWordsLoaded) SetIgnoreCommonWordsByProgram(false);
}

void FrmParams::chkIgnoreCommonWords_Click() {
    RunState& run = Run();
    if (!run.blnStartUpCompleted || blnSettingByProgram ||
        run.phase == RunPhase::ReadingCommonWords) {
        return;
    }
    if (chkIgnoreCommonWords->isChecked()) {
        // A path typed while the box was clear is the file meant now.
        const QString typed = txbCommonWordsFile->text().trimmed();
        if (!typed.isEmpty() && typed != run.strCommonWordsFile) {
            run.strCommonWordsFile = typed;
            run.settings.strCommonWordsFile = typed;
            run.blnCommonWordsLoaded = false;
        }
        if (!run.strCommonWordsFile.isEmpty()) {
            if (run.blnCommonWordsLoaded) {
                TheUi().MsgBox(QLatin1String(kAlreadyLoadedText),
                               QLatin1String(kCommonWordsLoadedTitle), MsgButtons::Ok,
                               MsgIcon::None);
            } else {
                ReadCommonWords();
            }
        } else {
            TheUi().MsgBox(QLatin1String(kSpecifyCommonWordsFileText), chkIgnoreCommonWords->text(),
                           MsgButtons::Ok, MsgIcon::None);
            SetBoxByProgram(chkIgnoreCommonWords, false);
        }
    }
    if (isEnabled()) cmdClose->setFocus(Qt::OtherFocusReason);
}

void FrmParams::txbCommonWordsFile_LostFocus() {
    if (!chkIgnoreCommonWords->isChecked()) return;
    RunState& run = Run();
    const QString text = txbCommonWordsFile->text().trimmed();
    if (text != txbCommonWordsFile->text()) txbCommonWordsFile->setText(text);
    if (text == run.strCommonWordsFile) return;
    run.strCommonWordsFile = text;
    run.settings.strCommonWordsFile = text;
    SetBoxByProgram(chkIgnoreCommonWords, true);
    run.blnCommonWordsLoaded = false;
    run.blnWordsGot = false;
    chkIgnoreCommonWords_Click();
}

void FrmParams::cmdClearCommonWordsFile_Click() {
    RunState& run = Run();
    txbCommonWordsFile->clear();
    run.strCommonWordsFile.clear();
    run.settings.strCommonWordsFile.clear();
    chkIgnoreCommonWords->setChecked(false);
    run.blnCommonWordsLoaded = false;
}

QString FrmParams::ChooseFile(const QString& title, const QString& filter, bool save) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.mode = save ? FileDialogMode::Save : FileDialogMode::Open;
    request.mustExist = !save;
    request.owner = this;
    return main_.ChooseFileName(request);
}

void FrmParams::LoadChosenCommonWords(const QString& path) {
    RunState& run = Run();
    run.strCommonWordsFile = path;
    run.settings.strCommonWordsFile = path;
    txbCommonWordsFile->setText(path);
    ReadCommonWords();
    if (run.blnCommonWordsLoaded) SetBoxByProgram(chkIgnoreCommonWords, true);
}

void FrmParams::cmdSelectCommonWordsFile_Click(int index) {
    if (index == 0) {
        const QString chosen =
            ChooseFile(QLatin1String(kCommonWordsDialogTitle), QtFilter(kCommonWordsFilter), false);
        if (!chosen.isEmpty()) LoadChosenCommonWords(NormalisePathCase(chosen));
        cmdClose->setFocus(Qt::OtherFocusReason);
        show();
        return;
    }
    const int entry = LanguagePicker().Choose();
    if (entry < 0) return;
    LoadChosenCommonWords(PickerEntryPath(entry));
    show();
}

void FrmParams::cmdClearWordsToIgnore_Click() {
    txbWordsToIgnore->clear();
    ClearWordsToIgnore(Run());
    cmdClose->setFocus(Qt::OtherFocusReason);
}

void FrmParams::CommentMarker_LostFocus(QLineEdit* box) {
    const QString text = box->text().trimmed();
    if (text != box->text()) box->setText(text);
    Run().blnWordsGot = false;
}

void FrmParams::chkIgnoreInfrequentWords_Click() {
    if (Run().blnStartUpCompleted) SetFocusIfPossible(cmdClose);
}

void FrmParams::cboThresholdFrequency_Click() {
    if (Run().blnStartUpCompleted) SetFocusIfPossible(cmdClose);
}

void FrmParams::cmdSetOrClearCheckboxes_Click(int /*index*/) {
    blnSettingAllBoxes = true;
    for (QCheckBox* box :
         {chkAllowWordsWithHyphens, chkAllowWordsWithApostrophes, chkAllowWordsWithNumerals,
          chkCaseSignificant, chkDropFinalS, chkIgnoreInfrequentWords, chkOutputWithCommas,
          chkWarnOnOverwrite, chkSaveStateOnQuit, chkOnly7bitASCII, chkIgnoreNoVowel}) {
        box->setChecked(false);
    }
    blnSettingAllBoxes = false;
    lblParameters->clear();
}

void FrmParams::cmdInitialize_Click() {
    main_.Initialize();
    if (main_.cboWordOrder != nullptr) main_.cboWordOrder->setCurrentIndex(0);
    if (main_.cboDisplayFormat != nullptr) main_.cboDisplayFormat->setCurrentIndex(0);
    SetDefaultValues();
    chkIgnoreCommonWords->setChecked(false);
    lblParameters->setText(QLatin1String(kProgramReinitialized));
    txbParametersFile->setVisible(false);
    show();
}

void FrmParams::cmdQuit_Click() {
    if (TheUi().MsgBox(QLatin1String(kReallyQuitText), QLatin1String(kQuitTitle), MsgButtons::YesNo,
                       MsgIcon::None) == MsgResult::Yes) {
        main_.cmdQuit_Click();
    }
}

void FrmParams::cmdClose_Click() {
    hide();
    main_.SetTheFocus();
}

void FrmParams::cmdSaveLoadState_Click(int index) {
    const bool save = index == 0;
    const QString path =
        ChooseFile(QLatin1String(save ? kSaveSettingsDialogTitle : kLoadSettingsDialogTitle),
                   QtFilter(kSettingsFileFilter), save);
    if (path.isEmpty()) return;
    lblParameters->clear();
    txbParametersFile->setText(path);
    txbParametersFile->setVisible(true);
    if (save) {
        const QString error = main_.SaveState(path);
        if (error.isEmpty()) {
            lblParameters->setText(QLatin1String(kSettingsSavedTo));
        } else {
            TheUi().MsgBox(error, QLatin1String(kSaveSettingsTitle), MsgButtons::Ok,
                           MsgIcon::Exclamation);
            lblParameters->setText(QLatin1String(kErrorSavingTo));
        }
        return;
    }
    const QString commonWordsBefore = Run().strCommonWordsFile;
    blnSettingByProgram = true;
    const QString error = main_.RestoreSavedState(path);
    blnSettingByProgram = false;
    if (error.isEmpty()) {
        lblParameters->setText(QLatin1String(kSettingsLoadedFrom));
        TakeOverCommonWordsFile(commonWordsBefore);
    } else {
        TheUi().MsgBox(error, QLatin1String(kLoadSettingsTitle), MsgButtons::Ok,
                       MsgIcon::Exclamation);
        lblParameters->setText(QLatin1String(kErrorLoadingFrom));
        main_.InitializeVariables();
    }
}

}  // namespace lxt
