// The window's side of what a run asks of it: the suppress box hidden and shown again, only
// the file controls held while common words are read, the output file offered for a large
// input, and the encoding answer that clears "Allow only 7-bit ASCII characters".
#include "app/qt_ui.h"

#include <QFile>

#include "app/frm_main.h"
#include "frm_main_test_fixture.h"
#include "support/message_numbers.h"

namespace lxt::test {
namespace {

// Larger than the 204,800 bytes above which a count offers an output file, with few
// different words so that the listing stays short.
QByteArray LargeText() {
    QByteArray text;
    while (text.size() <= 210000) text += "The cat and the hat sat on the mat.\r\n";
    return text;
}

constexpr char kLargeInputQuestion[] = "The input file is quite large.";

TEST_F(FrmMainTest, SuppressWordsCanBeHiddenAndShownAgain) {
    Start();
    Ui& qt = frm->TheUi();
    ASSERT_TRUE(frm->chkSuppressWords->isVisible());
    qt.SetCheckBoxVisible(UiCheckBox::SuppressWords, false);
    EXPECT_FALSE(frm->chkSuppressWords->isVisible());
    // Its value is untouched.
    frm->chkSuppressWords->setChecked(true);
    qt.SetCheckBoxVisible(UiCheckBox::SuppressWords, true);
    EXPECT_TRUE(frm->chkSuppressWords->isVisible());
    EXPECT_TRUE(frm->chkSuppressWords->isChecked());
    qt.SetCheckBoxVisible(UiCheckBox::Utf8, false);
    EXPECT_FALSE(frm->chkUTF8->isVisible());
    EXPECT_TRUE(frm->chkSuppressWords->isVisible());
}

TEST_F(FrmMainTest, ReadingCommonWordsHoldsOnlyTheFileControls) {
    Start();
    frm->SetInputFilePath(files.Write(QStringLiteral("in.txt"), "some words\r\n"));
    QByteArray words;
    for (int i = 0; i < 50; ++i) words += "alpha beta gamma\r\n";
    const QString common = files.Write(QStringLiteral("common.txt"), words);
    struct Seen {
        bool file[2];
        bool box[2];
        bool clear[2];
        bool settings;
        bool order;
    };
    std::vector<Seen> seen;
    ui.OnDoEvents([&] {
        if (frm->Run().phase != RunPhase::ReadingCommonWords) return;
        seen.push_back({{frm->cmdFile[0]->isEnabled(), frm->cmdFile[1]->isEnabled()},
                        {frm->txbFile[0]->isEnabled(), frm->txbFile[1]->isEnabled()},
                        {frm->cmdClearFile[0]->isEnabled(), frm->cmdClearFile[1]->isEnabled()},
                        frm->cmdSetParameters->isEnabled(),
                        frm->cboWordOrder->isEnabled()});
    });
    AnswerFileDialogs({common});
    ui.Expect(QStringLiteral("Three common words loaded from ") + common);
    frm->Params().cmdSelectCommonWordsFile[0]->click();
    ASSERT_FALSE(seen.empty());
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(seen[0].file[i]);
        EXPECT_FALSE(seen[0].box[i]);
        EXPECT_FALSE(seen[0].clear[i]);
    }
    EXPECT_TRUE(seen[0].settings);
    EXPECT_TRUE(seen[0].order);
    // Afterwards the file controls are back; a Clear button only beside a path.
    EXPECT_TRUE(frm->cmdFile[0]->isEnabled());
    EXPECT_TRUE(frm->txbFile[1]->isEnabled());
    EXPECT_TRUE(frm->cmdClearFile[0]->isEnabled());
    EXPECT_FALSE(frm->cmdClearFile[1]->isEnabled());
}

TEST_F(FrmMainTest, ALargeInputAsksForAnOutputFileAndWritesIt) {
    Start();
    const QString input = files.Write(QStringLiteral("large.txt"), LargeText());
    const QString out = files.File(QStringLiteral("large counts.txt"));
    frm->SetInputFilePath(input);
    AnswerFileDialogs({out});
    ui.Expect(QLatin1String(kLargeInputQuestion), MsgResult::Yes);
    frm->cmdListWords_Click();
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Large input file"));
    EXPECT_EQ(ui.shown[0].buttons, MsgButtons::YesNoCancel);
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].title, QStringLiteral("Specify output file"));
    EXPECT_EQ(frm->txbFile[1]->text(), out);
    EXPECT_TRUE(frm->chkDisableOutputToFile->isEnabled());
    EXPECT_TRUE(frm->Run().blnWordsGot);
    ASSERT_TRUE(QFile::exists(out));
    const QByteArray written = TempDir::Read(out);
    EXPECT_TRUE(written.contains(" the")) << written.left(200).toStdString();
    EXPECT_TRUE(Output().contains(QStringLiteral(" cat")));
}

