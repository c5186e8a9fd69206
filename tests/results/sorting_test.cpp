#include "results/sorting.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <algorithm>
#include <functional>

#include "common/scripted_ui.h"
#include "run/run_state.h"
#include "table_fixture.h"

namespace lxt::test {
namespace {

// A plain quicksort that recurses into both parts, on (key, word) pairs: the reference.
void ReferenceQuickSort(std::vector<std::pair<QString, QString>>& a, int lo, int hi, int start) {
    if (lo >= hi) return;
    auto key = [&](int k) { return a[k].first.mid(start - 1); };
    int i = lo, j = hi;
    const QString pivot = key(lo + (hi - lo) / 2);
    while (i <= j) {
        while (i < hi && key(i) < pivot) ++i;
        while (j > lo && key(j) > pivot) --j;
        if (i <= j) {
            if (i < j) std::swap(a[i], a[j]);
            ++i;
            --j;
        }
    }
    if (lo < j) ReferenceQuickSort(a, lo, j, start);
    if (i < hi) ReferenceQuickSort(a, i, hi, start);
}

// A plain quadratic ranking and linking: the reference.
struct FrequencyOrder {
    std::vector<qint32> rank, next;
    qint32 first = 0;
};
FrequencyOrder ReferenceOrder(const RunState& run) {
    FrequencyOrder o;
    const qint32 n = run.lngNumWords;
    o.rank.assign(n + 1, 0);
    o.next.assign(n + 1, 0);
    qint32 r = 0;
    for (qint32 f = run.lngMaxFrequency; f >= 1; --f) {
        for (qint32 j = 1; j <= n; ++j) {
            if (run.WordTable[j].included && run.WordTable[j].frequency == f) {
                o.rank[j] = ++r;
                if (r == 1) o.first = j;
            }
        }
    }
    if (o.first == 0) return o;
    qint32 prev = o.first;
    r = 1;
    for (;;) {
        for (qint32 j = 1; j <= n; ++j) {
            if (o.rank[j] == r + 1) {
                o.next[prev] = j;
                prev = j;
                break;
            }
        }
        if (r == run.lngNumWordsIncluded) break;
        ++r;
    }
    return o;
}

QString RandomWord(QRandomGenerator& rng, int alphabet) {
    static const QString letters = QStringLiteral("aAbBeEéÉüÜuUßs");
    QString w;
    const int len = rng.bounded(1, 4);
    for (int k = 0; k < len; ++k)
        w += letters.at(rng.bounded(std::min(alphabet, int(letters.size()))));
    return w;
}

TEST(SortWordTable, EqualKeysEndWhereTheQuicksortLeavesThem) {
    ScriptedUi ui;
    RunState run(ui);
    // Ordinal order as a count leaves it; the keys are apple, mueller, mueller, apple.
    FillTable(run, {{"Apple", 1}, {"Mueller", 1}, {"Müller", 1}, {"apple", 1}});
    SortWordTable(run, 1, run.lngNumWords, 1);
    EXPECT_EQ(TableWords(run), QStringList({"apple", "Apple", "Müller", "Mueller"}));
}

TEST(SortWordTable, FoldedKeysPutAccentedAndCapitalWordsInPlace) {
    ScriptedUi ui;
    RunState run(ui);
    FillTable(run, {{"Zebra", 1}, {"apple", 1}, {"Éclair", 1}, {"Straße", 1}, {"strass", 1}});
    SortWordTable(run, 1, run.lngNumWords, 1);
    EXPECT_EQ(TableWords(run), QStringList({"apple", "Éclair", "strass", "Straße", "Zebra"}));
    // Whole entries move: frequencies and flags travel with their words.
    FillTable(run, {{"b", 7}, {"a", 3}});
    run.WordTable[1].included = false;
    SortWordTable(run, 1, 2, 1);
    EXPECT_EQ(run.WordTable[1].Word(), u"a");
    EXPECT_EQ(run.WordTable[1].frequency, 3);
    EXPECT_TRUE(run.WordTable[1].included);
    EXPECT_EQ(run.WordTable[2].frequency, 7);
    EXPECT_FALSE(run.WordTable[2].included);
}

TEST(SortWordTable, MatchesTheDescribedQuicksortOnRandomTables) {
    QRandomGenerator rng(4711);
    for (int round = 0; round < 300; ++round) {
        ScriptedUi ui;
        RunState run(ui);
        const int n = rng.bounded(0, round < 250 ? 40 : 3000);
        const int start = round % 5 == 0 ? 2 : 1;
        std::vector<std::pair<QString, qint32>> words;
        std::vector<std::pair<QString, QString>> reference(1);
        // Keys with many ties: short words from few letters, in both cases, with and
        // without accents and umlauts.
        for (int k = 0; k < n; ++k) {
            const QString w = RandomWord(rng, round % 3 == 0 ? 4 : 14);
            words.push_back({w, 1});
            reference.push_back({FoldedKey(w), w});
        }
        FillTable(run, words);
        SortWordTable(run, 1, n, start);
        ReferenceQuickSort(reference, 1, n, start);
        for (int k = 1; k <= n; ++k) {
            ASSERT_EQ(run.WordTable[k].Word(), reference[k].second) << "round " << round;
        }
    }
}

TEST(InclusionAndStatistics, ThresholdExcludesWordsSeenFewerTimes) {
    ScriptedUi ui;
    RunState run(ui);
    FillTable(run, {{"alpha", 4}, {"be", 1}, {"extraordinary", 1}, {"gamma", 2}});
    run.settings.chkIgnoreInfrequentWords = 1;
    run.intThresholdFrequency = 2;
    MarkIncludedWords(run);
    ComputeWordStatistics(run);
    EXPECT_FALSE(run.WordTable[2].included);
    EXPECT_FALSE(run.WordTable[3].included);
    EXPECT_EQ(run.lngNumWordsIncluded, 2);
    EXPECT_EQ(run.lngNumWordsExcluded, 2);
    EXPECT_EQ(run.lngNumOccurrences, 6);
    EXPECT_EQ(run.lngMaxFrequency, 4);
    EXPECT_EQ(run.intMaxWordLengthFound, 5);  // "extraordinary" is excluded
    OrderByFrequency(run);
    EXPECT_EQ(run.WordTable[2].rank, 0);
    EXPECT_EQ(run.WordTable[3].next, 0);

    // Unticked, every word is included again, whatever the threshold.
    run.settings.chkIgnoreInfrequentWords = 0;
    MarkIncludedWords(run);
    ComputeWordStatistics(run);
    EXPECT_EQ(run.lngNumWordsIncluded, 4);
    EXPECT_EQ(run.intMaxWordLengthFound, 13);
}

TEST(InclusionAndStatistics, LengthIsOfTheWordNotTheKey) {
    ScriptedUi ui;
    RunState run(ui);
    FillTable(run, {{"Straße", 1}});  // key "strasse" is one longer
    MarkIncludedWords(run);
    ComputeWordStatistics(run);
    EXPECT_EQ(run.intMaxWordLengthFound, 6);
}

TEST(OrderByFrequency, EqualFrequenciesFollowAlphabeticalOrder) {
    ScriptedUi ui;
    RunState run(ui);
    FillTable(run, {{"cat", 3}, {"dog", 5}, {"ant", 3}});
    OrderTable(run);
    ASSERT_EQ(TableWords(run), QStringList({"ant", "cat", "dog"}));
    EXPECT_EQ(run.lngFirstFreq, 3);
    EXPECT_EQ(run.WordTable[3].rank, 1);
    EXPECT_EQ(run.WordTable[1].rank, 2);
    EXPECT_EQ(run.WordTable[2].rank, 3);
    EXPECT_EQ(run.WordTable[3].next, 1);
    EXPECT_EQ(run.WordTable[1].next, 2);
    EXPECT_EQ(run.WordTable[2].next, 0);
}

TEST(OrderByFrequency, NothingIncludedLeavesNoChain) {
    ScriptedUi ui;
    RunState run(ui);
    FillTable(run, {{"one", 1}, {"two", 1}});
    run.WordTable[1].rank = 9;  // left over from an earlier order
    run.WordTable[1].next = 2;
    run.settings.chkIgnoreInfrequentWords = 1;
    run.intThresholdFrequency = 3;
    OrderTable(run);
    EXPECT_EQ(run.lngFirstFreq, 0);
    EXPECT_EQ(run.lngNumWordsIncluded, 0);
    EXPECT_EQ(run.WordTable[1].rank, 0);
    EXPECT_EQ(run.WordTable[1].next, 0);
    // No words at all.
    FillTable(run, {});
    OrderTable(run);
    EXPECT_EQ(run.lngFirstFreq, 0);
}

TEST(OrderByFrequency, MatchesTheDescribedRankingAndLinkingOnRandomTables) {
    QRandomGenerator rng(1234);
    for (int round = 0; round < 200; ++round) {
        ScriptedUi ui;
        RunState run(ui);
        const int n = rng.bounded(0, 300);
        std::vector<std::pair<QString, qint32>> words;
        for (int k = 0; k < n; ++k) {
            words.push_back({RandomWord(rng, 14) + QString::number(k), rng.bounded(1, 8)});
        }
        FillTable(run, words);
        run.settings.chkIgnoreInfrequentWords = round % 2;
        run.intThresholdFrequency = rng.bounded(2, 6);
        OrderTable(run);
        const FrequencyOrder expected = ReferenceOrder(run);
        ASSERT_EQ(run.lngFirstFreq, expected.first);
        for (qint32 j = 1; j <= n; ++j) {
            ASSERT_EQ(run.WordTable[j].rank, expected.rank[j]) << "round " << round;
            ASSERT_EQ(run.WordTable[j].next, expected.next[j]) << "round " << round;
        }
    }
}

TEST(OrderByFrequency, ProgressTrailEveryThousandLinks) {
    for (const auto& [count, trail] :
         std::vector<std::pair<int, QString>>{{2500, " . ."}, {999, ""}, {1000, " ."}, {1, ""}}) {
        ScriptedUi ui;
        RunState run(ui);
        run.blnStartUpCompleted = true;
        std::vector<std::pair<QString, qint32>> words;
        for (int k = 0; k < count; ++k) words.push_back({QStringLiteral("w%1").arg(k), 1 + k % 7});
        FillTable(run, words);
        MarkIncludedWords(run);
        ComputeWordStatistics(run);
        ui.OutputReplace(QStringLiteral("Ordering ..."));
        OrderByFrequency(run);
        EXPECT_EQ(ui.OutputText(), QStringLiteral("Ordering ...") + trail) << count << " words";
        EXPECT_GE(ui.doEventsCalls, 1);
    }
}

}  // namespace
}  // namespace lxt::test
