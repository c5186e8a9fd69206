#include "exclude/words_to_ignore.h"

#include <gtest/gtest.h>

#include "common/scripted_ui.h"
#include "run/run_state.h"
#include "scan/scan_options.h"

namespace lxt {
namespace {

using test::ScriptedUi;

TEST(WordsToIgnoreTest, CommasDoubleBlanksAndDuplicatesAreNormalisedAway) {
    const NormalisedWordsToIgnore n = NormaliseWordsToIgnore(QStringLiteral("the, and,  of the"));
    EXPECT_EQ(n.boxText, QStringLiteral("and of the"));
    EXPECT_EQ(n.list, QStringLiteral(" and of the "));
    // A word before the longer words it begins; code-unit order, also beyond Latin-1.
    EXPECT_EQ(NormaliseWordsToIgnore(QStringLiteral("there \u0101b the th \u00e9 the")).boxText,
              QStringLiteral("th the there \u00e9 \u0101b"));
    EXPECT_EQ(NormaliseWordsToIgnore(QStringLiteral("one")).list, QStringLiteral(" one "));
}

TEST(WordsToIgnoreTest, WordsAreLowerCasedBeforeDuplicatesAreFound) {
    const NormalisedWordsToIgnore n =
        NormaliseWordsToIgnore(QStringLiteral("  The THE thé ÉTÉ,,été   zoo  "));
    EXPECT_EQ(n.boxText, QStringLiteral("the thé zoo été"));
    EXPECT_EQ(n.list, QStringLiteral(" the thé zoo été "));
}

TEST(WordsToIgnoreTest, NothingButBlanksAndCommasGivesAnEmptyList) {
    EXPECT_EQ(NormaliseWordsToIgnore(QStringLiteral("   ")).list, QString());
    EXPECT_EQ(NormaliseWordsToIgnore(QStringLiteral(" , ,, ")).list, QString());
    EXPECT_EQ(NormaliseWordsToIgnore(QString()).boxText, QString());
}

TEST(WordsToIgnoreTest, TakingOverSetsTheBoxAndTheList) {
    ScriptedUi ui;
    RunState run(ui);
    run.settings.txbWordsToIgnore = QStringLiteral("Zoo,apple");
    EXPECT_TRUE(TakeOverWordsToIgnore(run));
    EXPECT_EQ(run.settings.txbWordsToIgnore, QStringLiteral("apple zoo"));
    EXPECT_EQ(run.strWordsToIgnore, QStringLiteral(" apple zoo "));
    // Clearing empties the text only; the list goes when the text is next taken over.
    ClearWordsToIgnore(run);
    EXPECT_EQ(run.settings.txbWordsToIgnore, QString());
    EXPECT_EQ(run.strWordsToIgnore, QStringLiteral(" apple zoo "));
    EXPECT_TRUE(TakeOverWordsToIgnore(run));
    EXPECT_EQ(run.strWordsToIgnore, QString());
    // Blanks alone empty the list and stay in the box as typed.
    run.strWordsToIgnore = QStringLiteral(" apple ");
    run.settings.txbWordsToIgnore = QStringLiteral("   ");
    EXPECT_TRUE(TakeOverWordsToIgnore(run));
    EXPECT_EQ(run.strWordsToIgnore, QString());
    EXPECT_EQ(run.settings.txbWordsToIgnore, QStringLiteral("   "));
}

TEST(WordsToIgnoreTest, OnlyWholeWordsMatch) {
    const QString list = NormaliseWordsToIgnore(QStringLiteral("the of")).list;
    EXPECT_TRUE(IsWordToIgnore(list, u"the"));
    EXPECT_TRUE(IsWordToIgnore(list, u"of"));
    EXPECT_FALSE(IsWordToIgnore(list, u"there"));
    EXPECT_FALSE(IsWordToIgnore(list, u"he"));
    EXPECT_FALSE(IsWordToIgnore(QString(), u"the"));
    // Another list, or the same string changed, is looked up afresh.
    QString other = NormaliseWordsToIgnore(QStringLiteral("there he")).list;
    EXPECT_TRUE(IsWordToIgnore(other, u"there"));
    EXPECT_FALSE(IsWordToIgnore(other, u"the"));
    other += QStringLiteral("the ");
    EXPECT_TRUE(IsWordToIgnore(other, u"the"));
    other.replace(QStringLiteral("there"), QStringLiteral("thorn"));
    EXPECT_FALSE(IsWordToIgnore(other, u"there"));
    EXPECT_TRUE(IsWordToIgnore(other, u"thorn"));
    EXPECT_TRUE(IsWordToIgnore(list, u"the"));
    EXPECT_FALSE(IsWordToIgnore(QStringLiteral("the of"), u"the"));
    EXPECT_TRUE(IsWordToIgnore(QStringLiteral(" a  the "), u"the"));
}

struct CheckFixture : ::testing::Test {
    ScriptedUi ui;
    RunState run{ui};
    CheckFixture() { run.blnStartUpCompleted = true; }
};

TEST_F(CheckFixture, ApostropheNotAllowedIsNamedAsCurrentlyNotSet) {
    run.settings.txbWordsToIgnore = QStringLiteral("don't");
    ui.Expect(QStringLiteral("The character '"));
    EXPECT_FALSE(CheckAllowedExtraChars(run));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("The character ' occurs in some word to ignore\r\n"
                                               "but is not currently set as a character allowed "
                                               "in a word."));
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Character not allowed"));
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.shown[0].buttons, MsgButtons::Ok);
}

