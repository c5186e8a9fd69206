// The Settings window driven through the real main window offscreen: the re-read question,
// the common-words box and file box, "Clear checkboxes", "Reinitialize", "Quit" and the
// settings-file buttons with their file dialog answered by the test.
#include "app/frm_params.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/frm_main.h"
#include "frm_main_test_fixture.h"
#include "run/run_state.h"
#include "settings/settings_file.h"

namespace lxt {
namespace {

using test::TempDir;

class FrmParamsTest : public test::FrmMainTest {
  protected:
    void SetUp() override {
        FrmMainTest::SetUp();
        Start();
        ASSERT_TRUE(frm->Run().blnStartUpCompleted);
        ui.shown.clear();
    }

    FrmParams& Params() { return frm->Params(); }
    RunState& Run() { return frm->Run(); }

    // A common-words file in the temporary folder.
    QString CommonWordsFile(const QString& name, const QByteArray& words) {
        return files.Write(name, words);
    }
};

TEST_F(FrmParamsTest, ControlsCarryTheirCaptionsAndDefaults) {
    FrmParams& p = Params();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&p);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Window);
    EXPECT_EQ(accessible->text(QAccessible::Name), p.windowTitle());
    EXPECT_FALSE(p.windowTitle().isEmpty());
    EXPECT_EQ(p.windowTitle(), frm->cmdSetParameters->text());
    EXPECT_EQ(p.chkAllowWordsWithHyphens->text(), "hyphens -");
    EXPECT_EQ(p.chkDropFinalS->text(), "Drop final 's' unless 'ss' or vowel+'s'");
    EXPECT_EQ(p.cmdSelectCommonWordsFile[1]->text(), "Select common words in some language");
    EXPECT_EQ(p.cmdSetOrClearCheckboxes[0]->objectName(), "cmdSetOrClearCheckboxes(0)");
    EXPECT_EQ(p.cmdClose->text(), "Hide settings");
    EXPECT_EQ(p.cboThresholdFrequency->count(), 8);
    EXPECT_EQ(p.cboThresholdFrequency->itemText(7), "9");
    EXPECT_TRUE(p.chkAllowWordsWithHyphens->isChecked());
    EXPECT_FALSE(p.chkAllowWordsWithApostrophes->isChecked());
    EXPECT_TRUE(p.chkIgnoreNoVowel->isChecked());
    EXPECT_TRUE(p.chkAllowCommentMarkers->isChecked());
    EXPECT_EQ(p.txbStartComment[1]->text(), "//");
    EXPECT_EQ(p.txbEndComment[1]->text(), "");
    EXPECT_EQ(p.txbWordsToIgnore->font().family(), "Courier New");
    EXPECT_EQ(p.chkCaseSignificant->font().family(), "Arial");
    EXPECT_TRUE(p.lblParameters->text().isEmpty());
    EXPECT_FALSE(p.txbParametersFile->isVisibleTo(&p));
    EXPECT_EQ(p.txbWordsToIgnore->toolTip(),
              "Add additional words to ignore here.  Words must be separated by spaces, not "
              "commas.");
}

TEST_F(FrmParamsTest, WordRuleAsksOnlyWhenCountedWordsAreHeld) {
    FrmParams& p = Params();
    Run().blnWordsGot = false;
    p.chkCaseSignificant->click();  // nothing asked: the scripted Ui fails on any message
    EXPECT_TRUE(p.chkCaseSignificant->isChecked());
    EXPECT_EQ(Run().settings.chkCaseSignificant, 1);

    // No: the box goes back, and the revert itself asks nothing.
    Run().blnWordsGot = true;
    ui.Expect(QLatin1String(kConfirmRereadingText), MsgResult::No);
    p.chkDropFinalS->click();
    EXPECT_FALSE(p.chkDropFinalS->isChecked());
    EXPECT_EQ(Run().settings.chkDropFinalS, 0);
    EXPECT_TRUE(Run().blnWordsGot);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.shown[0].title, kProgramTitle);

    // Yes: the box keeps its value and the words must be read anew.
    ui.Expect(QLatin1String(kConfirmRereadingText), MsgResult::Yes);
    p.chkDropFinalS->click();
    EXPECT_TRUE(p.chkDropFinalS->isChecked());
    EXPECT_FALSE(Run().blnWordsGot);
    EXPECT_EQ(ui.shown.size(), 2u);
}

