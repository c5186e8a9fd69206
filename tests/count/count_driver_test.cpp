#include "count/count_driver.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "run/run_state.h"
#include "run/run_statistics.h"
#include "support/catalogue.h"

namespace lxt {
namespace {

using test::ScriptedUi;
using test::ShownMessage;
using test::TempDir;

// The scripted Ui, also recording what the driver does to the output box and the Count
// button and whether it asked for the Settings window or another source.
class DriverUi : public ScriptedUi {
  public:
    void OutputReplace(const QString& text) override {
        replaced << text;
        ScriptedUi::OutputReplace(text);
    }
    void ShowSettingsWindow() override { ++settingsShown; }
    void SelectSource(bool inFile) override { sourceSelected.push_back(inFile); }
    std::optional<QString> ClipboardText() override { return clipboard; }
    void SetElapsedTimerEnabled(bool enabled) override { timerEnabled.push_back(enabled); }

    QStringList replaced;
    std::vector<bool> sourceSelected;
    std::vector<bool> timerEnabled;
    int settingsShown = 0;
    QString clipboard;
};

class CountDriverTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { LoadCatalogue(CataloguePath(test::DataDir())); }

    void SetUp() override {
        run.blnStartUpCompleted = true;
        run.settings.chkSuppressWords = 1;
    }

    QString Input(const QByteArray& text) {
        const QString path = dir.Write(QStringLiteral("input.txt"), text);
        run.settings.txbFile[0] = path;
        return path;
    }

    // Lets events run at every yield until the 25th word is counted, then presses the
    // Stop button once.
    void PressStopAtTheTwentyFifthWord() {
        ui.OnDoEvents([this, pressed = false]() mutable {
            if (run.lngNumWords < 25) {
                run.eventPump.Restart();
            } else if (!pressed) {
                pressed = true;
                cmdListWords_Click(run);
            }
        });
    }

    // The line of the by-frequency listing for a word, as the output box shows it.
    static QString Line(int rank, int freq, const char* word) {
        return QStringLiteral(" %1  %2  %3")
            .arg(rank, 6)
            .arg(freq, 6)
            .arg(QString::fromLatin1(word));
    }

    TempDir dir;
    DriverUi ui;
    RunState run{ui};
};

// 25 different words, then repeats of the first: a stop after the 25th word leaves 25.
QByteArray TwentyFiveWords() {
    QByteArray text;
    const char* words[] = {"alpha",  "bravo",   "charlie", "delta", "echo",   "foxtrot", "golf",
                           "hotel",  "india",   "juliet",  "kilo",  "lima",   "mike",    "november",
                           "oscar",  "papa",    "quebec",  "romeo", "sierra", "tango",   "uniform",
                           "victor", "whiskey", "xray",    "yankee"};
    for (const char* w : words) text += QByteArray(w) + ' ';
    for (int i = 0; i < 200; ++i) text += "alpha ";
    return text + "\r\nzulu zulu\r\n";
}

TEST_F(CountDriverTest, WholeCountOfASmallFile) {
    Input("The cat and the dog\r\nand the bird.\r\n");
    const RunOutcome outcome = cmdListWords_Click(run);
    EXPECT_EQ(outcome, RunOutcome::Listed);
    EXPECT_TRUE(ui.AllExpectedShown());

    // The three phases are announced in order before the listing replaces them.
    const qsizetype first = ui.replaced.indexOf(Message(kMsgPhaseInclusion) + " ...");
    ASSERT_GE(first, 0);
    EXPECT_EQ(ui.replaced.value(first + 1), Message(kMsgPhaseStatistics) + " ...");
    EXPECT_EQ(ui.replaced.value(first + 2), Message(kMsgPhaseFrequencyOrder) + " ...");

    const QString out = ui.OutputText();
    EXPECT_TRUE(out.contains("   Rank    Freq  Word (longest has 4 characters)\r\n"));
    EXPECT_TRUE(out.contains(Line(1, 3, "the") + "\r\n"));
    EXPECT_TRUE(out.contains(Line(2, 2, "and") + "\r\n"));
    EXPECT_TRUE(out.contains(Line(5, 1, "dog") + "\r\n"));

    EXPECT_EQ(run.lngNumWords, 5);
    EXPECT_EQ(run.lngTotalNumOccurrences, 8);
    EXPECT_TRUE(run.blnWordsGot);
    EXPECT_TRUE(run.blnListShown);
    EXPECT_FALSE(ui.ElapsedTimeRunning());
    EXPECT_EQ(run.intThresholdFrequency, 2);
    // Counting, then ordering and listing, idle at the end.
    EXPECT_EQ(ui.phases, (std::vector<RunPhase>{RunPhase::Counting, RunPhase::Ordering,
                                                RunPhase::Listing, RunPhase::Idle}));
    EXPECT_FALSE(RunInProgress(run));
    EXPECT_EQ(ui.labels[UiLabel::NumberOfWords], QStringLiteral("Number of words in this list: 5"));
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences],
              QStringLiteral("Total number of instances of words: 8"));
    // A run of under 4 seconds leaves no elapsed time shown.
    EXPECT_TRUE(ui.labelHistory[UiLabel::TimeElapsed].contains("Time elapsed: 0s"));
    EXPECT_EQ(ui.labels[UiLabel::TimeElapsed], QString());
    ASSERT_FALSE(ui.timerEnabled.empty());
    EXPECT_TRUE(ui.timerEnabled.front());
    EXPECT_FALSE(ui.timerEnabled.back());
}

