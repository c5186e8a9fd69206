#include "exclude/common_words.h"

#include <gtest/gtest.h>

#include <QDir>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "run/run_state.h"
#include "run/word_list.h"
#include "support/language_tables.h"

namespace lxt {
namespace {

using test::ScriptedUi;
using test::TempDir;

struct CommonWordsTest : ::testing::Test {
    ScriptedUi ui;
    RunState run{ui};
    TempDir dir;

    CommonWordsTest() { run.blnStartUpCompleted = true; }

    // Writes a common-words file and reads it, expecting the "loaded" message.
    void Load(const QString& name, const QByteArray& bytes) {
        run.strCommonWordsFile = dir.Write(name, bytes);
        ui.Expect(QStringLiteral(" loaded from "));
        AttemptToReadCommonWords(run);
    }
};

TEST_F(CommonWordsTest, WordsAreLowerCasedMergedAndCommentsSkipped) {
    Load(QStringLiteral("cw.txt"), "The, and AND\r\n// this comment holds other words\r\n");
    EXPECT_EQ(run.strCommonWords, (QStringList{QStringLiteral("and"), QStringLiteral("the")}));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text,
              QStringLiteral("Two common words loaded from ") + dir.File("cw.txt"));
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("Common words loaded"));
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Information);
    EXPECT_TRUE(run.blnCommonWordsLoaded);
    EXPECT_EQ(run.settings.chkIgnoreCommonWords, 1);
    EXPECT_TRUE(ui.checkBoxes[UiCheckBox::IgnoreCommonWords]);
    EXPECT_EQ(run.settings.txbCommonWordsFile, dir.File("cw.txt"));
    EXPECT_EQ(run.phase, RunPhase::Idle);  // the read is over
    EXPECT_FALSE(run.blnWordsGot);
}

TEST_F(CommonWordsTest, AWordFoundThreeTimesIsOneEntry) {
    Load(QStringLiteral("one.txt"), "gamma gamma\r\n  GAMMA  \r\n\r\n");
    EXPECT_EQ(run.strCommonWords, QStringList{QStringLiteral("gamma")});
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_TRUE(ui.shown[0].text.startsWith(QStringLiteral("One common word loaded from ")));
}

TEST_F(CommonWordsTest, UnixMacintoshAndMixedLineEndsAllEndLines) {
    // The "//" comment hides the rest of its own line only.
    const QStringList expected{QStringLiteral("first"), QStringLiteral("fourth"),
                               QStringLiteral("second"), QStringLiteral("third")};
    for (const char* text :
         {"first\nsecond // hidden\nthird\nfourth\n", "first\rsecond // hidden\rthird\rfourth",
          "first\r\nsecond // hidden\nthird\rfourth\r"}) {
        Load(QStringLiteral("ends.txt"), text);
        EXPECT_EQ(run.strCommonWords, expected) << text;
    }
}

TEST_F(CommonWordsTest, KeepsItsOwnCommentMarkersWhateverTheSettingsSay) {
    run.settings.chkAllowCommentMarkers = 0;
    run.settings.txbStartComment = {QStringLiteral("#"), QString()};
    Load(QStringLiteral("own.txt"), "one # two // three\nfour /* five */ six\n");
    EXPECT_EQ(run.strCommonWords, (QStringList{QStringLiteral("four"), QStringLiteral("one"),
                                               QStringLiteral("six"), QStringLiteral("two")}));
}

TEST_F(CommonWordsTest, BlockCommentsRunAcrossLines) {
    Load(QStringLiteral("block.txt"),
         "/* a header\r\n   over lines */ kept /* inline */ also\r\nlast\r\n");
    EXPECT_EQ(run.strCommonWords, (QStringList{QStringLiteral("also"), QStringLiteral("kept"),
                                               QStringLiteral("last")}));
}

TEST_F(CommonWordsTest, EveryPossibleExtraCharacterJoinsWords) {
    // Reading allows apostrophes, digits, hyphens, "_@:/." and the backslash whatever the
    // settings say, and keeps a final s.
    run.settings.chkDropFinalS = 1;
    run.settings.chkAllowWordsWithHyphens = 0;
    Load(QStringLiteral("extra.txt"), "don't well-known cats e-mail@site.org\r\n");
    EXPECT_EQ(run.strCommonWords,
              (QStringList{QStringLiteral("cats"), QStringLiteral("don't"),
                           QStringLiteral("e-mail@site.org"), QStringLiteral("well-known")}));
}

TEST_F(CommonWordsTest, Utf8FilesAreRepairedAndLowerCased) {
    Load(QStringLiteral("utf8.txt"),
         "\xEF\xBB\xBF\xC3\x9C"
         "ber F\xC3\x9CR\r\nD\xC3\x89J\xC3\x80 \xC3\xAAtre\r\n");
    EXPECT_EQ(run.strCommonWords, (QStringList{QStringLiteral("déjà"), QStringLiteral("für"),
                                               QStringLiteral("être"), QStringLiteral("über")}));
}

TEST_F(CommonWordsTest, AnsiFilesAreReadAsWindows1252) {
    Load(QStringLiteral("ansi.txt"), "\xC9T\xC9 na\xEFve\r\n");
    EXPECT_EQ(run.strCommonWords, (QStringList{QStringLiteral("naïve"), QStringLiteral("été")}));
}

