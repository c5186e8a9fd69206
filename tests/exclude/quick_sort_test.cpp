#include "exclude/quick_sort.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <algorithm>

namespace lxt {
namespace {

TEST(QuickSortTest, SortsAscendingByCodeUnitsWithDuplicates) {
    QStringList words{QStringLiteral("the"),   QStringLiteral("and"), QStringLiteral("Zebra"),
                      QStringLiteral("of"),    QStringLiteral("the"), QStringLiteral("été"),
                      QStringLiteral("apple"), QStringLiteral("a")};
    QuickSort(words, 0, words.size() - 1, 1);
    EXPECT_EQ(words,
              (QStringList{QStringLiteral("Zebra"), QStringLiteral("a"), QStringLiteral("and"),
                           QStringLiteral("apple"), QStringLiteral("of"), QStringLiteral("the"),
                           QStringLiteral("the"), QStringLiteral("été")}));
}

TEST(QuickSortTest, AgreesWithAStandardSortOnRandomArrays) {
    QRandomGenerator random(42);
    for (int round = 0; round < 200; ++round) {
        QStringList words;
        const int n = static_cast<int>(random.bounded(0, 60));
        for (int i = 0; i < n; ++i) {
            QString word;
            const int length = static_cast<int>(random.bounded(1, 4));
            for (int k = 0; k < length; ++k)
                word += QChar(u'a' + static_cast<char16_t>(random.bounded(0, 4)));
            words << word;
        }
        QStringList expected = words;
        std::sort(expected.begin(), expected.end());
        if (n > 0) QuickSort(words, 0, words.size() - 1, 1);
        EXPECT_EQ(words, expected) << round;
    }
}

TEST(QuickSortTest, SortsOnlyTheRangeAndFromTheColumn) {
    QStringList words{QStringLiteral("9z"), QStringLiteral("1c"), QStringLiteral("2a"),
                      QStringLiteral("3b"), QStringLiteral("0y")};
    QuickSort(words, 1, 3, 2);  // by the second character, entries 1 to 3 only
    EXPECT_EQ(words, (QStringList{QStringLiteral("9z"), QStringLiteral("2a"), QStringLiteral("3b"),
                                  QStringLiteral("1c"), QStringLiteral("0y")}));
    QStringList one{QStringLiteral("b"), QStringLiteral("a")};
    QuickSort(one, 1, 1, 1);
    QuickSort(one, 1, 0, 1);
    EXPECT_EQ(one, (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
}

}  // namespace
}  // namespace lxt
