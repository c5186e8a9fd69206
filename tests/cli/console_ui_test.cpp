#include "cli/console_ui.h"

#include <gtest/gtest.h>

#include <QThread>
#include <cstdio>

#include "run/run_state.h"
#include "support/catalogue.h"

namespace lxt::cli {
namespace {

// What the Ui wrote to its error stream.
std::string Written(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string text;
    char buffer[512];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    return text;
}

struct ConsoleUiTest : ::testing::Test {
    std::FILE* err = std::tmpfile();
    ~ConsoleUiTest() override { std::fclose(err); }
};

TEST_F(ConsoleUiTest, EncodingQuestionFollowsTheOptionOrTheDetection) {
    const QString seems = "This file seems to be UTF-8 encoded.\r\nClick 'Yes' ...";
    const QString seemsNot = "This file does not seem to be UTF-8 encoded.\r\nClick 'Yes' ...";
    const QString title = "UTF-8 or ANSI file?";
    ConsoleUi follow(EncodingChoice::FollowDetection, false, false, err);
    EXPECT_EQ(follow.MsgBox(seems, title, MsgButtons::YesNoCancel, MsgIcon::None, 1),
              MsgResult::Yes);
    EXPECT_EQ(follow.MsgBox(seemsNot, title, MsgButtons::YesNoCancel, MsgIcon::None, 1),
              MsgResult::No);
    ConsoleUi utf8(EncodingChoice::Utf8, false, false, err);
    EXPECT_EQ(utf8.MsgBox(seemsNot, title, MsgButtons::YesNoCancel, MsgIcon::None, 1),
              MsgResult::Yes);
    ConsoleUi ansi(EncodingChoice::Ansi, false, false, err);
    EXPECT_EQ(ansi.MsgBox(seems, title, MsgButtons::YesNoCancel, MsgIcon::None, 1), MsgResult::No);
    EXPECT_EQ(Written(err), std::string());  // answered silently
}

TEST_F(ConsoleUiTest, FixedAnswersOfTheOtherQuestions) {
    ConsoleUi ui(EncodingChoice::FollowDetection, false, false, err);
    EXPECT_EQ(ui.MsgBox("The input file is quite large. ...", "Large input file",
                        MsgButtons::YesNoCancel, MsgIcon::None, 1),
              MsgResult::No);
    EXPECT_EQ(
        ui.MsgBox("x.docx\r\nis rather large.", "Big file", MsgButtons::YesNo, MsgIcon::None, 2),
        MsgResult::Yes);
    EXPECT_EQ(ui.MsgBox("Invalid checksum found when processing\r\nx.docx", "LXT",
                        MsgButtons::YesNo, MsgIcon::None, 1),
              MsgResult::No);
    EXPECT_EQ(ui.InputBox("To overwrite ...", "The output file exists.", "/tmp/out.txt"),
              std::optional<QString>("/tmp/out.txt"));
    // No Ctrl-C: a stop question is answered No.
    EXPECT_EQ(ui.MsgBox("Many different words have been found.", "Stop", MsgButtons::YesNo,
                        MsgIcon::None, 1),
              MsgResult::No);
    // The refused docx is reported, the rest is silent.
    const std::string written = Written(err);
    EXPECT_NE(written.find("Invalid checksum found when processing\nx.docx"), std::string::npos);
}

TEST_F(ConsoleUiTest, MessagesGoToTheErrorStreamWithPlainLineBreaks) {
    ConsoleUi ui(EncodingChoice::FollowDetection, false, false, err);
    ui.MsgBox("At ListWords error #75.\r\nDescription: Path/File access error", "LXT",
              MsgButtons::Ok, MsgIcon::Exclamation, 1);
    ui.MsgBox("Character", "Character not allowed", MsgButtons::Ok, MsgIcon::Exclamation, 1);
    EXPECT_EQ(Written(err),
              "At ListWords error #75.\nDescription: Path/File access error\nCharacter\n");
    EXPECT_EQ(ui.ReportedProcedures(), QStringList{"ListWords"});
    EXPECT_TRUE(ui.SettingsRefused());
}

TEST_F(ConsoleUiTest, ProgressBarOnlyWhenWantedAndOnlyWhenItChanges) {
    const QString bar = "[-->" + QString(34, ' ') + "]";
    ConsoleUi quiet(EncodingChoice::FollowDetection, true, true, err);
    quiet.SetProgressBarLook(true);
    quiet.SetLabel(UiLabel::TotalNumOccurrences, bar);
    EXPECT_EQ(Written(err), std::string());

    ConsoleUi ui(EncodingChoice::FollowDetection, false, true, err);
    ui.SetLabel(UiLabel::TotalNumOccurrences, bar);  // not a bar yet
    ui.SetProgressBarLook(true);
    ui.SetLabel(UiLabel::TotalNumOccurrences, "[>" + QString(37, ' ') + "]");
    ui.SetLabel(UiLabel::TotalNumOccurrences, bar);
    ui.SetLabel(UiLabel::TotalNumOccurrences, bar);
    ui.SetProgressBarLook(false);
    const std::string written = Written(err);
    EXPECT_EQ(written, "\r[>" + std::string(37, ' ') + "]\r" + bar.toStdString() + "\r" +
                           std::string(39, ' ') + "\r");
}

TEST_F(ConsoleUiTest, ElapsedTimeTicksOncePerSecondWhileTheTimerRuns) {
    ConsoleUi ui(EncodingChoice::FollowDetection, false, false, err);
    RunState run(ui);
    ui.Attach(&run);
    ui.ResumeElapsedTime();
    run.lngNumWords = 12;
    ui.SetElapsedTimerEnabled(true);
    ui.DoEvents();
    EXPECT_EQ(ui.SecondsElapsed(), 0);
    QThread::msleep(1100);
    ui.DoEvents();
    EXPECT_EQ(ui.SecondsElapsed(), 1);
    EXPECT_EQ(ui.Label(UiLabel::TimeElapsed), QStringLiteral("Time elapsed: 1s"));
    EXPECT_EQ(ui.Label(UiLabel::NumberOfWords),
              QStringLiteral("Number of different words found so far: 12"));
    ui.SetElapsedTimerEnabled(false);
    QThread::msleep(1100);
    ui.DoEvents();
    EXPECT_EQ(ui.SecondsElapsed(), 1);
    EXPECT_FALSE(run.blnStop);
}

}  // namespace
}  // namespace lxt::cli
