#include "results/output_file.h"

#include <gtest/gtest.h>

#include <QFile>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "run/run_state.h"
#include "support/catalogue.h"
#include "support/message_numbers.h"
#include "table_fixture.h"

namespace lxt::test {
namespace {

const QByteArray kHintsSpaces =
    "\"To open this file in Excel state that it is delimited by spaces.\r\n"
    "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
    "\r\n";
const QByteArray kHintsCommas =
    "\"To open this file in Excel state that it is delimited by commas.\r\n"
    "\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.\r\n"
    "\r\n";

class OutputFile : public ::testing::Test {
  protected:
    OutputFile() : run(ui) {
        LoadCatalogue(CataloguePath(DataDir()));
        FillTable(run, {{"gamma", 1}, {"alpha", 7}, {"beta", 2}});
        OrderTable(run);
        run.settings.txbFile[1] = dir.File("out.txt");
    }
    ScriptedUi ui;
    RunState run;
    TempDir dir;
};

TEST_F(OutputFile, CommasLayoutInTheFileAndBlanksOnScreen) {
    run.settings.chkOutputWithCommas = 1;
    ListWords(run);
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")),
              kHintsCommas +
                  "    Rank,    Freq,  Word (longest has 5 characters)\r\n"
                  "       1,       7,  alpha\r\n"
                  "       2,       2,  beta\r\n"
                  "       3,       1,  gamma\r\n");
    EXPECT_TRUE(run.blnOutputFileWritten);
    EXPECT_EQ(ui.OutputText(),
              "   Rank    Freq  Word (longest has 5 characters)\r\n"
              "      1       7  alpha\r\n"
              "      2       2  beta\r\n"
              "      3       1  gamma\r\n");
}

TEST_F(OutputFile, FormatNineIsOneLineWithoutALineBreak) {
    run.settings.cboDisplayFormat = 9;
    ListWords(run);
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")), kHintsSpaces + "alpha, beta, gamma");
    EXPECT_EQ(ui.OutputText(), "alpha, beta, gamma\r\n");
    // Alphabetical, to a sink: the same text in pieces, the last ", " dropped.
    run.settings.cboWordOrder = 1;
    QString received;
    ListingTarget target;
    target.screenSink = [&received](const QString& piece) { received += piece; };
    ListWords(run, target);
    EXPECT_EQ(received, "alpha, beta, gamma\r\n");
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")), kHintsSpaces + "alpha, beta, gamma");
}

// "œ" has no folding (only the capital expands), so œuvre sorts after zoo.
TEST_F(OutputFile, WordsAreWrittenInWindows1252WhenTheyFit) {
    FillTable(run, {{"Éclair", 2}, {"œuvre", 1}, {"zoo", 1}});
    OrderTable(run);
    run.settings.cboDisplayFormat = 8;
    ListWords(run);
    const QByteArray expected = kHintsSpaces + "Word (longest has 6 characters)\r\n" + "\xC9" +
                                "clair\r\nzoo\r\n\x9C" + "uvre\r\n";
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")), expected);
}

TEST_F(OutputFile, WordsBeyondWindows1252MakeAUtf8FileWithAByteOrderMark) {
    // 𝒜 is one character beyond the Basic Multilingual Plane.
    FillTable(run, {{"Éclair", 2}, {"łódź", 1}, {"zoo", 1}, {"𝒜𝒜b", 1}});
    OrderTable(run);
    run.settings.cboDisplayFormat = 8;
    ListWords(run);
    // By frequency, then by key: "łodź" sorts after "zoo", since ł is no accented Latin
    // letter, and "𝒜𝒜b" after it, by code point.
    const QByteArray expected =
        "\xEF\xBB\xBF\"To open this file in Excel state that it is delimited by spaces.\r\n"
        "\"Set File Origin: Unicode (UTF-8) & Text qualifier: double-quote.\r\n"
        "\r\n"
        "Word (longest has 6 characters)\r\n" +
        QString::fromUtf8("Éclair\r\nzoo\r\nłódź\r\n𝒜𝒜b\r\n").toUtf8();
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")), expected);
    EXPECT_TRUE(ui.OutputText().contains(QString::fromUtf8("łódź")));
    // A word that is not listed does not decide the encoding.
    run.settings.chkIgnoreInfrequentWords = 1;
    run.intThresholdFrequency = 2;
    OrderTable(run);
    ListWords(run);
    EXPECT_TRUE(TempDir::Read(dir.File("out.txt")).startsWith(kHintsSpaces));
}

TEST_F(OutputFile, CancelOnTheOverwriteQuestionListsOnlyOnScreen) {
    const QString path = dir.Write("out.txt", "keep me");
    run.settings.chkWarnOnOverwrite = 1;
    ui.ExpectInput("To overwrite the current output file click on 'OK'.", std::nullopt);
    ListWords(run);
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_EQ(TempDir::Read(path), "keep me");
    EXPECT_EQ(run.settings.chkDisableOutputToFile, 1);
    EXPECT_TRUE(ui.checkBoxes[UiCheckBox::DisableOutputToFile]);
    EXPECT_FALSE(run.blnOutputFileWritten);
    EXPECT_TRUE(ui.OutputText().startsWith("   Rank    Freq  Word"));
    EXPECT_EQ(ui.inputPrompts.front(),
              "To overwrite the current output file click on 'OK'.\r\n"
              "To write to a different file edit the filepath below.\r\n"
              "To disable output to file click on 'Cancel'.\r\n"
              "\r\n"
              "(This 'warn on overwrite' can be disabled\r\n"
              "in the 'Settings' window.)");
}

TEST_F(OutputFile, AnswerIsTrimmedAndKeepsItsCase) {
    dir.Write("out.txt", "old");
    run.settings.chkWarnOnOverwrite = 1;
    const QString other = dir.File("Other.TXT");
    ui.ExpectInput("To overwrite", "  " + other + "  ");
    ListWords(run);
    EXPECT_EQ(run.settings.txbFile[1], other);
    EXPECT_TRUE(TempDir::Read(other).startsWith(kHintsSpaces));
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")), "old");
    EXPECT_TRUE(run.blnOutputFileWritten);
}

TEST_F(OutputFile, MissingFolderInTheAnswerListsNothing) {
    dir.Write("out.txt", "old");
    run.settings.chkWarnOnOverwrite = 1;
    ui.ExpectInput("To overwrite", dir.File("no such folder/out.txt"));
    ui.Expect("Folder does not exist.");
    ListWords(run);
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.shown.back().title, Message(kMsgTitleError));
    EXPECT_TRUE(ui.OutputText().isEmpty());
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")), "old");
    // An answer of blanks alone is no Cancel: it names no folder.
    ui.ExpectInput("To overwrite", QStringLiteral("   "));
    ui.Expect("Folder does not exist.");
    ListWords(run);
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_EQ(run.settings.chkDisableOutputToFile, 0);
    EXPECT_EQ(run.settings.txbFile[1], dir.File("out.txt"));
    EXPECT_TRUE(ui.OutputText().isEmpty());
}

