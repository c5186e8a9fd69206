#include "results/listed_words_chart.h"

#include <gtest/gtest.h>

#include <cmath>

#include "table_fixture.h"

namespace lxt::test {
namespace {

QStringList BarWords(const ListedWordsChart& chart) {
    QStringList words;
    for (const ChartBar& bar : chart.bars) words << bar.word;
    return words;
}

ListedWordsChart ChartOf(const RunState& run) {
    return ChartListedWords(run.WordTable, run.lngFirstFreq, run.lngNumWordsIncluded);
}

TEST(ListedWordsChart, BarsFollowTheFrequencyListingWithItsExclusionsAndTies) {
    ScriptedUi ui;
    RunState run(ui);
    // Ties of frequency 3 in alphabetical order; "once" falls below the threshold.
    FillTable(run, {{"zeta", 3}, {"alpha", 3}, {"Delta", 9}, {"once", 1}, {"beta", 5}});
    run.settings.chkIgnoreInfrequentWords = 1;
    run.intThresholdFrequency = 2;
    OrderTable(run);
    const ListedWordsChart chart = ChartOf(run);
    EXPECT_EQ(BarWords(chart), (QStringList{"Delta", "beta", "alpha", "zeta"}));
    EXPECT_EQ(chart.bars.front().frequency, 9);
    EXPECT_EQ(chart.numRanks, 4);
    EXPECT_EQ(chart.maxFrequency, 9);
    ASSERT_EQ(chart.curve.size(), 4u);
    EXPECT_EQ(chart.curve[2].rank, 3);
    EXPECT_EQ(chart.curve[2].frequency, 3);
    EXPECT_TRUE(chart.fit.fitted);

    // Nothing listed: an empty chart.
    run.intThresholdFrequency = 10;
    OrderTable(run);
    EXPECT_TRUE(ChartOf(run).IsEmpty());
    EXPECT_TRUE(ChartOf(run).bars.empty());
}

TEST(ListedWordsChart, ThirtyBarsAndTheFitOfEveryRank) {
    ScriptedUi ui;
    RunState run(ui);
    std::vector<std::pair<QString, qint32>> words;
    for (int r = 1; r <= 400; ++r) {
        words.emplace_back(QStringLiteral("w%1").arg(r, 4, 10, QLatin1Char('0')),
                           static_cast<qint32>(std::lround(100000.0 / std::pow(r, 1.1))));
    }
    FillTable(run, words);
    OrderTable(run);
    const ListedWordsChart chart = ChartOf(run);
    ASSERT_EQ(chart.bars.size(), 30u);
    EXPECT_EQ(chart.bars[0].word, QStringLiteral("w0001"));
    EXPECT_EQ(chart.bars[29].word, QStringLiteral("w0030"));
    EXPECT_EQ(chart.curve.size(), 400u);
    EXPECT_NEAR(chart.fit.exponent, 1.1, 1e-3);
    EXPECT_EQ(chart.fit.ranksUsed, 400);
}

TEST(ListedWordsChart, CurveOfManyRanksIsSpreadEvenlyOverLogRank) {
    EXPECT_EQ(SampledRanks(0).size(), 0u);
    EXPECT_EQ(SampledRanks(3), (std::vector<qint32>{1, 2, 3}));
    const std::vector<qint32> ranks = SampledRanks(500000);
    ASSERT_LE(ranks.size(), static_cast<size_t>(kMaxCurvePoints));
    // Near rank 1 several steps meet at one rank, which is kept once.
    EXPECT_GT(ranks.size(), static_cast<size_t>(kMaxCurvePoints) / 2);
    EXPECT_EQ(ranks.front(), 1);
    EXPECT_EQ(ranks.back(), 500000);
    EXPECT_TRUE(std::is_sorted(ranks.begin(), ranks.end()));
    EXPECT_EQ(std::adjacent_find(ranks.begin(), ranks.end()), ranks.end());
    // As many points between ranks 10 and 100 as between 10,000 and 100,000.
    auto between = [&ranks](qint32 lo, qint32 hi) {
        return std::count_if(ranks.begin(), ranks.end(),
                             [lo, hi](qint32 r) { return r > lo && r <= hi; });
    };
    EXPECT_EQ(between(10, 100), 90);  // every rank there
    EXPECT_NEAR(between(10000, 100000), between(1000, 10000), 2);
}

}  // namespace
}  // namespace lxt::test