TEST_F(FrmParamsTest, ExtraCharacterBoxesCheckTheWordsToIgnore) {
    FrmParams& p = Params();
    p.txbWordsToIgnore->setText(QStringLiteral("Don't,  the the"));
    ui.Expect(QStringLiteral("The character ' occurs in some word to ignore"));
    p.txbWordsToIgnore_LostFocus();
    EXPECT_EQ(p.txbWordsToIgnore->text(), "don't the");
    EXPECT_EQ(Run().strWordsToIgnore, " don't the ");
    // Ticking apostrophes makes the words acceptable; numerals then warns about nothing.
    p.chkAllowWordsWithApostrophes->click();
    p.chkAllowWordsWithNumerals->click();
    // Clearing apostrophes again warns at once, also with no counted words held.
    ui.Expect(QStringLiteral("currently set as "));
    p.chkAllowWordsWithApostrophes->click();
    EXPECT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown.back().title, "Character not allowed");

    // Words typed and left for the main window are taken over, as leaving the box does.
    frm->show();
    p.ShowBeside();
    QApplication::setActiveWindow(&p);
    p.txbWordsToIgnore->setFocus(Qt::OtherFocusReason);
    p.txbWordsToIgnore->setText(QStringLiteral("Gamma  beta"));
    QApplication::setActiveWindow(frm.get());
    EXPECT_EQ(p.txbWordsToIgnore->text(), "beta gamma");
    EXPECT_EQ(Run().strWordsToIgnore, " beta gamma ");
}

TEST_F(FrmParamsTest, ClearCheckboxesLeavesCommentMarkersAndCommonWords) {
    FrmParams& p = Params();
    p.chkCaseSignificant->click();
    p.chkSaveStateOnQuit->click();
    p.SetIgnoreCommonWordsByProgram(true);
    p.txbWordsToIgnore->setText(QStringLiteral("don't"));
    p.lblParameters->setText(QStringLiteral("Settings saved to"));
    // Two word rules change (hyphens and case): one question each, no character warning.
    Run().blnWordsGot = true;
    ui.Expect(QLatin1String(kConfirmRereadingText), MsgResult::Yes);
    p.cmdSetOrClearCheckboxes[0]->click();
    EXPECT_EQ(ui.shown.size(), 1u);
    for (QCheckBox* box :
         {p.chkAllowWordsWithHyphens, p.chkAllowWordsWithApostrophes, p.chkAllowWordsWithNumerals,
          p.chkCaseSignificant, p.chkDropFinalS, p.chkIgnoreInfrequentWords, p.chkOutputWithCommas,
          p.chkWarnOnOverwrite, p.chkSaveStateOnQuit, p.chkOnly7bitASCII, p.chkIgnoreNoVowel}) {
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    }
    EXPECT_TRUE(p.chkAllowCommentMarkers->isChecked());
    EXPECT_TRUE(p.chkIgnoreCommonWords->isChecked());
    EXPECT_TRUE(p.lblParameters->text().isEmpty());
    EXPECT_FALSE(p.SettingAllBoxes());
}

TEST_F(FrmParamsTest, TickingIgnoreCommonWords) {
    FrmParams& p = Params();
    // No file named: asked for one, titled with the box's caption, and the box is cleared.
    p.cmdClearCommonWordsFile->click();
    ui.Expect(QLatin1String(kSpecifyCommonWordsFileText));
    p.chkIgnoreCommonWords->click();
    EXPECT_FALSE(p.chkIgnoreCommonWords->isChecked());
    EXPECT_EQ(ui.shown.back().title, "Ignore common words in file:");

    // A file typed while the box was clear is read when it is ticked.
    const QString path = CommonWordsFile(QStringLiteral("few.txt"), "The, and AND\r\n// of\r\n");
    p.txbCommonWordsFile->setText(path);
    ui.Expect(QStringLiteral("Two common words loaded from ") + path);
    p.chkIgnoreCommonWords->click();
    EXPECT_TRUE(p.chkIgnoreCommonWords->isChecked());
    EXPECT_TRUE(Run().blnCommonWordsLoaded);
    EXPECT_EQ(Run().strCommonWords, QStringList({"and", "the"}));

    // Ticking it again with the file loaded only says so and leaves the box ticked.
    p.chkIgnoreCommonWords->click();
    EXPECT_FALSE(p.chkIgnoreCommonWords->isChecked());
    ui.Expect(QStringLiteral("This file has already been loaded.  Click on 'Clear' and re-select"));
    p.chkIgnoreCommonWords->click();
    EXPECT_TRUE(p.chkIgnoreCommonWords->isChecked());
    EXPECT_EQ(ui.shown.back().title, "Common words loaded");
}

