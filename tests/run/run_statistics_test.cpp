#include "run/run_statistics.h"

#include <gtest/gtest.h>

#include "common/scripted_ui.h"
#include "run/run_state.h"

namespace lxt {
namespace {

using test::ScriptedUi;

struct StatisticsFixture : ::testing::Test {
    ScriptedUi ui;
    RunState run{ui};
};

TEST_F(StatisticsFixture, NumbersLineUpOneWiderThanTheGroupedTotal) {
    run.lngTotalNumOccurrences = 1234567;  // "1,234,567": 9 characters, field of 10
    run.lngNumWordsIncluded = 523;
    run.lngNumWordsExcluded = 12;
    run.lngNumOccurrences = 1000000;
    ShowRunStatistics(run);
    EXPECT_EQ(ui.labels[UiLabel::NumberOfWords],
              QStringLiteral("Number of words in this list:") + QString(7, u' ') + "523");
    EXPECT_EQ(ui.labels[UiLabel::NumWordsExcluded],
              QStringLiteral("Number of words ignored:") + QString(8, u' ') + "12");
    EXPECT_EQ(ui.labels[UiLabel::NumOccurrences],
              QStringLiteral("Number of instances of words in this list: 1,000,000"));
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences],
              QStringLiteral("Total number of instances of words: 1,234,567"));
    for (UiLabel label : {UiLabel::NumberOfWords, UiLabel::NumWordsExcluded,
                          UiLabel::NumOccurrences, UiLabel::TotalNumOccurrences}) {
        EXPECT_TRUE(ui.labelVisible[label]);
    }
}

TEST_F(StatisticsFixture, ExcludedLabelNamesOtherExclusionsWhenThereAreAny) {
    run.lngTotalNumOccurrences = 5;
    run.strWordsToIgnore = QStringLiteral(" the ");
    ShowRunStatistics(run);
    EXPECT_TRUE(ui.labels[UiLabel::NumWordsExcluded].startsWith(
        "No. of words ignored (other than common words):"));

    run.strWordsToIgnore.clear();
    run.settings.chkIgnoreCommonWords = 1;
    ShowRunStatistics(run);
    EXPECT_TRUE(ui.labels[UiLabel::NumWordsExcluded].startsWith(
        "No. of words ignored (other than common words):"));

    run.settings.chkIgnoreCommonWords = 0;
    ShowRunStatistics(run);
    EXPECT_EQ(ui.labels[UiLabel::NumWordsExcluded], QStringLiteral("Number of words ignored: 0"));
}

TEST_F(StatisticsFixture, InterruptedCountLeavesOccurrenceLabelsVisibleButEmpty) {
    run.lngTotalNumOccurrences = 40;
    run.lngNumWordsIncluded = 25;
    run.lngNumOccurrences = 40;
    run.blnRunInterrupted = true;
    ui.ResumeElapsedTime();
    ShowRunStatistics(run);
    EXPECT_EQ(ui.labels[UiLabel::NumOccurrences], QString());
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences], QString());
    EXPECT_TRUE(ui.labelVisible[UiLabel::NumOccurrences]);
    EXPECT_TRUE(ui.labelVisible[UiLabel::TotalNumOccurrences]);
    EXPECT_FALSE(ui.ElapsedTimeRunning());
    EXPECT_FALSE(ui.progressBarLook);
}

TEST_F(StatisticsFixture, NoInstancesLabelWhenNothingIsListed) {
    run.lngTotalNumOccurrences = 7;
    run.lngNumOccurrences = 0;
    ShowRunStatistics(run);
    EXPECT_EQ(ui.labels[UiLabel::NumOccurrences], QString());
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences],
              QStringLiteral("Total number of instances of words: 7"));
}

TEST_F(StatisticsFixture, TimerTicksOnlyWhileTheElapsedTimeRuns) {
    run.lngNumWords = 1234;
    Timer2_Timer(run);
    EXPECT_EQ(ui.SecondsElapsed(), 0);
    EXPECT_TRUE(ui.labels.empty());

    RunElapsedTimeTo(ui, 3);
    Timer2_Timer(run);
    EXPECT_EQ(ui.SecondsElapsed(), 4);
    EXPECT_EQ(ui.labels[UiLabel::TimeElapsed], QStringLiteral("Time elapsed: 4s"));
    EXPECT_EQ(ui.labels[UiLabel::NumberOfWords],
              QStringLiteral("Number of different words found so far: 1,234"));

    RunElapsedTimeTo(ui, 3600 * 3 + 44 * 60 + 21);
    Timer2_Timer(run);
    EXPECT_EQ(ui.labels[UiLabel::TimeElapsed], QStringLiteral("Time elapsed: 3h 44m 22s"));
}

TEST_F(StatisticsFixture, ClipboardRunShowsNoElapsedTime) {
    run.settings.optInFile = false;
    ui.ResumeElapsedTime();
    run.lngNumWords = 7;
    Timer2_Timer(run);
    Timer2_Timer(run);
    EXPECT_EQ(ui.SecondsElapsed(), 2);
    EXPECT_EQ(ui.labels.count(UiLabel::TimeElapsed), 0u);
    EXPECT_EQ(ui.labels[UiLabel::NumberOfWords],
              QStringLiteral("Number of different words found so far: 7"));
}

TEST_F(StatisticsFixture, ConcealHidesTheFourLabelsAndOptionallyTheTime) {
    ui.SetLabel(UiLabel::TimeElapsed, QStringLiteral("Time elapsed: 9s"));
    ConcealNumWords(run, false);
    for (UiLabel label : {UiLabel::NumberOfWords, UiLabel::NumWordsExcluded,
                          UiLabel::NumOccurrences, UiLabel::TotalNumOccurrences}) {
        EXPECT_FALSE(ui.labelVisible[label]);
    }
    EXPECT_EQ(ui.labels[UiLabel::TimeElapsed], QStringLiteral("Time elapsed: 9s"));
    ConcealNumWords(run, true);
    EXPECT_EQ(ui.labels[UiLabel::TimeElapsed], QString());
}

}  // namespace
}  // namespace lxt
