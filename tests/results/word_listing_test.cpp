#include "results/word_listing.h"

#include <gtest/gtest.h>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "run/run_state.h"
#include "support/catalogue.h"
#include "support/message_numbers.h"
#include "table_fixture.h"

namespace lxt::test {
namespace {

// Records every piece appended to the output box.
class RecordingUi : public ScriptedUi {
  public:
    void OutputAppend(const QString& text) override {
        appended << text;
        ScriptedUi::OutputAppend(text);
    }
    QStringList appended;
};

std::vector<std::pair<QString, qint32>> NumberedWords(int count, int length = 5) {
    std::vector<std::pair<QString, qint32>> words;
    for (int k = 0; k < count; ++k) {
        QString w = QStringLiteral("w%1").arg(k, 4, 10, QLatin1Char('0'));
        words.push_back({w.leftJustified(length, u'x'), 1 + k % 3});
    }
    return words;
}

class WordListing : public ::testing::Test {
  protected:
    WordListing() : run(ui) { LoadCatalogue(CataloguePath(DataDir())); }
    RecordingUi ui;
    RunState run;
};

TEST_F(WordListing, ThirtyWordsReachTheBoxInTwoSteps) {
    FillTable(run, NumberedWords(30));
    OrderTable(run);
    run.settings.cboDisplayFormat = 8;
    ListingContext ctx(run, {});
    EXPECT_EQ(ListWordsAlphabetically(ctx), ListingEnd::Completed);
    ASSERT_EQ(ui.appended.size(), 3);
    EXPECT_EQ(ui.appended.at(0), "Word (longest has 5 characters)\r\n");
    EXPECT_EQ(ui.appended.at(1).count(QStringLiteral("\r\n")), 20);
    EXPECT_TRUE(ui.appended.at(1).startsWith("w0000\r\nw0001\r\n"));
    EXPECT_EQ(ui.appended.at(2).count(QStringLiteral("\r\n")), 10);
    EXPECT_TRUE(ui.appended.at(2).endsWith("w0029\r\n"));
}

TEST_F(WordListing, AlphabeticalListsOnlyIncludedWordsInTableOrder) {
    FillTable(run, {{"Zebra", 1}, {"apple", 2}, {"Éclair", 3}, {"rare", 1}});
    OrderTable(run);
    run.settings.cboDisplayFormat = 5;
    ListingContext ctx(run, {});
    ListWordsAlphabetically(ctx);
    EXPECT_EQ(ui.OutputText(),
              "    Freq  Word (longest has 6 characters)\r\n"
              "       2  apple\r\n"
              "       3  Éclair\r\n"
              "       1  rare\r\n"
              "       1  Zebra\r\n");
    // Excluded words are passed over.
    ui.OutputReplace(QString());
    run.WordTable[3].included = false;  // rare
    ListingContext again(run, {});
    ListWordsAlphabetically(again);
    EXPECT_FALSE(ui.OutputText().contains("rare"));
}

TEST_F(WordListing, ByFrequencyFollowsTheChainAndBlanksTheTwirler) {
    FillTable(run, {{"cat", 3}, {"dog", 5}, {"ant", 3}});
    OrderTable(run);
    run.settings.cboDisplayFormat = 0;
    ListingContext ctx(run, {});
    EXPECT_EQ(ListWordsByFrequency(ctx), ListingEnd::Completed);
    EXPECT_EQ(ui.OutputText(),
              "   Rank    Freq  Word (longest has 3 characters)\r\n"
              "      1       5  dog\r\n"
              "      2       3  ant\r\n"
              "      3       3  cat\r\n");
    // The arrow turns with the table index of each line (header 0, then dog 3, ant 1, cat 2).
    EXPECT_EQ(ui.labelHistory[UiLabel::Twirler], QStringList({"←", "↓", "↑", "→", " "}));
}

TEST_F(WordListing, FormatNineGathersTheWordsOnOneLine) {
    FillTable(run, {{"gamma", 1}, {"alpha", 3}, {"beta", 2}});
    OrderTable(run);
    run.settings.cboDisplayFormat = 9;
    ListingContext ctx(run, {});
    ListWordsByFrequency(ctx);
    EXPECT_EQ(ui.OutputText(), "alpha, beta, gamma, ");  // ListWords removes the last ", "
}

TEST_F(WordListing, StopEndsTheListingAtTheNextYield) {
    FillTable(run, NumberedWords(50));
    OrderTable(run);
    run.settings.cboDisplayFormat = 8;
    run.eventPump.Restart();
    ui.OnDoEvents([this] { run.blnStop = true; });
    ListingContext ctx(run, {});
    EXPECT_EQ(ListWordsAlphabetically(ctx), ListingEnd::Stopped);
    EXPECT_EQ(ui.OutputText(), "Word (longest has 5 characters)\r\nw0000\r\n");
}

TEST_F(WordListing, FullOutputBoxIsReportedOnceAndShownLinesStay) {
    // 1,000 lines of about 90 characters pass the 65,000 characters of the box.
    FillTable(run, NumberedWords(1000, 80));
    OrderTable(run);
    run.settings.cboDisplayFormat = 0;
    ui.AllowUnexpected(true);
    ListingContext ctx(run, {});
    EXPECT_EQ(ListWordsByFrequency(ctx), ListingEnd::OutputBoxFull);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown.front().title, Message(kMsgOutputBoxFull));
    EXPECT_FALSE(ui.shown.front().text.contains("error #"));
    EXPECT_EQ(ui.shown.front().icon, MsgIcon::Exclamation);
    EXPECT_LE(ui.OutputLength(), kMaxTextLength);
    EXPECT_GT(ui.OutputLength(), kMaxTextLength - 20 * 100);
    EXPECT_EQ((ui.OutputText().count(QStringLiteral("\r\n")) - 1) % kLinesPerBatch, 0);
    EXPECT_EQ(ui.labels[UiLabel::Twirler], " ");
}

TEST_F(WordListing, LastPartialBatchIsCheckedToo) {
    // 25 lines: the first 20 fit, the last 5 would not.
    FillTable(run, NumberedWords(25, 80));
    OrderTable(run);
    run.settings.cboDisplayFormat = 8;
    ui.OutputReplace(QString(kMaxTextLength - 25 * 82 + 3 * 82, u'.'));
    ui.AllowUnexpected(true);
    ListingContext ctx(run, {});
    EXPECT_EQ(ListWordsAlphabetically(ctx), ListingEnd::OutputBoxFull);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.appended.size(), 2);  // the header and the first batch
}

