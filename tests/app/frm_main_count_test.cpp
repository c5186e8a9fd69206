// Counts run from the real main window: a file and the clipboard, the Stop button, an
// interrupted count, the re-listing on a change of order, the refusals before a count and
// the error report of a full output box.
#include <fcntl.h>
#include <unistd.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QThread>
#include <cerrno>

#include "app/frm_main.h"
#include "frm_main_test_fixture.h"
#include "run/report_error.h"
#include "support/message_numbers.h"

namespace lxt::test {
namespace {

constexpr char kSmallText[] = "The cat and the hat.\r\nThe end of the cat.\r\n";

TEST_F(FrmMainTest, CountsASmallFileAndListsItByFrequency) {
    Start();
    const QString path = files.Write("small.txt", kSmallText);
    frm->SetInputFilePath(path);
    frm->cmdListWords->click();

    const QString out = Output();
    EXPECT_TRUE(out.contains(QStringLiteral("Rank"))) << out.toStdString();
    // "the" four times comes first, then "cat" twice.
    const QRegularExpression first(QStringLiteral("\\s+1\\s+4\\s+the\\r\\n"));
    EXPECT_TRUE(first.match(out).hasMatch()) << out.toStdString();
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\\s+2\\s+2\\s+cat"))));
    EXPECT_EQ(Shown(), DisplayText(out));
    EXPECT_TRUE(frm->Run().blnWordsGot);
    EXPECT_EQ(frm->cmdListWords->text(), Message(kMsgCountCaption));
    EXPECT_FALSE(frm->IsCounting());
    EXPECT_TRUE(frm->lblNumberOfWords->text().startsWith(QStringLiteral("Number of words in")));
    // "of" is too short to count: nine occurrences.
    EXPECT_TRUE(frm->lblTotalNumOccurrences->text().endsWith(QStringLiteral(" 9")))
        << frm->lblTotalNumOccurrences->text().toStdString();
    // A run under 4 seconds leaves no elapsed time shown, and the timer is stopped.
    EXPECT_TRUE(frm->lblTimeElapsed->text().isEmpty());
    EXPECT_FALSE(frm->Timer2->isActive());
    EXPECT_TRUE(frm->cmdFile[0]->isEnabled());
    EXPECT_TRUE(frm->cboWordOrder->isEnabled());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FrmMainTest, ChangingTheWordOrderAfterACompleteCountListsAgain) {
    Start();
    frm->SetInputFilePath(files.Write("small.txt", kSmallText));
    frm->cmdListWords_Click();
    ASSERT_TRUE(frm->Run().blnWordsGot);
    frm->cboWordOrder->setCurrentIndex(1);
    const QString out = Output();
    // Alphabetical: "and" comes before "cat", which comes before "the".
    const qsizetype andAt = out.indexOf(QStringLiteral(" and"));
    const qsizetype catAt = out.indexOf(QStringLiteral(" cat"));
    const qsizetype theAt = out.indexOf(QStringLiteral(" the"));
    ASSERT_GT(andAt, 0) << out.toStdString();
    EXPECT_LT(andAt, catAt);
    EXPECT_LT(catAt, theAt);
    EXPECT_EQ(frm->cmdListWords->text(), Message(kMsgCountCaption));
    // The format list re-lists too: "word" alone.
    frm->cboDisplayFormat->setCurrentIndex(8);
    EXPECT_TRUE(Output().contains(QStringLiteral("\r\nand\r\ncat\r\n"))) << Output().toStdString();
}

TEST_F(FrmMainTest, CountsTheClipboardText) {
    Start();
    QGuiApplication::clipboard()->setText(QStringLiteral("alpha beta alpha gamma alpha beta"));
    frm->optOnClipboard->setChecked(true);
    EXPECT_EQ(frm->lblSizeOfClipboardContents->text(),
              QStringLiteral("33 bytes on the clipboard."));
    frm->cmdListWords_Click();
    const QString out = Output();
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\\s+1\\s+3\\s+alpha"))))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\\s+2\\s+2\\s+beta"))));
    EXPECT_TRUE(frm->Run().blnWordsGot);
    EXPECT_TRUE(frm->optOnClipboard->isChecked());
    EXPECT_EQ(frm->cmdListWords->text(), Message(kMsgCountCaption));
    EXPECT_TRUE(frm->cmdClearFile[0]->isEnabled() == !frm->txbFile[0]->text().isEmpty());
}

