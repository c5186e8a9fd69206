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
void Fill(WordTable& table, const std::vector<QString>& words) {
    table.Recreate();
    for (const QString& w : words) table.Append(w, 1);
}

// The order of the first code units (eight, or sixteen when every unit is below 256) decides
// most comparisons: words sharing them, shorter words, the code unit 0 and code units above
// U+7FFF must still sort ordinally, in small tables and in tables large enough to be spread
// into buckets first, with equal words merged.
TEST(WordTableSort, OrdinalOrderWithLongSharedPrefixesAndHighUnits) {
    struct Case {
        QString letters;
        int words;
    };
    for (const Case& c :
         {Case{u"aAbz\u00e9\u0160\u8000\uff21"_s, 4000}, Case{u"aAbz\u00e9\u00ff"_s, 4000},
          Case{u"aAbz\u00e9\u0160\u8000\uff21"_s, 70000}, Case{u"aAbz\u00e9\u00ff"_s, 70000}}) {
        QRandomGenerator random(99);
        std::vector<QString> words;
        for (int n = 0; n < c.words; ++n) {
            // Prefixes of 0 to 19 units from a small set, so that many words share 8 or 16
            // units.
            QString w =
                QString(u"unterschiedlichkeit"_s).left(static_cast<int>(random.bounded(20)));
            // Half of them after a letter, so that the words start differently.
            if (random.bounded(2) == 0) w.prepend(c.letters[random.bounded(c.letters.size())]);
            const int tail = static_cast<int>(random.bounded(4));
            for (int i = 0; i < tail; ++i) w += c.letters[random.bounded(c.letters.size())];
            if (random.bounded(50) == 0)
                w.insert(static_cast<int>(random.bounded(w.size() + 1)), QChar(0));
            words.push_back(w);
        }
        WordTable table;
        Fill(table, words);
        const qint32 count = table.SortByWord();

        std::map<std::u16string, qint32> expected;
        for (const QString& w : words) ++expected[w.toStdU16String()];
        ASSERT_EQ(count, static_cast<qint32>(expected.size())) << c.words;
        qint32 i = 1;
        for (const auto& [word, frequency] : expected) {
            ASSERT_EQ(table[i].Word(), QString::fromStdU16String(word)) << i;
            ASSERT_EQ(table[i].frequency, frequency) << i;
            ASSERT_TRUE(table[i].included) << i;
            ++i;
        }
        // The merged entries are gone, and counting goes on from the sealed words.
        EXPECT_EQ(table.Count(), count);
        const QString last = table[count].Word().toString();
        const qint32 lastFrequency = table[count].frequency;
        ASSERT_NE(table.FindCount(last), nullptr);
        EXPECT_EQ(*table.FindCount(last), lastFrequency);
        EXPECT_EQ(table.FindCount(u"unterschiedq"_s), nullptr);  // no q among the letters
    }
}

TEST(WordTableSort, SortedTableAndSingleEntryStayAsTheyAre) {
    WordTable table;
    Fill(table, {u"only"_s});
    EXPECT_EQ(table.SortByWord(), 1);
    EXPECT_EQ(table[1].Word(), u"only");
    Fill(table, {u"Zebra"_s, u"apple"_s, u"apples"_s});
    const qint32 count = table.SortByWord();
    ASSERT_EQ(count, 3);
    EXPECT_EQ(table[1].Word(), u"Zebra");
    EXPECT_EQ(table[3].Word(), u"apples");
    EXPECT_EQ(table.SortByWord(), 3);
    EXPECT_EQ(table[2].Word(), u"apple");
}

}  // namespace
}  // namespace lxt::test