TEST_F(CommonWordsTest, StoppedReadingKeepsTheEarlierList) {
    Load(QStringLiteral("first.txt"), "The, and AND\r\n");
    const QStringList earlier = run.strCommonWords;
    QByteArray many;
    for (int i = 0; i < 50; ++i)
        many += "word" + QByteArray(1, static_cast<char>('a' + i % 26)) + "x\r\n";
    run.strCommonWordsFile = dir.Write(QStringLiteral("second.txt"), many);
    ui.OnDoEvents([this] { run.blnStop = true; });
    AttemptToReadCommonWords(run);
    EXPECT_GT(ui.doEventsCalls, 0);
    EXPECT_EQ(run.strCommonWords, earlier);
    EXPECT_FALSE(run.blnCommonWordsLoaded);
    EXPECT_FALSE(run.blnStop);
    EXPECT_EQ(run.settings.chkIgnoreCommonWords, 0);
    EXPECT_EQ(ui.shown.size(), 1u);  // only the first file's message
    // The reading stopped after its first line.
    EXPECT_EQ(run.lngNumWords, 1);
}

TEST_F(CommonWordsTest, ReadingRestoresTheDisplaySettingsAndCaption) {
    run.settings.chkSuppressWords = 0;
    Load(QStringLiteral("cw.txt"), "alpha beta\r\n");
    EXPECT_EQ(run.settings.chkSuppressWords, 0);
    EXPECT_FALSE(ui.checkBoxes[UiCheckBox::SuppressWords]);
    EXPECT_EQ(ui.OutputText(), QString());
    EXPECT_FALSE(RunInProgress(run));
    EXPECT_EQ(ui.phases, (std::vector<RunPhase>{RunPhase::ReadingCommonWords, RunPhase::Idle}));
}

TEST_F(CommonWordsTest, MissingFileAfterStartUpIsReported) {
    Load(QStringLiteral("first.txt"), "alpha\r\n");
    run.strCommonWordsFile = dir.File(QStringLiteral("gone.txt"));
    ui.Expect(QStringLiteral("File for common words not found."));
    AttemptToReadCommonWords(run);
    EXPECT_EQ(ui.shown.back().title, QStringLiteral("File not found"));
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(run.strCommonWords, QStringList{QStringLiteral("alpha")});
    EXPECT_FALSE(run.blnCommonWordsLoaded);
    EXPECT_EQ(run.settings.chkIgnoreCommonWords, 0);
}

TEST_F(CommonWordsTest, MissingFileDuringStartUpFallsBackSilently) {
    run.blnStartUpCompleted = false;
    run.settings.chkIgnoreCommonWords = 1;
    run.strCommonWordsFile = QStringLiteral("  ") + dir.File(QStringLiteral("gone.txt"));
    EXPECT_FALSE(ReadCommonWords(run));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(run.strCommonWordsFile, ProgramFilePath(QStringLiteral("cwds_en.txt")));
    EXPECT_EQ(run.settings.strCommonWordsFile, run.strCommonWordsFile);
    EXPECT_EQ(run.settings.txbCommonWordsFile, run.strCommonWordsFile);
    EXPECT_EQ(run.settings.chkIgnoreCommonWords, 0);
}

TEST_F(CommonWordsTest, EmptyNameReadsNothing) {
    run.strCommonWordsFile = QStringLiteral("   ");
    EXPECT_FALSE(ReadCommonWords(run));
    EXPECT_EQ(run.strCommonWordsFile, QString());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(CommonWordsTest, RefusedFileKeepsTheListAndUnticksTheBox) {
    Load(QStringLiteral("first.txt"), "alpha\r\n");
    QByteArray binary(3000, '\0');
    for (int i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i % 32);
    run.strCommonWordsFile = dir.Write(QStringLiteral("binary.txt"), binary);
    ui.AllowUnexpected(true);
    AttemptToReadCommonWords(run);
    EXPECT_EQ(ui.shown.size(), 2u);  // the inspection says why
    EXPECT_EQ(run.strCommonWords, QStringList{QStringLiteral("alpha")});
    EXPECT_FALSE(run.blnCommonWordsLoaded);
    EXPECT_EQ(run.settings.chkIgnoreCommonWords, 0);
}

TEST(CommonWordsCountTextTest, NumbersAreSpelledBelowAHundred) {
    EXPECT_EQ(CommonWordsCountText(0), QStringLiteral("No common words"));
    EXPECT_EQ(CommonWordsCountText(1), QStringLiteral("One common word"));
    EXPECT_EQ(CommonWordsCountText(21), QStringLiteral("Twenty one common words"));
    EXPECT_EQ(CommonWordsCountText(1234), QStringLiteral("1,234 common words"));
}

// The word admission looks the words up in the lists built here.
TEST_F(CommonWordsTest, ListsKeepWordsOutOfACount) {
    Load(QStringLiteral("cw.txt"), "and the\r\n");
    run.strWordsToIgnore = QStringLiteral(" the ");
    auto count = [this](int ignoreCommon) {
        run.settings.chkIgnoreCommonWords = ignoreCommon;
        ResetWordTable(run);
        for (const char16_t* word : {u"the", u"there", u"and", u"andy", u"The"})
            GetWords2(run, word);
        SealWordTable(run);
        QStringList counted;
        for (qint32 i = 1; i <= run.lngNumWords; ++i) counted << run.WordTable[i].Word().toString();
        return counted;
    };
    EXPECT_EQ(count(1), (QStringList{QStringLiteral("andy"), QStringLiteral("there")}));
    EXPECT_EQ(count(0), (QStringList{QStringLiteral("and"), QStringLiteral("andy"),
                                     QStringLiteral("there")}));
}

}  // namespace
}  // namespace lxt
