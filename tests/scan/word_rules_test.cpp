#include "scan/word_rules.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "common/plain_letters.h"
#include "scan/scan_fixture.h"
#include "support/win1252.h"

namespace lxt::test {
namespace {

class WordRules : public ScanFixture {
  protected:
    // The candidate ExtractWord gives for `text` standing at the start of a line.
    QString Extract(const QString& text) {
        state.line = text + u' ';
        state.scanPosition = 0;
        return ExtractWord(state.line, state.scanPosition, Options()).toString();
    }
    bool Accept(const QString& word) { return AcceptWord(word, Options().maxWordLength); }
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
    EXPECT_EQ(Extract(u"john's"_s), u"john's");
}

TEST_F(WordRules, FinalSIsKeptWhileReadingCommonWords) {
    run.settings.chkDropFinalS = 1;
    context = ScanContext::ReadingCommonWords;
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
    EXPECT_EQ(Extract(u"isn"_s), u"isn");
    EXPECT_EQ(Count(u"isn't it"_s), u"isn't:1");
}

TEST_F(WordRules, NoVowelRule) {
    EXPECT_EQ(Extract(u"rhythm"_s), u"rhythm");
    EXPECT_EQ(Extract(u"psst"_s), u"");
    EXPECT_EQ(Extract(u"ÿpsilon"_s), u"ÿpsilon");
    run.settings.chkAllowWordsWithNumerals = 1;
    EXPECT_EQ(Extract(u"123-456"_s), u"");
    run.settings.chkIgnoreNoVowel = 0;
    EXPECT_EQ(Extract(u"psst"_s), u"psst");
    EXPECT_EQ(Extract(u"123-456"_s), u"123-456");
}

TEST_F(WordRules, TrailingHyphensAndLpAdvance) {
    EXPECT_EQ(Extract(u"word---"_s), u"word");
    EXPECT_EQ(state.scanPosition, 7);  // 0-based: the eighth character
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

bool PlainWordChar(const RunState& run, ScanContext context, const QString& line, qsizetype start,
                   qsizetype i) {
    const QChar c = line[i];
    const bool reading = context == ScanContext::ReadingCommonWords;
    if (Win1252Byte(c) >= 0) {
        return IsWordChar(
            c, reading ? QString::fromUtf16(kAllPossibleExtraChars) : ExtraChars(run.settings),
            false);
    }
    if (c.isMark()) return i > start && (PlainLetter(line[i - 1]) || line[i - 1].isMark());
    return c.isLetter();
}

// The rules as they read, one step after the other, for comparison with the scanner's own.
QString PlainExtract(const RunState& run, ScanContext context, const QString& line, qsizetype pos,
                     qsizetype& next) {
    qsizetype n = 0;
    while (pos + n < line.size() && n < kMaxCandidateLength &&
           PlainWordChar(run, context, line, pos, pos + n)) {
        ++n;
    }
    next = pos + n;
    QString c = line.mid(pos, n);
    while (c.endsWith(u'-')) c.chop(1);
    const Settings& s = run.settings;
    if (s.chkDropFinalS == 1 && context != ScanContext::ReadingCommonWords) {
        const QString lower = LowerCaseFull(c);
        const bool exception = lower.endsWith(u"ics") || lower == u"maths" || lower == u"stats" ||
                               lower == u"dickens" || lower == u"always" || lower == u"perhaps";
        if (!exception && c.size() > 2 && c.endsWith(u's') && !c.endsWith(u"ss") &&
            !c.endsWith(u"'s") && !PlainLowerVowel(c[c.size() - 2])) {
            c.chop(1);
        }
    }
    if (s.chkAllowWordsWithApostrophes == 0 && context != ScanContext::ReadingCommonWords) {
        const QString lower = LowerCaseFull(c);
        if (lower == u"s" || lower == u"t" ||
            QStringView(kContractionStems).contains(lower + u' ')) {
            return {};
        }
    }
    if (s.chkIgnoreNoVowel == 1 && std::none_of(c.begin(), c.end(), PlainVowel)) {
        return {};
    }
    return c;
}

// Every candidate of random lines, with and without the final-s rule and apostrophes, is the
// one the rules give when applied step by step. The characters include runs of small letters
// longer than eight, capitals, accented vowels, "ť" (a letter, no vowel), U+4E2D (a letter
// of another script, with the hyphen's class byte), Cyrillic, Greek and Polish letters, a
// combining mark, Devanagari, a symbol, apostrophes and digits.
TEST_F(WordRules, CandidatesAgreeWithTheRulesStepByStep) {
    const QString alphabet =
        u"aeiouybcdfghklmnpqrstvwxz AEIOUYBCDNST-'0éť中šÿ,дДаЯάΩλąłİ\u0301क∭€"_s;
    QRandomGenerator random(77);
    for (int variant = 0; variant < 4; ++variant) {
        run.settings.chkDropFinalS = variant & 1;
        run.settings.chkAllowWordsWithApostrophes = (variant >> 1) & 1;
        run.settings.chkAllowWordsWithNumerals = (variant >> 1) & 1;
        const ScanOptions options = Options();
        for (int lineNo = 0; lineNo < 300; ++lineNo) {
            QString line;
            const int length = 1 + static_cast<int>(random.bounded(40));
            for (int i = 0; i < length; ++i) {
                // Mostly small letters, so that long runs of them occur.
                line += random.bounded(3) != 0 ? QChar(u'a' + random.bounded(26))
                                               : alphabet[random.bounded(alphabet.size())];
            }
            for (qsizetype pos = 0; pos < line.size(); ++pos) {
                qsizetype next = 0;
                const QString expected = PlainExtract(run, context, line, pos, next);
                qsizetype at = pos;
                const QString got = ExtractWord(line, at, options).toString();
                ASSERT_EQ(got, expected) << line.toStdString() << " at " << pos;
                ASSERT_EQ(at, next) << line.toStdString() << " at " << pos;
            }
        }
    }
}

// The quick acceptance of the scanner never accepts what AcceptWord rejects.
TEST_F(WordRules, QuickAcceptanceAgreesWithAcceptWord) {
    const QString alphabet = u"ivxlcdmIVXLCDMabyz ı"_s;
    QRandomGenerator random(5);
    int accepted = 0;
    for (int n = 0; n < 20000; ++n) {
        QString word;
        const int length = static_cast<int>(random.bounded(7));
        for (int i = 0; i < length; ++i) word += alphabet[random.bounded(alphabet.size())];
        const bool sure = SurelyAccepted(word, run.intMaxPermittedWordLength);
        if (sure) ++accepted;
        ASSERT_TRUE(!sure || Accept(word)) << word.toStdString();
    }
    EXPECT_GT(accepted, 1000);
}

}  // namespace
}  // namespace lxt::test
