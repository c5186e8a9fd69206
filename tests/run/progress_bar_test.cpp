#include "run/progress_bar.h"

#include <gtest/gtest.h>

#include "common/scripted_ui.h"
#include "run/run_state.h"

namespace lxt {
namespace {

TEST(ProgressBarTest, PositionRoundsHalvesToEven) {
    EXPECT_EQ(ProgressBarPosition(0, 100), 0);
    EXPECT_EQ(ProgressBarPosition(100, 100), 37);
    // 37 × 1 ÷ 2 = 18.5 → 18; 37 × 3 ÷ 2 = 55.5 → 56.
    EXPECT_EQ(ProgressBarPosition(1, 2), 18);
    EXPECT_EQ(ProgressBarPosition(3, 2), 56);
    // 37 × 5 ÷ 74 = 2.5 → 2; 37 × 7 ÷ 74 = 3.5 → 4.
    EXPECT_EQ(ProgressBarPosition(5, 74), 2);
    EXPECT_EQ(ProgressBarPosition(7, 74), 4);
    EXPECT_EQ(ProgressBarPosition(51, 100), 19);  // 18.87
    EXPECT_EQ(ProgressBarPosition(5, 0), 0);
    // Large files do not overflow.
    EXPECT_EQ(ProgressBarPosition(3'000'000'000LL, 6'000'000'000LL), 18);
}

TEST(ProgressBarTest, BarTexts) {
    EXPECT_EQ(ProgressBarText(0), "[>" + QString(37, u' ') + "]");
    EXPECT_EQ(ProgressBarText(1), "[>" + QString(36, u' ') + "]");
    EXPECT_EQ(ProgressBarText(10), "[" + QString(9, u'-') + ">" + QString(27, u' ') + "]");
    EXPECT_EQ(ProgressBarText(37), "[" + QString(36, u'-') + ">]");
    EXPECT_EQ(ProgressBarText(39), "[" + QString(38, u'-') + ">]");
}

TEST(ProgressBarTest, LabelProcedures) {
    test::ScriptedUi ui;
    RunState run(ui);
    SetTotalNumOccurrencesForFileProgressBar(run);
    EXPECT_TRUE(ui.progressBarLook);
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences], "[" + QString(37, u' ') + "]");
    EXPECT_EQ(UpdateProgressBar(run, 5, 100, 200), -1);  // below the minimum: nothing drawn
    EXPECT_EQ(ui.labelHistory[UiLabel::TotalNumOccurrences].size(), 1);
    EXPECT_EQ(UpdateProgressBar(run, 50, 100, 0), 18);
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences], ProgressBarText(18));
    RestoreTotalLabel(run);
    EXPECT_FALSE(ui.progressBarLook);
    EXPECT_EQ(ui.labels[UiLabel::TotalNumOccurrences], "");
}

}  // namespace
}  // namespace lxt
