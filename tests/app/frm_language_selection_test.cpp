// The language picker opened from the Settings window: a fresh start each time, the accept
// button's captions, Cancel changing nothing, and a chosen language loaded from beside the
// program.
#include "app/frm_language_selection.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "app/frm_params.h"
#include "frm_main_test_fixture.h"
#include "support/language_tables.h"

namespace lxt {
namespace {

struct PickerState {
    bool seen = false;
    int selected = -2;
    bool acceptEnabled = true;
    QString title;
    QPoint position;
};

// Waits for the picker to be shown, records its state, then runs `act` on it.
void WhenPickerShows(FrmLanguageSelection& picker, PickerState& state,
                     std::function<void(FrmLanguageSelection&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, &picker, &state, act] {
        if (!picker.isVisible()) return;
        timer->stop();
        timer->deleteLater();
        state.seen = true;
        state.selected = picker.cboCommonWordsFiles->currentIndex();
        state.acceptEnabled = picker.cmdAccept->isEnabled();
        state.title = picker.windowTitle();
        state.position = picker.frameGeometry().topLeft();
        act(picker);
    });
    timer->start();
}

class FrmLanguageSelectionTest : public test::FrmMainTest {
  protected:
    void SetUp() override {
        FrmMainTest::SetUp();
        Start();
        ui.shown.clear();
    }
    FrmParams& Params() { return frm->Params(); }
};

TEST_F(FrmLanguageSelectionTest, EntriesAndCaptions) {
    FrmLanguageSelection& picker = Params().LanguagePicker();
    EXPECT_EQ(picker.windowTitle(), "Select common words in some language");
    EXPECT_EQ(picker.lblSelectLanguageOfWordsToIgnore->text(),
              "Ignore common words in which language?");
    ASSERT_EQ(picker.cboCommonWordsFiles->count(), 8);
    EXPECT_EQ(picker.cboCommonWordsFiles->itemText(0), "English");
    EXPECT_EQ(picker.cboCommonWordsFiles->itemText(5), "French");
    EXPECT_EQ(picker.cboCommonWordsFiles->itemText(6), "English and German");
    EXPECT_EQ(picker.cboCommonWordsFiles->itemText(7), "All six languages");
    EXPECT_EQ(picker.cmdCancel->text(), "Cancel");

    picker.cboCommonWordsFiles->setCurrentIndex(3);
    EXPECT_TRUE(picker.cmdAccept->isEnabled());
    EXPECT_EQ(picker.cmdAccept->text(), "Load common words file for this language");
    picker.cboCommonWordsFiles->setCurrentIndex(6);
    EXPECT_EQ(picker.cmdAccept->text(), "Load common words file for these languages");
    picker.cboCommonWordsFiles->setCurrentIndex(-1);
    EXPECT_FALSE(picker.cmdAccept->isEnabled());
}

TEST_F(FrmLanguageSelectionTest, CancelChangesNothing) {
    FrmParams& p = Params();
    const QString path = files.Write(QStringLiteral("mine.txt"), "alpha beta\r\n");
    p.txbCommonWordsFile->setText(path);
    ui.Expect(QStringLiteral("Two common words loaded from"));
    p.chkIgnoreCommonWords->click();
    const QStringList words = frm->Run().strCommonWords;
    p.ShowBeside();

    PickerState state;
    WhenPickerShows(p.LanguagePicker(), state,
                    [](FrmLanguageSelection& picker) { picker.cmdCancel->click(); });
    p.cmdSelectCommonWordsFile[1]->click();
    ASSERT_TRUE(state.seen);
    EXPECT_EQ(state.selected, -1);
    EXPECT_FALSE(state.acceptEnabled);
    EXPECT_EQ(p.LanguagePicker().intLanguageSelected, -1);
    EXPECT_EQ(frm->Run().strCommonWordsFile, path);
    EXPECT_EQ(p.txbCommonWordsFile->text(), path);
    EXPECT_EQ(frm->Run().strCommonWords, words);
    EXPECT_TRUE(p.chkIgnoreCommonWords->isChecked());
    EXPECT_EQ(ui.shown.size(), 1u);
}

TEST_F(FrmLanguageSelectionTest, ChosenLanguageIsLoadedFromBesideTheProgram) {
    FrmParams& p = Params();
    p.cmdClearCommonWordsFile->click();
    p.ShowBeside();

    PickerState state;
    WhenPickerShows(p.LanguagePicker(), state, [](FrmLanguageSelection& picker) {
        picker.cboCommonWordsFiles->setCurrentIndex(5);  // French
        picker.cmdAccept->click();
    });
    const QString french = ProgramFilePath(QStringLiteral("cwds_fr.txt"));
    ui.Expect(QStringLiteral(" common words loaded from ") + french);
    p.cmdSelectCommonWordsFile[1]->click();
    ASSERT_TRUE(state.seen);
    // Opened over the button that opened it.
    const QPoint button =
        p.frameGeometry().topLeft() + p.cmdSelectCommonWordsFile[1]->mapTo(&p, QPoint(0, 0));
    EXPECT_EQ(state.position, button);
    EXPECT_EQ(p.LanguagePicker().intLanguageSelected, 5);
    EXPECT_EQ(frm->Run().strCommonWordsFile, french);
    EXPECT_EQ(p.txbCommonWordsFile->text(), french);
    EXPECT_TRUE(p.chkIgnoreCommonWords->isChecked());
    EXPECT_TRUE(frm->Run().strCommonWords.contains(QStringLiteral("alors")));

    // Opened again: no entry chosen and the accept button disabled, despite the last choice.
    PickerState again;
    WhenPickerShows(p.LanguagePicker(), again, [](FrmLanguageSelection& picker) {
        picker.cboCommonWordsFiles->setCurrentIndex(7);
        EXPECT_EQ(picker.cmdAccept->text(), "Load common words file for these languages");
        picker.cmdAccept->click();
    });
    const QString all = ProgramFilePath(QStringLiteral("cwds_en_de_es_pt_it_fr.txt"));
    ui.Expect(QStringLiteral(" common words loaded from ") + all);
    p.cmdSelectCommonWordsFile[1]->click();
    ASSERT_TRUE(again.seen);
    EXPECT_EQ(again.selected, -1);
    EXPECT_FALSE(again.acceptEnabled);
    EXPECT_EQ(frm->Run().strCommonWordsFile, all);
}

TEST_F(FrmLanguageSelectionTest, MissingLanguageFileLeavesTheBoxClear) {
    FrmParams& p = Params();
    p.cmdClearCommonWordsFile->click();
    // A program folder without the language files: the loader reports the missing file.
    const QString missing = PickerEntryPath(1, files.Path());
    frm->Run().strCommonWordsFile = missing;
    ui.Expect(QStringLiteral("File for common words not found."));
    p.chkIgnoreCommonWords->click();
    EXPECT_FALSE(p.chkIgnoreCommonWords->isChecked());
    EXPECT_FALSE(frm->Run().blnCommonWordsLoaded);
}

}  // namespace
}  // namespace lxt