TEST_F(FrmParamsTest, EnterInTheCommonWordsBoxLoadsOnlyWhenTicked) {
    FrmParams& p = Params();
    const QString first = CommonWordsFile(QStringLiteral("one.txt"), "alpha\r\n");
    const QString second = CommonWordsFile(QStringLiteral("two.txt"), "beta gamma\r\n");
    auto pressEnter = [&p] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(p.txbCommonWordsFile, &press);
    };
    p.cmdClearCommonWordsFile->click();
    ASSERT_FALSE(p.chkIgnoreCommonWords->isChecked());

    // Unticked: typing a path and pressing Enter reads nothing.
    p.txbCommonWordsFile->setText(first);
    pressEnter();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(Run().strCommonWordsFile.isEmpty());

    ui.Expect(QStringLiteral("One common word loaded from ") + first);
    p.chkIgnoreCommonWords->click();
    EXPECT_EQ(Run().strCommonWords, QStringList({"alpha"}));

    // Ticked: a new path with Enter is read at once, blanks trimmed.
    p.txbCommonWordsFile->setText(QStringLiteral("  ") + second + QStringLiteral(" "));
    ui.Expect(QStringLiteral("Two common words loaded from ") + second);
    pressEnter();
    EXPECT_EQ(Run().strCommonWordsFile, second);
    EXPECT_EQ(p.txbCommonWordsFile->text(), second);
    EXPECT_EQ(Run().strCommonWords, QStringList({"beta", "gamma"}));
    EXPECT_TRUE(p.chkIgnoreCommonWords->isChecked());

    // The same path again reads nothing.
    pressEnter();
    EXPECT_EQ(ui.shown.size(), 2u);

    // A missing file is reported and clears the box.
    p.txbCommonWordsFile->setText(files.File(QStringLiteral("missing.txt")));
    ui.Expect(QStringLiteral("File for common words not found."));
    pressEnter();
    EXPECT_FALSE(p.chkIgnoreCommonWords->isChecked());
}

TEST_F(FrmParamsTest, SelectSomeOtherCommonWordsFileWithTheDialog) {
    FrmParams& p = Params();
    const QString path = CommonWordsFile(QStringLiteral("mine.txt"), "one two three\r\n");
    AnswerFileDialogs({path, QString()});
    ui.Expect(QStringLiteral("Three common words loaded from ") + path);
    p.cmdSelectCommonWordsFile[0]->click();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].title, "Specify file of common words to ignore");
    EXPECT_EQ(fileRequests[0].filter, "Any file containing only text (*)");
    EXPECT_EQ(fileRequests[0].mode, FileDialogMode::Open);
    EXPECT_TRUE(fileRequests[0].mustExist);
    EXPECT_EQ(Run().strCommonWordsFile, path);
    EXPECT_EQ(p.txbCommonWordsFile->text(), path);
    EXPECT_TRUE(p.chkIgnoreCommonWords->isChecked());
    EXPECT_TRUE(p.isVisible());

    // Cancelling the dialog changes nothing.
    p.cmdSelectCommonWordsFile[0]->click();
    EXPECT_EQ(fileRequests.size(), 2u);
    EXPECT_EQ(Run().strCommonWordsFile, path);
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(FrmParamsTest, CommentMarkersAreTrimmedAndForceARecount) {
    FrmParams& p = Params();
    Run().blnWordsGot = true;
    p.txbStartComment[1]->setText(QStringLiteral("  {  "));
    p.CommentMarker_LostFocus(p.txbStartComment[1]);
    EXPECT_EQ(p.txbStartComment[1]->text(), "{");
    EXPECT_EQ(Run().settings.txbStartComment[1], "{");
    EXPECT_FALSE(Run().blnWordsGot);
    // The box, too: cleared, plain text is counted without comment markers.
    Run().blnWordsGot = true;
    p.chkAllowCommentMarkers->click();
    EXPECT_EQ(Run().settings.chkAllowCommentMarkers, 0);
    EXPECT_FALSE(Run().blnWordsGot);
}