TEST_F(CountDriverTest, ThresholdIsTheListIndexPlusTwo) {
    Input("one two two three three three\r\n");
    run.settings.chkIgnoreInfrequentWords = 1;
    run.settings.cboThresholdFrequency = 1;  // "3"
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_EQ(run.intThresholdFrequency, 3);
    EXPECT_EQ(run.lngNumWordsIncluded, 1);
    EXPECT_TRUE(ui.OutputText().contains(Line(1, 3, "three")));
    EXPECT_FALSE(ui.OutputText().contains("two"));
}

TEST_F(CountDriverTest, ElapsedTimeStaysAfterFourSecondsAndIsClearedAfterThree) {
    for (int ticks : {3, 4}) {
        DriverUi tickUi;
        RunState tickRun(tickUi);
        tickRun.blnStartUpCompleted = true;
        tickRun.settings.chkSuppressWords = 1;
        tickRun.settings.txbFile[0] = dir.Write("ticks.txt", "some words here\r\n");
        bool ticked = false;
        tickUi.OnDoEvents([&] {
            if (ticked) return;
            ticked = true;
            for (int i = 0; i < ticks; ++i) Timer2_Timer(tickRun);
        });
        ASSERT_EQ(cmdListWords_Click(tickRun), RunOutcome::Listed);
        ASSERT_TRUE(ticked);
        if (ticks < kMinSecondsShown) {
            EXPECT_EQ(tickUi.labels[UiLabel::TimeElapsed], QString());
        } else {
            EXPECT_EQ(tickUi.labels[UiLabel::TimeElapsed], QStringLiteral("Time elapsed: 4s"));
        }
    }
}