TEST_F(CheckFixture, ApostropheAllowedPassesSilently) {
    run.settings.txbWordsToIgnore = QStringLiteral("don't o’clock");
    run.settings.chkAllowWordsWithApostrophes = 1;
    // The typographic apostrophe U+2019 is never a word character.
    ui.Expect(QStringLiteral("The character ’ "));
    EXPECT_FALSE(CheckAllowedExtraChars(run));
    run.settings.txbWordsToIgnore = QStringLiteral("don't ‘tis");
    EXPECT_TRUE(CheckAllowedExtraChars(run));
    EXPECT_EQ(ExtraChars(run.settings), QStringLiteral("-'‘"));
}

TEST_F(CheckFixture, NeverAllowedCharacterIsNotCalledCurrentlyNotSet) {
    run.settings.txbWordsToIgnore = QStringLiteral("c+ plus");
    ui.Expect(QStringLiteral("The character +"));
    EXPECT_FALSE(CheckAllowedExtraChars(run));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, QStringLiteral("The character + occurs in some word to ignore\r\n"
                                               "but is not a character allowed in a word."));
}

TEST_F(CheckFixture, CommaAddsTheSeparatorAdvice) {
    run.settings.txbWordsToIgnore = QStringLiteral("and,the");
    ui.Expect(QStringLiteral("The character ,"));
    EXPECT_FALSE(CheckAllowedExtraChars(run));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text,
              QStringLiteral("The character , occurs in some word to ignore\r\n"
                             "but is not currently set as a character allowed in a word.\r\n\r\n"
                             "Words-to-ignore must be separated by a space, not by a comma."));
}

TEST_F(CheckFixture, OnlyTheFirstOffendingCharacterIsReported) {
    run.settings.txbWordsToIgnore = QStringLiteral("abc1 x;y");
    ui.Expect(QStringLiteral("The character 1"));
    EXPECT_FALSE(CheckAllowedExtraChars(run));
    EXPECT_EQ(ui.shown.size(), 1u);
    run.settings.chkAllowWordsWithNumerals = 1;
    ui.Expect(QStringLiteral("The character ;"));
    EXPECT_FALSE(CheckAllowedExtraChars(run));
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(CheckFixture, LettersHyphensAndBlanksPass) {
    run.settings.txbWordsToIgnore = QStringLiteral("well-known ŠŒŸ šœÿ ß Ñandú");
    EXPECT_TRUE(CheckAllowedExtraChars(run));
    run.settings.chkAllowWordsWithHyphens = 0;
    ui.Expect(QStringLiteral("The character -"));
    EXPECT_FALSE(CheckAllowedExtraChars(run));
    // A surrogate passes in a pair that makes a letter, and still fails later on its own.
    run.settings.txbWordsToIgnore = QStringLiteral("\U0001D400\U0001D400 x");
    EXPECT_TRUE(CheckAllowedExtraChars(run));
    run.settings.txbWordsToIgnore += QChar(0xD835);
    ui.Expect(QStringLiteral("The character "));
    EXPECT_FALSE(CheckAllowedExtraChars(run));
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(CheckFixture, NothingIsCheckedBeforeStartUpOrForAnEmptyText) {
    run.settings.txbWordsToIgnore = QString();
    EXPECT_TRUE(CheckAllowedExtraChars(run));
    run.blnStartUpCompleted = false;
    run.settings.txbWordsToIgnore = QStringLiteral("a+b");
    EXPECT_TRUE(CheckAllowedExtraChars(run));
    EXPECT_TRUE(ui.shown.empty());
}

}  // namespace
}  // namespace lxt