TEST_F(FrmMainTest, ClickingTheIntroductionShowsTheClipboardText) {
    Start();
    QGuiApplication::clipboard()->setText(QStringLiteral("some words to paste"));
    frm->txbIntro_Click();
    EXPECT_EQ(Output(), QStringLiteral("some words to paste"));
    EXPECT_EQ(Shown(), QStringLiteral("some words to paste"));
    EXPECT_FALSE(frm->Run().blnWordsGot);
}

TEST_F(FrmMainTest, AnEmptyClipboardSwitchesTheSourceToFile) {
    Start();
    QGuiApplication::clipboard()->clear();
    frm->optOnClipboard->setChecked(true);
    ui.Expect(QStringLiteral("Clipboard is empty."));
    frm->cmdListWords_Click();
    EXPECT_TRUE(frm->optInFile->isChecked());
    EXPECT_EQ(frm->cmdListWords->text(), Message(kMsgCountCaption));
}

TEST_F(FrmMainTest, StopAnsweredNoLetsTheCountFinish) {
    Start();
    frm->SetInputFilePath(files.Write("words.txt", DistinctWords(400)));
    bool asked = false;
    ui.OnDoEvents([&] {
        if (!asked && frm->IsCounting()) {
            asked = true;
            frm->cmdListWords_Click();
        }
    });
    ui.Expect(Message(kMsgStopQuestion), MsgResult::No);
    frm->cmdListWords_Click();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(frm->Run().blnWordsGot);
    EXPECT_EQ(frm->Run().lngNumWords, 400);
    EXPECT_FALSE(Output().contains(QStringLiteral("Stopped with")));
    // The stop question has Yes and No, No being the default, titled with the Stop caption.
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_EQ(ui.shown.front().buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.shown.front().defaultButton, 2);
    EXPECT_EQ(ui.shown.front().title, Message(kMsgStopCaption));
}

TEST_F(FrmMainTest, TickingDontDisplayDuringACountStopsTheWordsAsFound) {
    Start();
    frm->SetInputFilePath(files.Write("words.txt", DistinctWords(2000)));
    QString whenTicked;
    QString lastWhileCounting;
    qint32 wordsWhenTicked = -1;
    qint32 wordsLast = -1;
    ui.OnDoEvents([&] {
        if (!frm->IsCounting()) return;
        if (wordsWhenTicked < 0) {
            frm->chkSuppressWords->click();
            whenTicked = Output();
            wordsWhenTicked = frm->Run().lngNumWords;
            // The next pump comes some words later.
            QThread::msleep(80);
        } else if (frm->Run().lngNumWords > wordsLast &&
                   frm->lblTotalNumOccurrences->text().startsWith(u'[')) {
            // Still scanning: the progress bar stands where the totals will.
            lastWhileCounting = Output();
            wordsLast = frm->Run().lngNumWords;
        }
    });
    frm->cmdListWords_Click();
    ASSERT_GT(wordsLast, wordsWhenTicked) << "no pump after the tick";
    EXPECT_EQ(lastWhileCounting, whenTicked);
    EXPECT_EQ(frm->Run().lngNumWords, 2000);
}

TEST_F(FrmMainTest, AnInterruptedCountNotListedKeepsTheStopText) {
    Start();
    frm->SetInputFilePath(files.Write("words.txt", DistinctWords(3000)));
    StopAndAnswer(MsgResult::No);
    const QString out = Output();
    const QRegularExpression stopped(QStringLiteral("Stopped with (\\d+) words? found\\.$"));
    const auto match = stopped.match(out);
    ASSERT_TRUE(match.hasMatch()) << out.right(200).toStdString();
    EXPECT_EQ(match.captured(1).toInt(), frm->Run().lngNumWords);
    EXPECT_GT(frm->Run().lngNumWords, 0);
    EXPECT_LT(frm->Run().lngNumWords, 3000);
    EXPECT_FALSE(frm->Run().blnWordsGot);
    EXPECT_EQ(frm->cmdListWords->text(), Message(kMsgCountCaption));
    EXPECT_TRUE(frm->cmdFile[0]->isEnabled());
    // The question has no icon and is titled "Counting interrupted".
    EXPECT_EQ(ui.shown.back().title, QStringLiteral("Counting interrupted"));
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::None);
    // Nothing was counted completely: a change of order lists nothing.
    frm->cboWordOrder->setCurrentIndex(1);
    EXPECT_EQ(Output(), out);
}

