#include "scan/scan_options.h"

#include <gtest/gtest.h>

#include "scan/scan_fixture.h"

namespace lxt::test {
namespace {

TEST(ScanOptions, ClassByteDecidesLetters) {
    EXPECT_TRUE(IsWordChar(QChar(u'a'), u"", false));
    EXPECT_TRUE(IsWordChar(QChar(u'š'), u"", false));   // U+0161, class byte 97
    EXPECT_TRUE(IsWordChar(QChar(u'œ'), u"", false));   // U+0153, class byte 83
    EXPECT_FALSE(IsWordChar(QChar(u'Š'), u"", false));  // U+0160, class byte 96
    EXPECT_FALSE(IsWordChar(QChar(u'×'), u"", false));
    EXPECT_FALSE(IsWordChar(QChar(u'÷'), u"", false));
    EXPECT_TRUE(IsWordChar(QChar(u'ß'), u"", false));
    EXPECT_FALSE(IsWordChar(QChar(u'7'), u"", false));
    EXPECT_TRUE(IsWordChar(QChar(u'7'), u"", true));
    EXPECT_TRUE(IsWordChar(QChar(u'7'), u"0123456789", false));
    // A character that Windows-1252 lacks is a word character when it is a letter, whatever
    // its class byte: U+4E2D (class byte 45, the hyphen) and Cyrillic "Д" (20) and "д" (52)
    // are letters, U+222D (45) is a symbol, U+0301 a combining mark that needs a letter
    // before it, and U+0091 (145, a left quote when apostrophes are allowed) a control.
    EXPECT_TRUE(IsWordChar(QChar(0x4E2D), u"", false));
    EXPECT_TRUE(IsWordChar(QChar(u'Д'), u"", false));
    EXPECT_TRUE(IsWordChar(QChar(u'д'), u"", false));
    EXPECT_FALSE(IsWordChar(QChar(0x222D), u"-", false));
    EXPECT_FALSE(IsWordChar(QChar(0x0301), u"", false));
    EXPECT_FALSE(IsWordChar(QChar(0x0091), u"'\u2018", false));
    // The Windows-1252 characters beyond U+00FF keep the class-byte rule: "ˆ" (198) is a
    // letter, "‰" (48) a digit, "€" (172) neither.
    EXPECT_TRUE(IsWordChar(QChar(0x02C6), u"", false));
    EXPECT_TRUE(IsWordChar(QChar(0x2030), u"", true));
    EXPECT_FALSE(IsWordChar(QChar(0x20AC), u"", false));
}

TEST(ScanOptions, TableAgreesWithTheTestForEveryCharacter) {
    const QString extra = QStringLiteral("-'\u2018019");
    const WordCharTable table(extra, false);
    for (int code = 0; code < 0x10000; code += 7) {
        ASSERT_EQ(table(QChar(char16_t(code))), IsWordChar(QChar(char16_t(code)), extra, false))
            << code;
    }
}

TEST(ScanOptions, ExtraCharsFollowTheCheckBoxes) {
    Settings s;
    EXPECT_EQ(ExtraChars(s), u"-");
    s.chkAllowWordsWithApostrophes = 1;
    s.chkAllowWordsWithNumerals = 1;
    EXPECT_EQ(ExtraChars(s), QStringLiteral("-'\u20180123456789"));
    s.chkAllowWordsWithHyphens = 0;
    s.chkAllowWordsWithApostrophes = 0;
    s.chkAllowWordsWithNumerals = 0;
    EXPECT_TRUE(ExtraChars(s).isEmpty());
}

TEST(ScanOptions, StartCharsDropProhibitedCharacters) {
    EXPECT_EQ(StartChars(u"-", u"-'.:,()+"), u"");
    EXPECT_EQ(StartChars(u"'0123456789-_@:/.\\", u"-'.:,()+"), u"0123456789_@/\\");
}

TEST(ScanOptions, CharacterLists) {
    using namespace Qt::StringLiterals;
    EXPECT_EQ(QStringView(kVowels).size(), 60);
    EXPECT_EQ(QStringView(kVowelsOrY), QString(QStringView(kVowels).toString() + u"Yy"_s));
    EXPECT_EQ(QStringView(kLowerCaseVowels), LowerCaseFull(kVowels));
}

using ScanOptionsCounting = ScanFixture;

TEST_F(ScanOptionsCounting, HyphenatedCompoundIsOneWordAndContractionsSplit) {
    EXPECT_EQ(Count(u"A well-known fact, don't you think?"_s),
              u"don:1 fact:1 think:1 well-known:1 you:1");
}

TEST_F(ScanOptionsCounting, WithoutHyphensACompoundSplits) {
    run.settings.chkAllowWordsWithHyphens = 0;
    EXPECT_EQ(Count(u"well-known"_s), u"known:1 well:1");
}

TEST_F(ScanOptionsCounting, ApostropheJoinsOnlyWhenAllowedAndOnlyThePlainOne) {
    run.settings.chkAllowWordsWithApostrophes = 1;
    EXPECT_EQ(Count(QStringLiteral("don't won\u2019t can\u2018t")), u"can:1 don't:1 won:1");
}

TEST_F(ScanOptionsCounting, CapitalSWithCaronIsASeparatorWhenCaseIsSignificant) {
    run.settings.chkCaseSignificant = 1;
    EXPECT_EQ(Count(u"Škoda"_s), u"koda:1");
}

TEST_F(ScanOptionsCounting, LowerCasedSWithCaronIsALetter) {
    EXPECT_EQ(Count(u"Škoda"_s), u"škoda:1");
}

TEST_F(ScanOptionsCounting, MultiplicationAndDivisionSignsSeparate) {
    EXPECT_EQ(Count(u"three×four÷five"_s), u"five:1 four:1 three:1");
}

TEST_F(ScanOptionsCounting, CharacterBeyondWindows1252IsJudgedByItsCategory) {
    // U+4E2D is a letter, U+222D a symbol, although both have the hyphen's class byte.
    EXPECT_EQ(Count(QStringLiteral("well\u4E2Dknown well\u222Dknown")),
              QStringLiteral("known:1 well:1 well\u4E2Dknown:1"));
    run.settings.chkAllowWordsWithHyphens = 0;
    ResetWordTable(run);
    EXPECT_EQ(Count(QStringLiteral("well\u4E2Dknown")), QStringLiteral("well\u4E2Dknown:1"));
}

}  // namespace
}  // namespace lxt::test
