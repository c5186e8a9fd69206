#include "scan/word_rules.h"

#include <gtest/gtest.h>

#include "scan/scan_fixture.h"

namespace lxt::test {
namespace {

class WordRules : public ScanFixture {
  protected:
    // The candidate ExtractWord gives for `text` standing at the start of a line.
    QString Extract(const QString& text) {
        run.strLine = text + u' ';
        run.lngLP = 1;
        return ExtractWord(run).toString();
    }
    bool Accept(const QString& word) { return AcceptWord(run, word); }
};

TEST_F(WordRules, FinalSIsDroppedUnlessSsVowelOrException) {
    run.settings.chkDropFinalS = 1;
    EXPECT_EQ(Extract(u"cats"_s), u"cat");
    EXPECT_EQ(Extract(u"dogs"_s), u"dog");
    EXPECT_EQ(Extract(u"glass"_s), u"glass");
    EXPECT_EQ(Extract(u"bus"_s), u"bus");
    EXPECT_EQ(Extract(u"gas"_s), u"gas");
    EXPECT_EQ(Extract(u"cafés"_s), u"cafés");  // accented vowel before the s
    EXPECT_EQ(Extract(u"physics"_s), u"physics");
    EXPECT_EQ(Extract(u"maths"_s), u"maths");
    EXPECT_EQ(Extract(u"stats"_s), u"stats");
    EXPECT_EQ(Extract(u"always"_s), u"always");
    EXPECT_EQ(Extract(u"perhaps"_s), u"perhaps");
    EXPECT_EQ(Extract(u"dickens"_s), u"dickens");
    EXPECT_EQ(Extract(u"ms"_s), u"");    // two characters: kept, then no vowel
    EXPECT_EQ(Extract(u"ys"_s), u"ys");  // two characters are never shortened
}

TEST_F(WordRules, FinalSRuleWithCaseSignificant) {
    run.settings.chkDropFinalS = 1;
    run.settings.chkCaseSignificant = 1;
    EXPECT_EQ(Extract(u"CATS"_s), u"CATS");
    EXPECT_EQ(Extract(u"mAThs"_s), u"mAThs");
    EXPECT_EQ(Extract(u"PHYSICS"_s), u"PHYSICS");
    EXPECT_EQ(Extract(u"Dogs"_s), u"Dog");
}

TEST_F(WordRules, FinalSWithApostrophesAllowed) {
    run.settings.chkDropFinalS = 1;
    run.settings.chkAllowWordsWithApostrophes = 1;
    Apply();
    EXPECT_EQ(Extract(u"john's"_s), u"john's");
}

TEST_F(WordRules, FinalSIsKeptWhileReadingCommonWords) {
    run.settings.chkDropFinalS = 1;
    run.blnReadingWords = true;
    EXPECT_EQ(Extract(u"cats"_s), u"cats");
}

TEST_F(WordRules, LengthLimitAppliesAfterTheFinalS) {
    run.settings.chkDropFinalS = 1;
    const QString word = QString(79, u'a') + u"ts"_s;  // 81 characters
    const QString cut = Extract(word);
    EXPECT_EQ(cut.size(), 80);
    EXPECT_TRUE(Accept(cut));
    EXPECT_FALSE(Accept(word));
}

TEST_F(WordRules, ApostropheRemnantsAndContractionStems) {
    EXPECT_EQ(Extract(u"t"_s), u"");
    EXPECT_EQ(Extract(u"S"_s), u"");
    EXPECT_EQ(Extract(u"isn"_s), u"");
    EXPECT_EQ(Extract(u"Wouldn"_s), u"");
    EXPECT_EQ(Extract(u"ouldn"_s), u"");  // any ending of a stem matches
    EXPECT_EQ(Extract(u"don"_s), u"don");
    EXPECT_EQ(Extract(u"arena"_s), u"arena");
    EXPECT_EQ(Count(u"don't isn't john's"_s), u"don:1 john:1");
}

TEST_F(WordRules, StemsAreWordsWhenApostrophesAreAllowed) {
    run.settings.chkAllowWordsWithApostrophes = 1;
    Apply();
    EXPECT_EQ(Extract(u"isn"_s), u"isn");
    EXPECT_EQ(Count(u"isn't it"_s), u"isn't:1");
}

TEST_F(WordRules, NoVowelRule) {
    EXPECT_EQ(Extract(u"rhythm"_s), u"rhythm");
    EXPECT_EQ(Extract(u"psst"_s), u"");
    EXPECT_EQ(Extract(u"ÿpsilon"_s), u"ÿpsilon");
    run.settings.chkAllowWordsWithNumerals = 1;
    Apply();
    EXPECT_EQ(Extract(u"123-456"_s), u"");
    run.settings.chkIgnoreNoVowel = 0;
    EXPECT_EQ(Extract(u"psst"_s), u"psst");
    EXPECT_EQ(Extract(u"123-456"_s), u"123-456");
}

TEST_F(WordRules, TrailingHyphensAndLpAdvance) {
    EXPECT_EQ(Extract(u"word---"_s), u"word");
    EXPECT_EQ(run.lngLP, 8);
}

TEST_F(WordRules, AcceptanceLengthRepeatsAndRomanNumerals) {
    EXPECT_FALSE(Accept(u"of"_s));
    EXPECT_FALSE(Accept(u""_s));
    EXPECT_TRUE(Accept(QString(79, u'a') + u'b'));
    EXPECT_FALSE(Accept(QString(80, u'a') + u'b'));
    EXPECT_FALSE(Accept(u"aaa"_s));
    EXPECT_FALSE(Accept(u"zzzz"_s));
    for (const QString& roman :
         {u"ill"_s, u"mix"_s, u"mill"_s, u"civic"_s, u"mild"_s, u"MiX"_s, u"xiv"_s}) {
        EXPECT_FALSE(Accept(roman)) << roman.toStdString();
    }
    for (const QString& kept : {u"dim"_s, u"mid"_s, u"vim"_s, u"cid"_s, u"lid"_s, u"livid"_s,
                                u"vivid"_s, u"civil"_s, u"dill"_s, u"DILL"_s, u"mixed"_s}) {
        EXPECT_TRUE(Accept(kept)) << kept.toStdString();
    }
}

TEST_F(WordRules, MaxLengthFollowsTheRun) {
    run.intMaxPermittedWordLength = 5;
    EXPECT_TRUE(Accept(u"worth"_s));
    EXPECT_FALSE(Accept(u"worthy"_s));
}

}  // namespace
}  // namespace lxt::test