TEST_F(FrmParamsTest, ReinitializeEmptiesPathsAndWordsToIgnore) {
    FrmParams& p = Params();
    frm->SetInputFilePath(files.Write(QStringLiteral("in.txt"), "some words\r\n"));
    frm->SetOutputFilePath(files.File(QStringLiteral("out.txt")));
    p.txbWordsToIgnore->setText(QStringLiteral("alpha beta"));
    p.txbWordsToIgnore_LostFocus();
    p.chkCaseSignificant->click();
    p.SetIgnoreCommonWordsByProgram(true);
    frm->cboDisplayFormat->setCurrentIndex(3);
    p.txbParametersFile->setText(QStringLiteral("x.lxt"));
    p.txbParametersFile->setVisible(true);

    p.cmdInitialize->click();
    EXPECT_TRUE(frm->InputFilePath().isEmpty());
    EXPECT_TRUE(frm->txbFile[1]->text().isEmpty());
    EXPECT_TRUE(p.txbWordsToIgnore->text().isEmpty());
    EXPECT_TRUE(Run().strWordsToIgnore.isEmpty());
    EXPECT_FALSE(p.chkCaseSignificant->isChecked());
    EXPECT_FALSE(p.chkIgnoreCommonWords->isChecked());
    EXPECT_EQ(frm->cboDisplayFormat->currentIndex(), 0);
    EXPECT_EQ(p.lblParameters->text(), "Program reinitialized.");
    EXPECT_FALSE(p.txbParametersFile->isVisible());
    EXPECT_TRUE(p.isVisible());
}

TEST_F(FrmParamsTest, QuitAsksFirst) {
    FrmParams& p = Params();
    ui.Expect(QLatin1String(kReallyQuitText), MsgResult::No);
    p.cmdQuit->click();
    EXPECT_FALSE(ended);
    EXPECT_EQ(ui.shown.back().title, "Quit");
    ui.Expect(QLatin1String(kReallyQuitText), MsgResult::Yes);
    p.cmdQuit->click();
    EXPECT_TRUE(ended);
}

TEST_F(FrmParamsTest, ShownBesideTheMainWindowAndHidden) {
    FrmParams& p = Params();
    frm->cmdSetParameters->click();
    EXPECT_TRUE(p.isVisible());
    const int expectedLeft = frm->frameGeometry().left() + frm->cmdSetParameters->width() + 20;
    EXPECT_EQ(p.frameGeometry().left(), expectedLeft);
    EXPECT_EQ(p.frameGeometry().top(),
              frm->frameGeometry().top() + frm->txbOutput->mapTo(frm.get(), QPoint()).y());
    p.cmdClose->click();
    EXPECT_FALSE(p.isVisible());
}

