#include "run/word_table.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <algorithm>
#include <map>
#include <vector>

#include "support/binary_search.h"

using namespace Qt::StringLiterals;

namespace lxt::test {
namespace {

// Fills entries 1..words.size() of a fresh table, each with frequency 1.
qint32 Fill(WordTable& table, const std::vector<QString>& words) {
    table.Recreate();
    for (const QString& w : words) {
        const qint32 i = static_cast<qint32>(&w - words.data()) + 1;
        while (table.UpperIndex() < i) table.Grow();
        table[i].strWord = w;
        table[i].strSortKey = w.toLower();
        table[i].lngFrequency = 1;
        table[i].blnIncluded = true;
    }
    return static_cast<qint32>(words.size());
}

// The order of the first eight code units decides most comparisons: words sharing them,
// shorter words, the code unit 0 and code units above U+7FFF must still sort ordinally.
TEST(WordTableSort, OrdinalOrderWithLongSharedPrefixesAndHighUnits) {
    const QString letters = u"aAbz\u00e9\u0160\u8000\uff21"_s;
    QRandomGenerator random(99);
    std::vector<QString> words;
    for (int n = 0; n < 4000; ++n) {
        // Prefixes of 0 to 12 units from a small set, so that many words share 8 units.
        QString w = QString(u"unterschied"_s).left(static_cast<int>(random.bounded(12)));
        const int tail = static_cast<int>(random.bounded(4));
        for (int i = 0; i < tail; ++i) w += letters[random.bounded(letters.size())];
        if (random.bounded(50) == 0)
            w.insert(static_cast<int>(random.bounded(w.size() + 1)), QChar(0));
        words.push_back(w);
    }
    WordTable table;
    const qint32 count = table.SortByWord(Fill(table, words));

    std::map<std::u16string, qint32> expected;
    for (const QString& w : words) ++expected[w.toStdU16String()];
    ASSERT_EQ(count, static_cast<qint32>(expected.size()));
    qint32 i = 1;
    for (const auto& [word, frequency] : expected) {
        ASSERT_EQ(table[i].strWord, QString::fromStdU16String(word)) << i;
        ASSERT_EQ(table[i].lngFrequency, frequency) << i;
        ASSERT_EQ(table[i].strSortKey, table[i].strWord.toLower()) << i;
        ++i;
    }
    // The entries past the merged ones are emptied, and look-ups find the moved entries.
    EXPECT_TRUE(table[count + 1].strWord.isEmpty());
    EXPECT_EQ(table[count + 1].lngFrequency, 0);
    EXPECT_EQ(table.Lookup(table[count].strWord, count), count);
    EXPECT_EQ(table.Lookup(u"unterschiedzzz"_s, count), 0);
}

TEST(WordTableSort, SortedTableAndSingleEntryStayAsTheyAre) {
    WordTable table;
    EXPECT_EQ(table.SortByWord(Fill(table, {u"only"_s})), 1);
    EXPECT_EQ(table[1].strWord, u"only");
    const qint32 count = table.SortByWord(Fill(table, {u"Zebra"_s, u"apple"_s, u"apples"_s}));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(table[1].strWord, u"Zebra");
    EXPECT_EQ(table[3].strWord, u"apples");
    EXPECT_EQ(table.SortByWord(count), 3);
    EXPECT_EQ(table[2].strWord, u"apple");
}

}  // namespace
}  // namespace lxt::test