TEST_F(OutputFile, FileThatCannotBeOpenedIsReportedAndNotListed) {
    run.settings.txbFile[1] = dir.Path();  // a folder, not a file
    ui.Expect("At ListWords error #");
    ListWords(run);
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_EQ(ui.OutputText(), "Now processing and writing to output file ...");
    EXPECT_FALSE(run.blnOutputFileWritten);
}

TEST_F(OutputFile, StopInTheFilePhaseKeepsThePartialFile) {
    std::vector<std::pair<QString, qint32>> words;
    for (int k = 0; k < 100; ++k) words.push_back({QStringLiteral("word%1").arg(k), 1});
    FillTable(run, words);
    OrderTable(run);
    run.settings.cboWordOrder = 1;
    run.settings.cboDisplayFormat = 8;
    ui.OnDoEvents([this] { run.blnStop = true; });
    ListWords(run);
    EXPECT_EQ(ui.OutputText(), "Output to file was terminated.\r\n");
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")),
              kHintsSpaces + "Word (longest has 6 characters)\r\nword0\r\n");
    EXPECT_FALSE(run.blnOutputFileWritten);
    // The stop is over once the listing has ended: listing again writes the whole file.
    EXPECT_FALSE(run.blnStop);
    ui.OnDoEvents(nullptr);
    ListWords(run);
    EXPECT_TRUE(run.blnOutputFileWritten);
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")).count("\r\n"), 3 + 1 + 100);
    EXPECT_TRUE(ui.OutputText().endsWith("word99\r\n"));
}

TEST_F(OutputFile, StopOnScreenSaysListingStopped) {
    run.settings.txbFile[1].clear();
    ui.OnDoEvents([this] { run.blnStop = true; });
    ListWords(run);
    EXPECT_EQ(ui.OutputText(),
              "   Rank    Freq  Word (longest has 5 characters)\r\n"
              "      1       7  alpha\r\n"
              "\r\nListing stopped.\r\n");
    // Another display format lists the same words whole.
    ui.OnDoEvents(nullptr);
    run.settings.cboDisplayFormat = 8;
    ListWords(run);
    EXPECT_EQ(ui.OutputText(), "Word (longest has 5 characters)\r\nalpha\r\nbeta\r\ngamma\r\n");
}

TEST_F(OutputFile, NothingIncludedOpensNoFile) {
    run.settings.chkIgnoreInfrequentWords = 1;
    run.intThresholdFrequency = 9;
    OrderTable(run);
    ListWords(run);
    EXPECT_FALSE(QFile::exists(dir.File("out.txt")));
    EXPECT_EQ(ui.OutputText(), "No words with more than 2 letters occur at least 9 times.");
}

TEST_F(OutputFile, DisabledOutputWritesNoFile) {
    run.settings.chkDisableOutputToFile = 1;
    ListWords(run);
    EXPECT_FALSE(QFile::exists(dir.File("out.txt")));
    EXPECT_TRUE(ui.OutputText().endsWith("gamma\r\n"));
}

TEST_F(OutputFile, FullBoxIsReportedWhileTheFileGetsEveryLine) {
    std::vector<std::pair<QString, qint32>> words;
    for (int k = 0; k < 1000; ++k) {
        words.push_back(
            {QStringLiteral("w%1").arg(k, 4, 10, QLatin1Char('0')).leftJustified(80, u'x'), 1});
    }
    FillTable(run, words);
    OrderTable(run);
    ui.AllowUnexpected(true);
    ListWords(run);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown.front().title, Message(kMsgOutputBoxFull));
    const QByteArray file = TempDir::Read(dir.File("out.txt"));
    EXPECT_EQ(file.count("\r\n"), 3 + 1 + 1000);
    EXPECT_TRUE(file.endsWith(QByteArray("w0999").leftJustified(80, 'x') + "\r\n"));
    EXPECT_TRUE(run.blnOutputFileWritten);
    EXPECT_LE(ui.OutputLength(), kMaxTextLength);
    // Without the limit the whole listing reaches the sink, and the same file is written.
    QString received;
    ListingTarget target;
    target.limitOutputBox = false;
    target.screenSink = [&received](const QString& piece) { received += piece; };
    ListWords(run, target);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(received.count(QStringLiteral("\r\n")), 1001);
    EXPECT_EQ(TempDir::Read(dir.File("out.txt")), file);
}

}  // namespace
}  // namespace lxt::test
