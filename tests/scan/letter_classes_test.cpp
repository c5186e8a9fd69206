#include "scan/letter_classes.h"

#include <gtest/gtest.h>

#include "scan/scan_fixture.h"
#include "scan/word_rules.h"

namespace lxt::test {
namespace {

TEST(LetterClass, LettersMarksVowelsAndOtherScripts) {
    EXPECT_EQ(LetterClass(U'a'), kClassWin1252);
    EXPECT_EQ(LetterClass(0x20AC), kClassWin1252);  // €
    EXPECT_EQ(LetterClass(0x0085), 0);              // a control that Windows-1252 lacks
    EXPECT_EQ(LetterClass(U'д'), kClassLetter);
    EXPECT_EQ(LetterClass(U'я'), kClassLetter | kClassVowel | kClassLowerVowel);
    EXPECT_EQ(LetterClass(U'Ё'), kClassLetter | kClassVowel);
    EXPECT_EQ(LetterClass(U'й'), kClassLetter);  // no vowel, although made from и
    EXPECT_EQ(LetterClass(U'ώ'), kClassLetter | kClassVowel | kClassLowerVowel);
    EXPECT_EQ(LetterClass(U'ΐ'), kClassLetter | kClassVowel | kClassLowerVowel);
    EXPECT_EQ(LetterClass(U'λ'), kClassLetter);
    EXPECT_EQ(LetterClass(U'ą'), kClassLetter | kClassVowel | kClassLowerVowel);
    EXPECT_EQ(LetterClass(U'ı'), kClassLetter | kClassVowel | kClassLowerVowel);
    EXPECT_EQ(LetterClass(U'ŷ'), kClassLetter | kClassVowel);  // y, but no vowel for final s
    EXPECT_EQ(LetterClass(U'ł'), kClassLetter);
    EXPECT_EQ(LetterClass(U'中'), kClassLetter | kClassOtherScript);
    EXPECT_EQ(LetterClass(U'ب'), kClassLetter | kClassOtherScript);
    // Beyond the Basic Multilingual Plane: 𝒜, a mathematical letter of no script, and the
    // Deseret capital 𐐀.
    EXPECT_EQ(LetterClass(0x1D49C), kClassLetter | kClassOtherScript);
    EXPECT_EQ(LetterClass(0x10400), kClassLetter | kClassOtherScript);
    EXPECT_EQ(LetterClass(0x0301), kClassMark);
    EXPECT_EQ(LetterClass(0x093F), kClassMark);  // a Devanagari vowel sign
    for (const char32_t separator : {0x2211, 0x0661, 0x1F600, 0x2161, 0x00D7}) {
        EXPECT_EQ(LetterClass(separator) & (kClassLetter | kClassMark), 0) << unsigned(separator);
    }
    EXPECT_EQ(LetterClass(0xD83D), kClassHighSurrogate);
    EXPECT_EQ(CodeUnitClasses()[0xDE00], 0);  // a lone low surrogate
    EXPECT_EQ(CodeUnitClasses()[u'ж'], LetterClass(U'ж'));
}

class Scripts : public ScanFixture {};

TEST_F(Scripts, WordsOfEveryScriptAreCountedLowerCased) {
    EXPECT_EQ(Count(u"Мама мыла раму, мама! Σοφός ΣΟΦΌΣ İstanbul ŁÓDŹ łódź"_s),
              u"istanbul:1 łódź:2 σοφός:1 σοφόσ:1 мама:2 мыла:1 раму:1"_s);
}

TEST_F(Scripts, MarksContinueAWordAfterALetterOnly) {
    // Devanagari vowel signs and the virama are marks; a combining acute after e is part of
    // the word, before it (or after a hyphen) it separates.
    EXPECT_EQ(Count(u"हिन्दी cafe\u0301 \u0301abc x-\u0301yz"_s), u"abc:1 cafe\u0301:1 हिन्दी:1"_s);
}

TEST_F(Scripts, SymbolsDigitsEmojiAndLoneSurrogatesSeparateWords) {
    EXPECT_EQ(Count(u"один∑два٣три😀четыре\xD800пять\xDC00шесть"_s),
              u"два:1 один:1 пять:1 три:1 четыре:1 шесть:1"_s);
    // A letter beyond the Basic Multilingual Plane is one character of a word.
    ResetWordTable(run);
    EXPECT_EQ(Count(u"\U0001D49C\U0001D49Cb \U0001D49C\U0001D49C\U0001D49C"_s),
              u"\U0001D49C\U0001D49Cb:1"_s);
}

TEST_F(Scripts, VowelRuleKnowsGreekAndCyrillicAndSparesOtherScripts) {
    // No vowel: СССР, ФСБ, ΣΚΤ and vlk go; Arabic, Hebrew, Chinese and Hindi words stay,
    // and so do Polish and Turkish words whose only vowels are beyond Windows-1252.
    EXPECT_EQ(Count(u"СССР ФСБ ΣΚΤ vlk кот γάτα سلام שלום 中文字 नमस्ते część kız"_s),
              u"część:1 kız:1 γάτα:1 кот:1 שלום:1 سلام:1 नमस्ते:1 中文字:1"_s);
    run.settings.chkIgnoreNoVowel = 0;
    ResetWordTable(run);
    EXPECT_EQ(Count(u"ФСБ"_s), u"фсб:1"_s);
}

TEST_F(Scripts, RomanNumeralsAreLatinOnlyAndLengthCountsCharacters) {
    // Cyrillic ХХІ looks like XXI but is a word; Latin xxi is a numeral.
    run.settings.chkIgnoreNoVowel = 0;
    EXPECT_EQ(Count(u"ХХІ xxi ддд \U0001D49C\U0001D49C"_s), u"ххі:1"_s);
    ResetWordTable(run);
    const QString eighty(80, QChar(u'д'));
    EXPECT_EQ(Count(u"а"_s + eighty + u" а"_s + eighty.left(79)),
              u"а"_s + eighty.left(79) + u":1"_s);
}

TEST_F(Scripts, FinalSKnowsTheVowelsBeyondWindows1252) {
    run.settings.chkDropFinalS = 1;
    EXPECT_EQ(Count(u"zębąs kołs"_s), u"koł:1 zębąs:1"_s);
}

}  // namespace
}  // namespace lxt::test
