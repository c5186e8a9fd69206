#include "run/word_list.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <limits>
#include <map>
#include <vector>

#include "run/run_error.h"
#include "scan/scan_fixture.h"
#include "support/str_proc.h"

namespace lxt::test {
namespace {

class WordList : public ScanFixture {
  protected:
    void Add(const QString& word, ScanContext context = ScanContext::Counting) {
        AddWordToList(run, word, context);
    }
    void Admit(const QString& word) { GetWords2(run, word); }
    static int Occurrences(const QString& text, QStringView part) {
        return static_cast<int>(text.count(part));
    }
};

TEST_F(WordList, OrdinalOrderPutsCapitalsFirst) {
    run.settings.chkCaseSignificant = 1;
    EXPECT_EQ(Count(u"b a b B"_s), u"");  // one-letter words never pass the word rules
    for (const QString& w : {u"b"_s, u"a"_s, u"b"_s, u"B"_s}) Add(w);
    SealWordTable(run);
    EXPECT_EQ(Table(), u"B:1 a:1 b:2");
    ResetWordTable(run);
    EXPECT_EQ(Count(u"bee ant bee Bee"_s), u"Bee:1 ant:1 bee:2");
}

TEST_F(WordList, EntriesCarryTheFoldedSortKey) {
    for (const QString& w : {u"Straße"_s, u"Écoute"_s, u"Ærø"_s}) Add(w);
    SealWordTable(run);
    ASSERT_EQ(run.lngNumWords, 3);
    EXPECT_EQ(WordSortKey(run.WordTable[1].Word()), u"strasse");
    EXPECT_EQ(WordSortKey(run.WordTable[2].Word()), u"aero");
    EXPECT_EQ(WordSortKey(run.WordTable[3].Word()), u"ecoute");
    EXPECT_TRUE(run.WordTable[1].included);
}

TEST_F(WordList, FirstWordReplacesTheOutputAndNewWordsFollow) {
    ui.OutputReplace(u"Now processing input file ..."_s);
    EXPECT_EQ(Count(u"first second first third"_s), u"first:2 second:1 third:1");
    EXPECT_EQ(ui.OutputText(), u"first second third ");
}

TEST_F(WordList, NoWordsLeaveTheOutputAlone) {
    ui.OutputReplace(u"kept"_s);
    EXPECT_EQ(Count(u"a an of"_s), u"");
    EXPECT_EQ(run.lngNumWords, 0);
    EXPECT_EQ(ui.OutputText(), u"kept");
}

TEST_F(WordList, LongestPermittedWordIsCountedOneMoreIsNot) {
    Add(QString(80, u'w'));
    Add(QString(81, u'w'));
    EXPECT_EQ(run.lngNumWords, 1);
}

TEST_F(WordList, TableGrowsBy500) {
    run.settings.chkSuppressWords = 1;
    for (int i = 1; i <= 500; ++i) Add(u"w"_s + QString::number(i));
    EXPECT_EQ(run.WordTable.UpperIndex(), 500);
    Add(u"w501"_s);
    EXPECT_EQ(run.WordTable.UpperIndex(), 1000);
    for (int i = 502; i <= 1000; ++i) Add(u"w"_s + QString::number(i));
    EXPECT_EQ(run.WordTable.UpperIndex(), 1000);
    Add(u"w1001"_s);
    EXPECT_EQ(run.WordTable.UpperIndex(), 1500);
    Add(u"w1"_s);
    SealWordTable(run);
    EXPECT_EQ(run.lngNumWords, 1001);
    EXPECT_EQ(run.WordTable[1].Word(), u"w1");
    EXPECT_EQ(run.WordTable[1].frequency, 2);
    EXPECT_EQ(run.WordTable[2].Word(), u"w10");
}

TEST_F(WordList, ResetStartsAnEmptyTable) {
    Add(u"alpha"_s);
    ResetWordTable(run);
    EXPECT_EQ(run.lngNumWords, 0);
    EXPECT_EQ(run.WordTable.UpperIndex(), 500);
    Add(u"beta"_s);
    SealWordTable(run);
    EXPECT_EQ(Table(), u"beta:1");
}

TEST_F(WordList, WordsToIgnoreAreTestedLowerCased) {
    run.settings.chkCaseSignificant = 1;
    run.strWordsToIgnore = u" the and "_s;
    for (const QString& w : {u"The"_s, u"the"_s, u"Theme"_s, u"then"_s, u"AND"_s, u"an"_s}) {
        Admit(w);
    }
    SealWordTable(run);
    EXPECT_EQ(Table(), u"Theme:1 an:1 then:1");
}

TEST_F(WordList, CommonWordsAreDroppedOnlyWhenTicked) {
    run.strCommonWords = {u"and"_s, u"cat"_s, u"the"_s};
    Admit(u"cat"_s);
    run.settings.chkIgnoreCommonWords = 1;
    Admit(u"Cat"_s);
    Admit(u"cats"_s);
    Admit(u"THE"_s);
    SealWordTable(run);
    EXPECT_EQ(Table(), u"cat:1 cats:1");
}

TEST_F(WordList, ADroppedWordIsDroppedAgainOnlyWhileTheExclusionsStand) {
    run.strWordsToIgnore = u" the "_s;
    for (const QString& w : {u"the"_s, u"cat"_s, u"the"_s}) Admit(w);
    // The list changed in place, then replaced, then the common words ticked.
    run.strWordsToIgnore[1] = u'x';
    Admit(u"the"_s);
    run.strWordsToIgnore = u" cat "_s;
    Admit(u"the"_s);
    Admit(u"cat"_s);
    run.strWordsToIgnore.clear();
    run.strCommonWords = {u"dog"_s};
    run.settings.chkIgnoreCommonWords = 1;
    Admit(u"dog"_s);
    run.settings.chkIgnoreCommonWords = 0;
    Admit(u"dog"_s);
    SealWordTable(run);
    EXPECT_EQ(Table(), u"cat:2 dog:1 the:2");
}

TEST_F(WordList, SevenBitRuleUsesTheClassByte) {
    run.settings.chkOnly7bitASCII = 1;
    Admit(u"café"_s);
    Admit(u"cafe"_s);
    Admit(u"škoda"_s);  // class byte 97
    SealWordTable(run);
    EXPECT_EQ(Table(), u"cafe:1 škoda:1");
}

TEST_F(WordList, SuppressionNoticeIsWrittenOnce) {
    Add(u"alpha"_s);
    ui.OutputAppend(QString(kDisplayCutOff - ui.OutputLength(), u'x'));
    ASSERT_EQ(ui.OutputLength(), kDisplayCutOff);
    Add(u"beta"_s);  // exactly 64,900 characters: still shown
    EXPECT_TRUE(ui.OutputText().endsWith(u"beta "));
    Add(u"gamma"_s);
    Add(u"delta"_s);
    Add(u"beta"_s);
    const QStringView notice(kSuppressionNotice);
    EXPECT_EQ(Occurrences(ui.OutputText(), notice), 1);
    EXPECT_TRUE(ui.OutputText().endsWith(
        u"\r\n\r\n[Suppressing display of words to avoid buffer overflow.]"));
    EXPECT_TRUE(ui.WordsFoundCutOff());
    EXPECT_EQ(run.settings.chkSuppressWords, 1);
    EXPECT_TRUE(ui.checkBoxes[UiCheckBox::SuppressWords]);
    EXPECT_EQ(run.lngNumWords, 4);
}

TEST_F(WordList, SuppressionNoticeOnceEvenWhenTheBoxIsClearedAgain) {
    Add(u"alpha"_s);
    ui.OutputAppend(QString(kMaxTextLength, u'x'));
    Add(u"beta"_s);
    run.settings.chkSuppressWords = 0;  // the user clears the check box during the run
    Add(u"gamma"_s);
    EXPECT_EQ(Occurrences(ui.OutputText(), kSuppressionNotice), 1);
}

TEST_F(WordList, LabelEveryTenthWord) {
    for (int i = 1; i <= 25; ++i) {
        Add(u"word"_s + QString(i, u'x'), ScanContext::ReadingCommonWords);
    }
    EXPECT_EQ(ui.labelHistory[UiLabel::NumberOfWords],
              QStringList({u"Number of common words read so far: 10"_s,
                           u"Number of common words read so far: 20"_s}));
    EXPECT_TRUE(ui.labelVisible[UiLabel::NumberOfWords]);
}

TEST_F(WordList, CountingRunsShowTheLabelWithTheNumberFoundSoFar) {
    ui.SetLabel(UiLabel::NumberOfWords, u"Number of words in this list: 23,456"_s);
    for (int i = 1; i <= 9; ++i) Add(u"word"_s + QString(i, u'x'));
    EXPECT_FALSE(ui.labelVisible.count(UiLabel::NumberOfWords));
    Add(u"wordy"_s);
    EXPECT_TRUE(ui.labelVisible[UiLabel::NumberOfWords]);
    EXPECT_EQ(ui.labels[UiLabel::NumberOfWords], u"Number of different words found so far: 10"_s);
}

TEST_F(WordList, FrequencyOverflowIsRaisedNotWrapped) {
    Add(u"word"_s);
    Add(u"other"_s);
    qint32* count = run.WordTable.FindCount(u"word");
    ASSERT_NE(count, nullptr);
    *count = std::numeric_limits<qint32>::max() - 1;
    Add(u"word"_s);
    EXPECT_EQ(*run.WordTable.FindCount(u"word"), std::numeric_limits<qint32>::max());
    try {
        Add(u"word"_s);
        FAIL() << "no overflow raised";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number, kErrOverflow);
        EXPECT_EQ(e.description, u"Overflow");
    }
    EXPECT_EQ(*run.WordTable.FindCount(u"word"), std::numeric_limits<qint32>::max());
}

TEST_F(WordList, AddingAfterSealingFindsTheSealedEntries) {
    Count(u"zebra apple mango apple"_s);
    Add(u"zebra"_s);
    Add(u"kiwi"_s);
    SealWordTable(run);
    EXPECT_EQ(Table(), u"apple:2 kiwi:1 mango:1 zebra:2");
}

TEST_F(WordList, FindWordOnASealedTable) {
    Count(u"bravo delta foxtrot"_s);
    EXPECT_EQ(FindWord(run.WordTable, u"alpha", 3).position, -1);
    EXPECT_EQ(FindWord(run.WordTable, u"charlie", 3).position, -2);
    EXPECT_EQ(FindWord(run.WordTable, u"echo", 3).position, -3);
    EXPECT_EQ(FindWord(run.WordTable, u"golf", 3).position, -4);
    const SearchResult delta = FindWord(run.WordTable, u"delta", 3);
    EXPECT_TRUE(delta.found);
    EXPECT_EQ(delta.position, 2);
}

// The table built through the hash slots equals the ordinal order of the words with their
// counts, and its entries' sort keys are the folded words.
TEST_F(WordList, SameTableAsOrdinalOrder) {
    run.settings.chkSuppressWords = 1;
    run.settings.chkCaseSignificant = 1;
    QRandomGenerator random(1234);
    const QString letters = u"abcABCéÉšŠ-'"_s;
    std::vector<QString> added;
    std::map<std::u16string, qint32> reference;
    for (int n = 0; n < 3000; ++n) {
        QString word;
        if (!added.empty() && random.bounded(4) == 0) {
            word = added[random.bounded(static_cast<quint32>(added.size()))];
        } else {
            // Mostly short words, some longer ones.
            const int length =
                1 + static_cast<int>(random.bounded(random.bounded(3) == 0 ? 20 : 5));
            for (int i = 0; i < length; ++i) word += letters[random.bounded(letters.size())];
            added.push_back(word);
        }
        Add(word);
        ++reference[word.toStdU16String()];
    }
    SealWordTable(run);
    ASSERT_EQ(run.lngNumWords, static_cast<qint32>(reference.size()));
    ASSERT_GT(run.lngNumWords, 500);
    qint32 i = 1;
    for (const auto& [word, frequency] : reference) {
        const QString expected = QString::fromStdU16String(word);
        ASSERT_EQ(run.WordTable[i].Word(), expected) << i;
        ASSERT_EQ(run.WordTable[i].frequency, frequency) << i;
        ASSERT_EQ(WordSortKey(run.WordTable[i].Word()), LowerCaseFull(SortFold(expected))) << i;
        ++i;
    }
    const qint32 before = run.lngNumWords;
    SealWordTable(run);  // already in order: nothing changes
    EXPECT_EQ(run.lngNumWords, before);
    EXPECT_EQ(run.WordTable[before].Word(), QString::fromStdU16String(reference.rbegin()->first));
}

}  // namespace
}  // namespace lxt::test