TEST_F(FrmParamsTest, SettingsFileSavedAndLoadedBack) {
    FrmParams& p = Params();
    const QString input = files.Write(QStringLiteral("in.txt"), "text to count\r\n");
    frm->SetInputFilePath(input);
    p.chkAllowWordsWithHyphens->click();
    p.chkAllowWordsWithNumerals->click();
    p.chkIgnoreInfrequentWords->click();
    p.cboThresholdFrequency->setCurrentIndex(5);
    p.chkOutputWithCommas->click();
    p.txbWordsToIgnore->setText(QStringLiteral("zeta, alpha"));
    p.txbWordsToIgnore_LostFocus();
    p.txbEndComment[1]->setText(QStringLiteral("%%"));
    const Settings saved = frm->CollectSettings();

    const QString path = files.File(QStringLiteral("my settings"));
    AnswerFileDialogs({path, path});
    p.cmdSaveLoadState[0]->click();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].title, "Specify file to save settings to");
    EXPECT_EQ(fileRequests[0].filter, "Settings files (*.lxt)");
    EXPECT_EQ(fileRequests[0].mode, FileDialogMode::Save);
    EXPECT_EQ(p.lblParameters->text(), "Settings saved to");
    EXPECT_EQ(p.txbParametersFile->text(), path);
    EXPECT_TRUE(p.txbParametersFile->isVisibleTo(&p));
    // Saved under exactly the chosen name.
    EXPECT_EQ(TempDir::Read(path), SettingsFileBytes(saved));

    p.cmdInitialize->click();
    ASSERT_TRUE(p.chkAllowWordsWithHyphens->isChecked());

    p.cmdSaveLoadState[1]->click();
    ASSERT_EQ(fileRequests.size(), 2u);
    EXPECT_EQ(fileRequests[1].title, "Specify file to load settings from.");
    EXPECT_EQ(fileRequests[1].filter, "Settings files (*.lxt)");
    EXPECT_EQ(fileRequests[1].mode, FileDialogMode::Open);
    EXPECT_TRUE(fileRequests[1].mustExist);
    EXPECT_EQ(p.lblParameters->text(), "Settings loaded from");
    EXPECT_FALSE(p.SettingByProgram());
    EXPECT_EQ(frm->InputFilePath(), input);
    EXPECT_FALSE(p.chkAllowWordsWithHyphens->isChecked());
    EXPECT_TRUE(p.chkAllowWordsWithNumerals->isChecked());
    EXPECT_TRUE(p.chkIgnoreInfrequentWords->isChecked());
    EXPECT_EQ(p.cboThresholdFrequency->currentIndex(), 5);
    EXPECT_EQ(p.txbWordsToIgnore->text(), "alpha zeta");
    EXPECT_EQ(Run().strWordsToIgnore, " alpha zeta ");
    EXPECT_EQ(p.txbEndComment[1]->text(), "%%");
    EXPECT_EQ(SettingsFileBytes(frm->CollectSettings()), SettingsFileBytes(saved));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FrmParamsTest, SettingsFileNamingOtherCommonWordsReplacesTheListInMemory) {
    FrmParams& p = Params();
    const QString first = CommonWordsFile(QStringLiteral("first.txt"), "alpha\r\n");
    const QString second = CommonWordsFile(QStringLiteral("second.txt"), "beta gamma\r\n");
    p.txbCommonWordsFile->setText(first);
    ui.Expect(QStringLiteral("One common word loaded from ") + first);
    p.chkIgnoreCommonWords->click();
    ASSERT_EQ(Run().strCommonWords, QStringList({"alpha"}));

    // A settings file with the box ticked and the second file: that file is read.
    Settings stored = frm->CollectSettings();
    stored.strCommonWordsFile = second;
    const QString ticked = files.Write(QStringLiteral("ticked.lxt"), SettingsFileBytes(stored));
    AnswerFileDialogs({ticked});
    ui.Expect(QStringLiteral("Two common words loaded from ") + second);
    p.cmdSaveLoadState[1]->click();
    EXPECT_EQ(p.txbCommonWordsFile->text(), second);
    EXPECT_EQ(Run().strCommonWords, QStringList({"beta", "gamma"}));
    EXPECT_TRUE(p.chkIgnoreCommonWords->isChecked());

    // With the box clear and the first file named, the second list is not used any more.
    stored.strCommonWordsFile = first;
    stored.chkIgnoreCommonWords = 0;
    const QString clear = files.Write(QStringLiteral("clear.lxt"), SettingsFileBytes(stored));
    AnswerFileDialogs({clear});
    p.cmdSaveLoadState[1]->click();
    EXPECT_FALSE(Run().blnCommonWordsLoaded);
    EXPECT_TRUE(Run().strCommonWords.isEmpty());
    ui.Expect(QStringLiteral("One common word loaded from ") + first);
    p.chkIgnoreCommonWords->click();
    EXPECT_EQ(Run().strCommonWords, QStringList({"alpha"}));
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(FrmParamsTest, SettingsFileWithAnInvalidThresholdIsRefused) {
    FrmParams& p = Params();
    Settings stored = frm->CollectSettings();
    stored.txbFile[0] = files.File(QStringLiteral("stored input.txt"));
    stored.txbWordsToIgnore = QStringLiteral("omega");
    stored.chkCaseSignificant = 1;
    QList<QByteArray> lines = SettingsFileBytes(stored).split('\n');
    lines[9] = "8\r";  // line 10: the threshold index, one beyond the eight thresholds
    const QString path = files.Write(QStringLiteral("bad.lxt"), lines.join('\n'));
    p.chkDropFinalS->click();

    AnswerFileDialogs({path});
    ui.Expect(QLatin1String(kRestoreErrorPrefix));
    p.cmdSaveLoadState[1]->click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].text.contains(QLatin1String(kInvalidPropertyValue)));
    EXPECT_EQ(ui.shown[0].title, "Load settings");
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(p.lblParameters->text(), "Error loading from");
    // Everything is back to the defaults, the paths and words to ignore emptied.
    EXPECT_TRUE(frm->InputFilePath().isEmpty());
    EXPECT_TRUE(p.txbWordsToIgnore->text().isEmpty());
    EXPECT_TRUE(Run().strWordsToIgnore.isEmpty());
    EXPECT_FALSE(p.chkCaseSignificant->isChecked());
    EXPECT_FALSE(p.chkDropFinalS->isChecked());
    EXPECT_TRUE(p.chkAllowWordsWithHyphens->isChecked());
    EXPECT_EQ(p.cboThresholdFrequency->currentIndex(), 0);
}

TEST_F(FrmParamsTest, SavingWhereNoFileCanBeWrittenReportsIt) {
    FrmParams& p = Params();
    // No file can be created in /proc, not even by the superuser.
    const QString path = QStringLiteral("/proc/lxt settings.lxt");
    AnswerFileDialogs({path});
    ui.Expect(QLatin1String(kSaveErrorPrefix));
    p.cmdSaveLoadState[0]->click();
    EXPECT_EQ(p.lblParameters->text(), "Error saving to");
    EXPECT_EQ(p.txbParametersFile->text(), path);
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_EQ(ui.shown.back().title, "Save settings");
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);
}

}  // namespace
}  // namespace lxt