TEST_F(CountDriverTest, StopAnsweredNoListsNothingAndKeepsTheTable) {
    Input(TwentyFiveWords());
    ui.Expect(Message(kMsgStopQuestion), MsgResult::Yes)
        .Expect("The operation was stopped before all words were counted.", MsgResult::No);
    PressStopAtTheTwentyFifthWord();
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::NotListed);
    EXPECT_TRUE(ui.AllExpectedShown()) << ui.PendingExpectations().join('|').toStdString();
    EXPECT_TRUE(ui.OutputText().endsWith("Stopped with 25 words found."));
    EXPECT_EQ(run.lngNumWords, 25);
    EXPECT_FALSE(run.blnStop);
    EXPECT_FALSE(run.blnWordsGot);
    EXPECT_FALSE(run.blnListShown);
    EXPECT_FALSE(RunInProgress(run));
    EXPECT_EQ(ui.phases.back(), RunPhase::Idle);
    const ShownMessage& box = ui.shown.back();
    EXPECT_EQ(box.title, QStringLiteral("Counting interrupted"));
    EXPECT_EQ(box.text, QStringLiteral("The operation was stopped before all words were counted."
                                       "\r\nDo you wish to list the words which were found?"));
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_EQ(box.icon, MsgIcon::None);
    // The stop question: Yes/No, No as the default, titled with the Stop caption.
    const ShownMessage& stop = ui.shown.front();
    EXPECT_EQ(stop.title, Message(kMsgStopCaption));
    EXPECT_EQ(stop.defaultButton, 2);
}

TEST_F(CountDriverTest, StopAnsweredYesListsTheWordsFoundAsAPartialResult) {
    Input(TwentyFiveWords());
    ui.Expect(Message(kMsgStopQuestion), MsgResult::Yes)
        .Expect("Do you wish to list the words which were found?", MsgResult::Yes);
    PressStopAtTheTwentyFifthWord();
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_TRUE(run.blnRunInterrupted);
    EXPECT_FALSE(run.blnWordsGot);  // a partial result is not listed again on a new order
    EXPECT_EQ(run.lngNumWordsIncluded, 25);
    EXPECT_TRUE(ui.OutputText().contains("yankee"));
    EXPECT_FALSE(ui.OutputText().contains("zulu"));
    EXPECT_EQ(ui.labels[UiLabel::NumOccurrences], QString());
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences], QString());
    EXPECT_TRUE(ui.labelVisible[UiLabel::TotalNumOccurrences]);
}

TEST_F(CountDriverTest, StopQuestionAnsweredNoChangesNothing) {
    run.phase = RunPhase::Counting;
    ui.Expect(Message(kMsgStopQuestion), MsgResult::No);
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::NotStarted);
    EXPECT_FALSE(run.blnStop);
    ui.Expect(Message(kMsgStopQuestion), MsgResult::Yes);
    cmdListWords_Click(run);
    EXPECT_TRUE(run.blnStop);
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(CountDriverTest, NoInputFileIsRefusedAndClearsTheOutputBox) {
    run.settings.txbFile[0] = QStringLiteral("   ");
    ui.OutputReplace(QStringLiteral("old text"));
    ui.Expect("Input file not specified.");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::NotStarted);
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_EQ(ui.shown.back().title, Message(kMsgTitleError));
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.OutputText(), QString());
    EXPECT_EQ(run.settings.txbFile[0], QString());
}

// Makes a file that cannot be opened for writing; false when this system cannot.
bool LockFile(const QString& path) {
#ifdef Q_OS_UNIX
    if (::geteuid() == 0) {
        return QProcess::execute("chattr", {"+i", path}) == 0;
    }
#endif
    return QFile::setPermissions(path, QFileDevice::ReadOwner);
}