TEST_F(FrmMainTest, AnInterruptedCountListedIsNotListedAgainOnAChangeOfOrder) {
    Start();
    frm->SetInputFilePath(files.Write("words.txt", DistinctWords(3000)));
    StopAndAnswer(MsgResult::Yes);
    const QString out = Output();
    EXPECT_TRUE(out.contains(QStringLiteral("Rank"))) << out.left(300).toStdString();
    EXPECT_FALSE(frm->Run().blnWordsGot);
    EXPECT_TRUE(frm->Run().blnRunInterrupted);
    // After an interrupted count the two occurrence labels are empty.
    EXPECT_TRUE(frm->lblNumOccurrences->text().isEmpty());
    EXPECT_TRUE(frm->lblTotalNumOccurrences->text().isEmpty());
    frm->cboWordOrder->setCurrentIndex(1);
    EXPECT_EQ(Output(), out);
    frm->cboDisplayFormat->setCurrentIndex(3);
    EXPECT_EQ(Output(), out);
}

TEST_F(FrmMainTest, NoInputFileIsRefusedAndTheBoxCleared) {
    Start();
    QGuiApplication::clipboard()->setText(QStringLiteral("shown words"));
    frm->txbIntro_Click();
    frm->SetInputFilePath(QStringLiteral("   "));
    ui.Expect(QStringLiteral("Input file not specified."));
    frm->cmdListWords_Click();
    EXPECT_EQ(ui.shown.back().title, Message(kMsgTitleError));
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(Output().isEmpty());
    EXPECT_TRUE(frm->txbFile[0]->text().isEmpty());
    EXPECT_EQ(frm->cmdListWords->text(), Message(kMsgCountCaption));
}

TEST_F(FrmMainTest, Utf8WithSevenBitOnlyIsRefused) {
    Start();
    frm->SetInputFilePath(files.Write("small.txt", kSmallText));
    frm->chkUTF8->setChecked(true);
    frm->Params().chkOnly7bitASCII->setChecked(true);
    ui.Expect(
        QStringLiteral("Scanning as UTF-8 is not compatible with\r\n"
                       "allowing only 7-bit ASCII characters."));
    frm->cmdListWords_Click();
    EXPECT_EQ(ui.shown.back().title, QStringLiteral("Incompatible setting"));
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(frm->Run().lngNumWords, 0);
}

TEST_F(FrmMainTest, ADocxInputWithSevenBitOnlyIsRefusedInDocxWords) {
    Start();
    QByteArray zip("PK\x03\x04", 4);
    zip += QByteArray(40, '\0');
    frm->SetInputFilePath(files.Write("letter.DOCX", zip));
    frm->chkUTF8->setChecked(true);
    frm->Params().chkOnly7bitASCII->setChecked(true);
    ui.Expect(
        QStringLiteral("Scanning a 'docx' file is not compatible with\r\n"
                       "allowing only 7-bit ASCII characters."));
    frm->cmdListWords_Click();
}

// A path that cannot be opened for writing, even by the superuser; empty when none is found.
QString UnwritablePath(const TempDir& dir) {
    const QString locked = dir.Write(QStringLiteral("locked.csv"), "x");
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    for (const QString& candidate : {locked, QStringLiteral("/sys/kernel/notes"),
                                     QStringLiteral("/proc/sys/kernel/lxt-locked")}) {
        const int fd =
            ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_APPEND, 0666);
        if (fd >= 0) {
            ::close(fd);
            continue;
        }
        if (errno == EACCES || errno == EPERM || errno == EROFS) return candidate;
    }
    return QString();
}

TEST_F(FrmMainTest, ALockedOutputFileStopsTheRunWithTheHint) {
    Start();
    const QString locked = UnwritablePath(files);
    if (locked.isEmpty()) GTEST_SKIP() << "no unwritable file on this system";
    frm->SetInputFilePath(files.Write("small.txt", kSmallText));
    frm->SetOutputFilePath(locked);
    ui.Expect(QStringLiteral("At DoIt error #70."));
    frm->cmdListWords_Click();
    EXPECT_EQ(ui.shown.back().title, Message(kMsgTitleError));
    EXPECT_TRUE(Output().startsWith(QStringLiteral("Error: ")));
    EXPECT_TRUE(Output().endsWith(
        QStringLiteral("If the output file is open in Excel then it must first be closed\r\n"
                       "or a different file should be specified as the output file.")));
    EXPECT_EQ(frm->Run().lngNumWords, 0);
    EXPECT_EQ(frm->cmdListWords->text(), Message(kMsgCountCaption));
    EXPECT_TRUE(frm->cmdListWords->isEnabled());
    EXPECT_TRUE(frm->cmdFile[0]->isEnabled());
}

