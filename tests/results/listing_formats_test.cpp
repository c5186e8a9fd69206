#include "results/listing_formats.h"

#include <gtest/gtest.h>

#include "common/scripted_ui.h"
#include "run/run_state.h"
#include "table_fixture.h"

namespace lxt::test {
namespace {

TEST(ListChoices, TextsOfTheThreeLists) {
    EXPECT_EQ(WordOrderChoices(), QStringList({"by frequency", "alphabetical"}));
    const QStringList formats = DisplayFormatChoices();
    ASSERT_EQ(formats.size(), kNumDisplayFormats);
    EXPECT_EQ(formats.at(0), "rank frequency word");
    EXPECT_EQ(formats.at(1), "rank word frequency");
    EXPECT_EQ(formats.at(4), "frequency rank");
    EXPECT_EQ(formats.at(7), "word frequency");
    EXPECT_EQ(formats.at(9), "word (+ commas)");
    EXPECT_EQ(ThresholdChoices(), QStringList({"2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST(ColumnWidths, DigitsOfTheCountsWithASixCharacterMinimum) {
    ScriptedUi ui;
    RunState run(ui);
    run.lngNumWordsIncluded = 1234567;
    run.lngMaxFrequency = 12345678;
    run.intMaxWordLengthFound = 3;
    LineStyle style = ColumnWidthsFor(run, 0, false);
    EXPECT_EQ(run.intRankWidth, 7);
    EXPECT_EQ(run.intFreqWidth, 8);
    EXPECT_EQ(style.intWordWidth, 6);
    run.lngNumWordsIncluded = 9;
    run.lngMaxFrequency = 999999;
    run.intMaxWordLengthFound = 14;
    style = ColumnWidthsFor(run, 0, false);
    EXPECT_EQ(run.intRankWidth, 6);
    EXPECT_EQ(run.intFreqWidth, 6);
    EXPECT_EQ(style.intWordWidth, 14);
}

class Formats : public ::testing::Test {
  protected:
    Formats() : run(ui) {
        FillTable(run, {{"alpha", 7}, {"beta", 3}});
        OrderTable(run);  // alpha is entry 1, rank 1
    }
    QString Line(int format, bool commas, qint32 i) {
        const LineStyle style = ColumnWidthsFor(run, format, commas);
        return BuildLine(run, i, style);
    }
    ScriptedUi ui;
    RunState run;
};

TEST_F(Formats, BlankLayoutOfAllTenFormats) {
    const QStringList headers = {
        "   Rank    Freq  Word (longest has 5 characters)",
        "   Rank  Word      Freq",
        "   Rank    Freq",
        "   Rank  Word (longest has 5 characters)",
        "   Freq    Rank",
        "    Freq  Word (longest has 5 characters)",
        "  Word     Rank",
        "  Word     Freq",
        "Word (longest has 5 characters)",
        "Word (longest has 5 characters)",
    };
    const QStringList lines = {
        "      1       7  alpha",
        "      1  alpha        7",
        "      1       7",
        "      1  alpha",
        "      7       1",
        "       7  alpha",
        "  alpha       1",
        "  alpha       7",
        "alpha",
        "alpha",
    };
    for (int f = 0; f < kNumDisplayFormats; ++f) {
        EXPECT_EQ(Line(f, false, 0), headers.at(f)) << "format " << f;
        EXPECT_EQ(Line(f, false, 1), lines.at(f)) << "format " << f;
    }
}

TEST_F(Formats, CommaLayoutOfAllTenFormats) {
    const QStringList headers = {
        "    Rank,    Freq,  Word (longest has 5 characters)",
        "    Rank,  Word,   Freq",
        "    Rank,    Freq",
        "    Rank,  Word (longest has 5 characters)",
        "    Freq,    Rank",
        "    Freq,  Word (longest has 5 characters)",
        "  Word,   Rank",
        "  Word,   Freq",
        "Word (longest has 5 characters)",
        "Word (longest has 5 characters)",
    };
    const QStringList lines = {
        "       1,       7,  alpha",
        "       1,  alpha,      7",
        "       1,       7",
        "       1,  alpha",
        "       7,       1",
        "       7,  alpha",
        "  alpha,      1",
        "  alpha,      7",
        "alpha",
        "alpha",
    };
    for (int f = 0; f < kNumDisplayFormats; ++f) {
        EXPECT_EQ(Line(f, true, 0), headers.at(f)) << "format " << f;
        EXPECT_EQ(Line(f, true, 1), lines.at(f)) << "format " << f;
    }
}

TEST_F(Formats, LargeFiguresAndPaddedWords) {
    // A word surrounded by blanks is listed without them; format 8 has none at either end.
    FillTable(run, {{"the", 523}, {" cat ", 2}});
    OrderTable(run);
    run.intMaxWordLengthFound = 5;  // as when a longer word was listed too
    EXPECT_EQ(Line(0, false, 0), "   Rank    Freq  Word (longest has 5 characters)");
    EXPECT_EQ(Line(0, false, 2), "      1     523  the");
    EXPECT_EQ(Line(8, false, 1), "cat");
    EXPECT_EQ(Line(3, false, 1), "      2  cat");
    EXPECT_EQ(Line(7, true, 1), "  cat,      2");
    // Widths grow past the minimum with the figures.
    run.lngNumWordsIncluded = 1234567;
    run.WordTable[2].rank = 1234567;
    run.WordTable[2].frequency = 12345678;
    run.lngMaxFrequency = 12345678;
    EXPECT_EQ(Line(4, false, 0), "     Freq     Rank");
    EXPECT_EQ(Line(4, false, 2), " 12345678  1234567");
}

}  // namespace
}  // namespace lxt::test