void UnlockFile(const QString& path) {
#ifdef Q_OS_UNIX
    if (::geteuid() == 0) QProcess::execute("chattr", {"-i", path});
#endif
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(CountDriverTest, LockedOutputFileStopsTheRunBeforeCountingWithTheHint) {
    Input("words to count\r\n");
    const QString out = dir.Write("out.txt", "kept");
    if (!LockFile(out)) GTEST_SKIP() << "cannot make a file unwritable here";
    ui.Expect("At DoIt error #70.\r\nDescription: Permission denied");
    run.settings.txbFile[1] = out;
    const RunOutcome outcome = cmdListWords_Click(run);
    UnlockFile(out);
    EXPECT_EQ(outcome, RunOutcome::Failed);
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_EQ(ui.OutputText(),
              QStringLiteral("Error: Permission denied\r\n\r\n"
                             "If the output file is open in Excel then it must first be closed\r\n"
                             "or a different file should be specified as the output file."));
    EXPECT_EQ(run.lngNumWords, 0);
    EXPECT_EQ(TempDir::Read(out), QByteArray("kept"));
    EXPECT_FALSE(RunInProgress(run));
    EXPECT_EQ(ui.phases.back(), RunPhase::Idle);
}

TEST_F(CountDriverTest, OutputFileTestKeepsContentsAndCreatesMissingFiles) {
    const QString existing = dir.Write("existing.txt", "contents");
    EXPECT_EQ(TestOutputFile(existing).number, 0);
    EXPECT_EQ(TempDir::Read(existing), QByteArray("contents"));
    const QString missing = dir.File("new.txt");
    EXPECT_EQ(TestOutputFile(missing).number, 0);
    EXPECT_TRUE(QFile::exists(missing));
    EXPECT_EQ(QFileInfo(missing).size(), 0);
    EXPECT_NE(TestOutputFile(dir.File("no/such/folder/out.txt")).number, 0);
}

TEST_F(CountDriverTest, DisabledOutputFileIsNotTested) {
    Input("words to count\r\n");
    run.settings.txbFile[1] = dir.File("no/such/folder/out.txt");
    run.settings.chkDisableOutputToFile = 1;
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
}

TEST_F(CountDriverTest, Utf8WithSevenBitOnlyIsRefusedInBothWordings) {
    run.settings.chkUTF8 = 1;
    run.settings.chkOnly7bitASCII = 1;
    Input("text\r\n");
    ui.Expect("Scanning as UTF-8 is not compatible with\r\nallowing only 7-bit ASCII characters.");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::NotStarted);
    EXPECT_EQ(ui.shown.back().title, QStringLiteral("Incompatible setting"));
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);

    QByteArray zip("PK\x03\x04", 4);
    zip += QByteArray(60, '\0');
    run.settings.txbFile[0] = dir.Write("letter.docx", zip);
    ui.Expect(
        "Scanning a 'docx' file is not compatible with\r\n"
        "allowing only 7-bit ASCII characters.");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::NotStarted);
    EXPECT_TRUE(ui.AllExpectedShown());
    EXPECT_TRUE(ui.timerEnabled.empty());  // no run started
}

TEST_F(CountDriverTest, WordsToIgnoreWithAForbiddenCharacterShowTheSettingsWindow) {
    Input("words to count\r\n");
    run.settings.txbWordsToIgnore = QStringLiteral("don't");  // apostrophes not allowed
    ui.Expect("'");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::NotStarted);
    EXPECT_EQ(ui.settingsShown, 1);
    EXPECT_EQ(run.lngNumWords, 0);
}

TEST_F(CountDriverTest, EmptyClipboardSwitchesTheSourceToFile) {
    run.settings.optInFile = false;
    ui.Expect("Clipboard is empty.");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::NotStarted);
    EXPECT_TRUE(run.settings.optInFile);
    ASSERT_EQ(ui.sourceSelected.size(), 1u);
    EXPECT_TRUE(ui.sourceSelected[0]);
}

TEST_F(CountDriverTest, ClipboardTextIsCountedAndListed) {
    run.settings.optInFile = false;
    ui.clipboard = QStringLiteral("Rose is a rose\r\nis a ROSE.");
    EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
    EXPECT_TRUE(ui.OutputText().contains(Line(1, 3, "rose")));
    EXPECT_EQ(run.lngNumWords, 1);  // "is" and "a" are shorter than 3 letters
}

TEST_F(CountDriverTest, StoppedTextCountsOneWordInTheSingular) {
    EXPECT_EQ(StoppedText(1), QStringLiteral("Stopped with 1 word found."));
    EXPECT_EQ(StoppedText(25), QStringLiteral("Stopped with 25 words found."));
    EXPECT_EQ(StoppedText(0), QStringLiteral("Stopped with 0 words found."));
}

}  // namespace
}  // namespace lxt