TEST_F(WordListing, NoLimitWhenTheTargetHasNone) {
    FillTable(run, NumberedWords(1000, 80));
    OrderTable(run);
    ui.OutputReplace(QString());  // the progress trail of the ordering
    QString received;
    ListingTarget target;
    target.limitOutputBox = false;
    target.screenSink = [&received](const QString& piece) { received += piece; };
    ListingContext ctx(run, target);
    EXPECT_EQ(ListWordsAlphabetically(ctx), ListingEnd::Completed);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(received.count(QStringLiteral("\r\n")), 1001);
    EXPECT_GT(received.size(), kMaxTextLength);
    EXPECT_TRUE(ui.OutputText().isEmpty());  // the box is left alone
}

TEST_F(WordListing, NothingListedTexts) {
    run.lngNumWords = 0;
    ShowNoWordsListed(run);
    EXPECT_EQ(ui.OutputText(), "No words satisfying the conditions were found.");
    run.lngNumWords = 4;
    ShowNoWordsListed(run);
    EXPECT_EQ(ui.OutputText(), "No words with more than 2 letters occur at least once.");
    run.settings.chkIgnoreInfrequentWords = 1;
    run.intThresholdFrequency = 2;
    ShowNoWordsListed(run);
    EXPECT_EQ(ui.OutputText(), "No words with more than 2 letters occur at least twice.");
    run.intThresholdFrequency = 5;
    ShowNoWordsListed(run);
    EXPECT_EQ(ui.OutputText(), "No words with more than 2 letters occur at least 5 times.");
}

}  // namespace
}  // namespace lxt::test