TEST_F(FrmMainTest, ALargeInputWithTheInputChosenAsOutputIsAbandoned) {
    Start();
    const QString input = files.Write(QStringLiteral("large.txt"), LargeText());
    frm->SetInputFilePath(input);
    AnswerFileDialogs({input});
    ui.Expect(QLatin1String(kLargeInputQuestion), MsgResult::Yes);
    ui.Expect(QStringLiteral("Output file cannot be the same as the input file."));
    frm->cmdListWords_Click();
    EXPECT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(frm->Run().lngNumWords, 0);
    EXPECT_FALSE(frm->Run().blnWordsGot);
    EXPECT_EQ(frm->cmdListWords->text(), Message(kMsgCountCaption));
    EXPECT_TRUE(frm->cmdFile[0]->isEnabled());
    EXPECT_EQ(TempDir::Read(input), LargeText());
}

TEST_F(FrmMainTest, ALargeInputWithTheOutputDialogCancelledIsCountedIntoTheBox) {
    Start();
    frm->SetInputFilePath(files.Write(QStringLiteral("large.txt"), LargeText()));
    AnswerFileDialogs({QString()});
    ui.Expect(QLatin1String(kLargeInputQuestion), MsgResult::Yes);
    frm->cmdListWords_Click();
    EXPECT_EQ(fileRequests.size(), 1u);
    EXPECT_TRUE(frm->txbFile[1]->text().isEmpty());
    EXPECT_TRUE(frm->Run().blnWordsGot);
    EXPECT_TRUE(Output().contains(QStringLiteral(" cat")));
}

TEST_F(FrmMainTest, ScanningAsUtf8ClearsSevenBitOnlyInTheSettingsWindow) {
    Start();
    const QByteArray text = "\xEF\xBB\xBFna\xC3\xAFve caf\xC3\xA9 words\r\n";
    frm->SetInputFilePath(files.Write(QStringLiteral("bom.txt"), text));
    frm->Params().chkOnly7bitASCII->setChecked(true);
    // No: scanned as ANSI, the Settings window keeps its box.
    ui.Expect(QStringLiteral("This file seems to be UTF-8 encoded."), MsgResult::No);
    frm->cmdListWords_Click();
    EXPECT_TRUE(frm->Params().chkOnly7bitASCII->isChecked());
    EXPECT_FALSE(frm->chkUTF8->isChecked());
    // Yes: chkUTF8 ticked and 7-bit-only cleared, in the window and in the run.
    ui.Expect(QStringLiteral("This file seems to be UTF-8 encoded."), MsgResult::Yes);
    frm->cmdListWords_Click();
    EXPECT_EQ(ui.shown.back().title, QStringLiteral("UTF-8 or ANSI file?"));
    EXPECT_TRUE(frm->chkUTF8->isChecked());
    EXPECT_FALSE(frm->Params().chkOnly7bitASCII->isChecked());
    EXPECT_EQ(frm->Run().settings.chkOnly7bitASCII, 0);
    EXPECT_EQ(frm->CollectSettings().chkOnly7bitASCII, 0);
    EXPECT_TRUE(Output().contains(QStringLiteral("caf\u00e9"))) << Output().toStdString();
}

}  // namespace
}  // namespace lxt::test