TEST_F(FrmMainTest, AFullOutputBoxWithoutOutputFileNamesTheRemedy) {
    Start();
    frm->SetInputFilePath(files.Write("many.txt", DistinctWords(6000)));
    ui.Expect(Message(kMsgOutputBoxFull) + QStringLiteral("  ") + Message(kMsgNameAnOutputFile));
    frm->cmdListWords_Click();
    EXPECT_EQ(ui.shown.back().title, Message(kMsgOutputBoxFull));
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);
    EXPECT_LE(Output().size(), 65000);
    EXPECT_EQ(frm->cmdListWords->text(), Message(kMsgCountCaption));
}

TEST_F(FrmMainTest, AFullOutputBoxAfterWritingTheFileSaysSo) {
    Start();
    frm->SetInputFilePath(files.Write("many.txt", DistinctWords(6000)));
    const QString outputFile = files.File(QStringLiteral("list.txt"));
    frm->SetOutputFilePath(outputFile);
    ui.Expect(Message(kMsgOutputBoxFull) + QStringLiteral("  \r\n") +
              Message(kMsgListInOutputFile));
    frm->cmdListWords_Click();
    EXPECT_TRUE(TempDir::Read(outputFile).contains("abaaa"));
    // Output to the file disabled: the report says how to get the complete list.
    frm->chkDisableOutputToFile->setChecked(true);
    ui.Expect(Message(kMsgOutputBoxFull) + QStringLiteral("  ") + Message(kMsgUntickDisable));
    frm->cmdListWords_Click();
}

TEST_F(FrmMainTest, TheSameTextWithAnyLineEndsGivesTheSameOutputFile) {
    Start();
    const QByteArray lines[] = {"The licence is at https://example.org/ online", "/* a comment",
                                "over lines */ and the end of the text"};
    QByteArray first;
    int n = 0;
    for (const char* end : {"\r\n", "\n", "\r"}) {
        QByteArray text;
        for (const QByteArray& line : lines) text += line + end;
        if (QByteArray(end) == "\r") ui.Expect(QStringLiteral("has Macintosh-type line endings"));
        frm->SetInputFilePath(files.Write(QStringLiteral("in%1.txt").arg(++n), text));
        const QString outputFile = files.File(QStringLiteral("out%1.txt").arg(n));
        frm->SetOutputFilePath(outputFile);
        frm->cmdListWords->click();
        const QByteArray written = TempDir::Read(outputFile);
        if (first.isEmpty()) first = written;
        EXPECT_EQ(written, first) << n;
    }
    EXPECT_TRUE(first.contains("licence"));
    EXPECT_TRUE(first.contains("text"));
    EXPECT_FALSE(first.contains("comment"));
    EXPECT_FALSE(first.contains("online"));
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(FrmMainTest, ReportErrorOfAFullBoxNamesTheRemedyForTheSettingsInForce) {
    Start();
    RunState& run = frm->Run();
    run.settings = frm->CollectSettings();
    ui.Expect(Message(kMsgOutputBoxFull) + QStringLiteral("  ") + Message(kMsgNameAnOutputFile));
    ReportError(run, kErrOutputBoxFull, QString(), QStringLiteral("ListWordsByFrequency A"));
    frm->SetOutputFilePath(files.File(QStringLiteral("out.txt")));
    frm->chkDisableOutputToFile->setChecked(true);
    run.settings = frm->CollectSettings();
    ui.Expect(Message(kMsgOutputBoxFull) + QStringLiteral("  ") + Message(kMsgUntickDisable));
    ReportError(run, kErrOutputBoxFull, QString(), QStringLiteral("ListWordsByFrequency B"));
    EXPECT_EQ(ui.shown.back().title, Message(kMsgOutputBoxFull));
}

}  // namespace
}  // namespace lxt::test
