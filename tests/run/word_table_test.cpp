#include "run/word_table.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <algorithm>
#include <map>
#include <vector>

#include "support/binary_search.h"
#include "support/narrow_text.h"

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

// A word is known by the same key whether it comes as code units or, when its characters are
// below 256, as one byte each: short words (their own key) and longer ones, at the boundary
// of eight characters, with Latin-1 letters, U+0000 or wider characters; also after the slots
// have grown several times and after the table was sealed and counts again.
TEST(WordTableLookUp, AWordIsFoundWhicheverFormItComesIn) {
    std::vector<QString> words = {u"abc"_s,
                                  u"abcdefg"_s,
                                  u"abcdefgh"_s,
                                  u"abcdefghi"_s,
                                  u"\u00e9t\u00e9"_s,
                                  u"na\u00efve\u00ff"_s,
                                  u"ab"_s + QChar(0) + u"c"_s,
                                  u"\u0436\u0443\u043a"_s,
                                  u"unterschiedlichkeiten"_s};
    QRandomGenerator random(7);
    for (int n = 0; n < 5000; ++n) {
        QString w;
        const int size = 3 + static_cast<int>(random.bounded(15));
        for (int i = 0; i < size; ++i) w += QChar(u'a' + random.bounded(26));
        words.push_back(w);
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    // The bytes of a word below 256 with room after them, or nothing.
    const auto narrow = [](const QString& w) {
        std::vector<unsigned char> bytes(size_t(w.size() + kNarrowRoom), 'z');
        for (qsizetype i = 0; i < w.size(); ++i) {
            if (w[i].unicode() > 0xFF || w[i].unicode() == 0) return std::vector<unsigned char>{};
            bytes[size_t(i)] = static_cast<unsigned char>(w[i].unicode());
        }
        return bytes;
    };
    WordTable table;
    for (const QString& w : words) {
        WordTable::Probe probe = WordTable::MakeProbe(w);
        ASSERT_EQ(table.FindCount(probe), nullptr) << w.toStdString();
        table.Insert(probe);
    }
    for (int round = 0; round < 2; ++round) {
        for (const QString& w : words) {
            qint32* count = table.FindCount(w);
            ASSERT_NE(count, nullptr) << w.toStdString();
            EXPECT_EQ(*count, round + 1);
            std::vector<unsigned char> bytes = narrow(w);
            if (!bytes.empty()) {
                WordTable::NarrowProbe probe = WordTable::MakeProbe(bytes.data(), w.size());
                ASSERT_EQ(table.FindCount(probe), count) << w.toStdString();
                // One character less or more is another word.
                probe = WordTable::MakeProbe(bytes.data(), w.size() - 1);
                const qint32* shorter = table.FindCount(probe);
                EXPECT_TRUE(shorter == nullptr || table.FindCount(w.chopped(1)) == shorter);
                bytes[size_t(w.size())] = '!';
                probe = WordTable::MakeProbe(bytes.data(), w.size() + 1);
                EXPECT_EQ(table.FindCount(probe), nullptr) << w.toStdString();
            }
            ++*count;
        }
        // Sealed, then counting again: the words come back from their entries.
        EXPECT_EQ(table.SortByWord(), static_cast<qint32>(words.size()));
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
