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

// Dropped words sit in slots of their own among the counted ones (through the slots' growth),
// are found with the count kDropped, are no entries, and go when forgotten or sealed.
TEST(WordTableDropped, DroppedWordsAreFoundButAreNoEntries) {
    WordTable table;
    const auto add = [&table](const QString& word, bool dropped) {
        WordTable::Probe probe = WordTable::MakeProbe(word);
        ASSERT_EQ(table.FindCount(probe), nullptr) << word.toStdString();
        dropped ? table.InsertDropped(probe) : table.Insert(probe);
    };
    for (int i = 0; i < 3000; ++i) add(u"w"_s + QString::number(i), i % 3 == 0);
    table.InsertDropped(WordTable::MakeProbe(u"w1"_s));  // held already: nothing happens
    EXPECT_EQ(table.Count(), 2000);
    EXPECT_EQ(*table.FindCount(u"w0"_s), WordTable::kDropped);
    EXPECT_EQ(*table.FindCount(u"w2997"_s), WordTable::kDropped);
    EXPECT_EQ(*table.FindCount(u"w1"_s), 1);

    table.ForgetDropped();
    EXPECT_EQ(table.FindCount(u"w0"_s), nullptr);
    EXPECT_EQ(table.FindCount(u"w2997"_s), nullptr);
    for (int i = 1; i < 3000; i += 3)
        ASSERT_NE(table.FindCount(u"w"_s + QString::number(i)), nullptr);
    EXPECT_EQ(table.Count(), 2000);

    add(u"w0"_s, true);
    add(u"new"_s, false);
    EXPECT_EQ(table.SortByWord(), 2001);
    EXPECT_EQ(table[1].Word(), u"new");
    EXPECT_EQ(table[2].Word(), u"w1");
    EXPECT_EQ(table.FindCount(u"w0"_s), nullptr);  // back to counting, without the dropped
    EXPECT_EQ(table.Count(), 2001);
}

}  // namespace
}  // namespace lxt::test
