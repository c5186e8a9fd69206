#include "support/binary_search.h"

#include <gtest/gtest.h>

namespace lxt {
namespace {

TEST(FindString, PositionsOfHitsAndInsertionPoints) {
    const QStringList words = {QStringLiteral("Bee"), QStringLiteral("ant"), QStringLiteral("bee"),
                               QStringLiteral("cow"), QStringLiteral("dog")};
    EXPECT_EQ(FindString(u"Ant", words, 5, 1).position, -1);
    EXPECT_EQ(FindString(u"zoo", words, 5, 1).position, -6);
    EXPECT_EQ(FindString(u"bat", words, 5, 1).position, -3);
    for (qint32 i = 1; i <= 5; ++i) {
        const SearchResult r = FindString(words[i - 1], words, 5, 1);
        EXPECT_TRUE(r.found);
        EXPECT_EQ(r.position, i);
    }
    EXPECT_FALSE(FindString(u"dog", words, 4, 1).found);  // only elements 1..count
    EXPECT_EQ(FindString(u"dog", words, 4, 1).position, -5);
}

TEST(FindString, EmptyAndSingleArrays) {
    EXPECT_EQ(FindString(u"a", QStringList(), 0, 1).position, -1);
    const QStringList one = {QStringLiteral("m")};
    EXPECT_EQ(FindString(u"m", one, 1, 1).position, 1);
    EXPECT_EQ(FindString(u"a", one, 1, 1).position, -1);
    EXPECT_EQ(FindString(u"z", one, 1, 1).position, -2);
}

TEST(FindString, ComparesFromTheStartCharacter) {
    const QStringList keyed = {QStringLiteral("9|apple"), QStringLiteral("1|mango"),
                               QStringLiteral("5|pear")};
    EXPECT_EQ(FindString(u"mango", keyed, 3, 3).position, 2);
    EXPECT_EQ(FindString(u"kiwi", keyed, 3, 3).position, -2);
}

TEST(FindString, OrdinalOrderOfCodeUnits) {
    // U+FF21 (fullwidth A) sorts after the surrogate U+D83D by code unit.
    const QStringList list = {QStringLiteral("a"), QString(QChar(0xD83D)), QString(QChar(0xFF21))};
    EXPECT_EQ(FindString(QString(QChar(0xD83D)), list, 3, 1).position, 2);
    EXPECT_EQ(FindString(QString(QChar(0xE000)), list, 3, 1).position, -3);
    EXPECT_LT(CompareOrdinal(u"B", u"a"), 0);
}

}  // namespace
}  // namespace lxt
