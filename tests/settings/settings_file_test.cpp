#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include "common/temp_dir.h"
#include "support/file_proc.h"

namespace lxt {
namespace {

using test::TempDir;

QByteArray Lines(const QList<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines) bytes += line + "\r\n";
    return bytes;
}

// The file of the default settings with empty paths, line by line.
QList<QByteArray> DefaultLines() {
    return {"\"\"", "\"\"", "\"\"", "\"/*\"", "\"*/\"", "\"//\"", "\"\"",  // 1-7
            "0",    "0",    "0",    "0",      "0",      "0",               // 8-13
            "0",    "0",    "0",                                           // 14-16
            "0",    "0",    "1",    "0",                                   // 17-20
            "0",    "0",    "0",    "0",      "0",      "0",               // 21-26
            "0",    "0",    "0",    "1",      "0",      "0",               // 27-32
            "0",    "0",    "0",    "0",      "\"\"",   "0",      "1"};    // 33-39
}

// Settings that differ from the defaults in every stored field.
Settings Sample() {
    Settings s;
    s.txbFile = {QStringLiteral("/home/ann/in put.txt"), QStringLiteral("/tmp/out.csv")};
    s.txbWordsToIgnore = QStringLiteral("and, of,the");
    s.txbStartComment = {QStringLiteral("<<"), QStringLiteral("#")};
    s.txbEndComment = {QStringLiteral(">>"), QStringLiteral("!")};
    s.cboThresholdFrequency = 7;
    s.chkIgnoreInfrequentWords = 1;
    s.chkIgnoreCommonWords = 1;
    s.chkCaseSignificant = 1;
    s.chkDropFinalS = 1;
    s.chkAllowWordsWithHyphens = 0;
    s.chkAllowWordsWithApostrophes = 1;
    s.chkAllowWordsWithNumerals = 1;
    s.chkOutputWithCommas = 1;
    s.chkWarnOnOverwrite = 1;
    s.chkSaveStateOnQuit = 1;
    s.chkSuppressWords = 1;
    s.chkDisableOutputToFile = 1;
    s.cboWordOrder = 1;
    s.cboDisplayFormat = 9;
    s.strCommonWordsFile = QStringLiteral("/usr/share/lxt/cwds_fr.txt");
    s.chkOnly7bitASCII = 1;
    s.chkIgnoreNoVowel = 0;
    s.chkAllowCommentMarkers = 0;
    return s;
}

void ExpectSameStoredFields(const Settings& a, const Settings& b) {
    EXPECT_EQ(a.txbFile, b.txbFile);
    EXPECT_EQ(a.txbWordsToIgnore, b.txbWordsToIgnore);
    EXPECT_EQ(a.txbStartComment, b.txbStartComment);
    EXPECT_EQ(a.txbEndComment, b.txbEndComment);
    EXPECT_EQ(a.chkAllowCommentMarkers, b.chkAllowCommentMarkers);
    EXPECT_EQ(a.cboThresholdFrequency, b.cboThresholdFrequency);
    EXPECT_EQ(a.chkIgnoreInfrequentWords, b.chkIgnoreInfrequentWords);
    EXPECT_EQ(a.chkIgnoreCommonWords, b.chkIgnoreCommonWords);
    EXPECT_EQ(a.chkCaseSignificant, b.chkCaseSignificant);
    EXPECT_EQ(a.chkDropFinalS, b.chkDropFinalS);
    EXPECT_EQ(a.chkAllowWordsWithHyphens, b.chkAllowWordsWithHyphens);
    EXPECT_EQ(a.chkAllowWordsWithApostrophes, b.chkAllowWordsWithApostrophes);
    EXPECT_EQ(a.chkAllowWordsWithNumerals, b.chkAllowWordsWithNumerals);
    EXPECT_EQ(a.chkOutputWithCommas, b.chkOutputWithCommas);
    EXPECT_EQ(a.chkWarnOnOverwrite, b.chkWarnOnOverwrite);
    EXPECT_EQ(a.chkSaveStateOnQuit, b.chkSaveStateOnQuit);
    EXPECT_EQ(a.chkSuppressWords, b.chkSuppressWords);
    EXPECT_EQ(a.chkDisableOutputToFile, b.chkDisableOutputToFile);
    EXPECT_EQ(a.cboWordOrder, b.cboWordOrder);
    EXPECT_EQ(a.cboDisplayFormat, b.cboDisplayFormat);
    EXPECT_EQ(a.strCommonWordsFile, b.strCommonWordsFile);
    EXPECT_EQ(a.chkOnly7bitASCII, b.chkOnly7bitASCII);
    EXPECT_EQ(a.chkIgnoreNoVowel, b.chkIgnoreNoVowel);
}

QString RestoreError(const char* description) {
    return QString::fromLatin1(kRestoreErrorPrefix) + QString::fromLatin1(description);
}

TEST(SettingsFileTest, DefaultsWithEmptyPathsWriteTheThirtyNineLinesExactly) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("defaults.lxt"));
    ASSERT_EQ(SaveState(Settings{}, path), QString());
    const QByteArray written = TempDir::Read(path);
    EXPECT_EQ(written, Lines(DefaultLines()));
    EXPECT_EQ(written.count("\r\n"), kSettingsFileLines);
    // Nothing but the file is left in the folder (no temporary file beside it).
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("defaults.lxt")});
}

TEST(SettingsFileTest, EverySettingSurvivesSaveAndRestore) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("sample.lxt"));
    const Settings saved = Sample();
    ASSERT_EQ(SaveState(saved, path), QString());
    // The words to ignore keep their commas because they are quoted.
    EXPECT_TRUE(TempDir::Read(path).startsWith(
        "\"/home/ann/in put.txt\"\r\n\"/tmp/out.csv\"\r\n\"and, of,the\"\r\n"));

    const RestoredSettings restored = RestoreSavedState(path, Settings{});
    EXPECT_EQ(restored.errorText, QString());
    EXPECT_EQ(restored.linesApplied, kSettingsFileLines);
    ExpectSameStoredFields(restored.settings, saved);
    EXPECT_EQ(restored.settings.txbCommonWordsFile, saved.strCommonWordsFile);
}

TEST(SettingsFileTest, SavingReplacesTheOldFileWhole) {
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("state.usr"), QByteArray(5000, 'x'));
    ASSERT_EQ(SaveState(Settings{}, path), QString());
    EXPECT_EQ(TempDir::Read(path), Lines(DefaultLines()));
}

TEST(SettingsFileTest, SavingToAnImpossiblePathGivesTheSaveError) {
    TempDir dir;
    QDir(dir.Path()).mkdir(QStringLiteral("folder.lxt"));
    const QString error = SaveState(Settings{}, dir.File(QStringLiteral("folder.lxt")));
    EXPECT_TRUE(error.startsWith(QString::fromLatin1(kSaveErrorPrefix))) << error.toStdString();
    EXPECT_GT(error.size(), QString::fromLatin1(kSaveErrorPrefix).size());
    const QString missing = dir.File(QStringLiteral("no/such/folder/x.lxt"));
    EXPECT_TRUE(SaveState(Settings{}, missing).startsWith(QString::fromLatin1(kSaveErrorPrefix)));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

#ifdef Q_OS_UNIX
// A full disk: the write fails only when the buffer is flushed. The old file stays whole and
// the failure is reported. The file size limit stands in for the full disk.
TEST(SettingsFileTest, SavingOnAFullDiskKeepsTheOldFileAndSaysSo) {
    TempDir dir;
    const QByteArray old = Lines(DefaultLines());
    const QString path = dir.Write(QStringLiteral("state.usr"), old);
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 20;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString error = SaveState(Sample(), path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(error.startsWith(QString::fromLatin1(kSaveErrorPrefix))) << error.toStdString();
    EXPECT_EQ(TempDir::Read(path), old);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("state.usr")});
}

// The new file takes the old one's place: it keeps the old file's permissions, and a symbolic
// link stays a link to the file it named, which is the one replaced.
TEST(SettingsFileTest, SavingKeepsPermissionsAndWritesThroughALink) {
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("shared.lxt"), "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    const QString link = dir.File(QStringLiteral("link.lxt"));
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_EQ(SaveState(Settings{}, link), QString());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TempDir::Read(path), Lines(DefaultLines()));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{QStringLiteral("link.lxt"), QStringLiteral("shared.lxt")}));
}

// Pipes and devices are neither written nor read; a file larger than any settings file is
// not read whole.
TEST(SettingsFileTest, PipesDevicesAndHugeFilesAreRefusedAtOnce) {
    TempDir dir;
    const QString fifo = dir.File(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString notRegular = QString::fromLatin1(kNotRegularFileText);
    EXPECT_EQ(SaveState(Settings{}, fifo), QString::fromLatin1(kSaveErrorPrefix) + notRegular);
    EXPECT_EQ(SaveState(Settings{}, QStringLiteral("/dev/full")),
              QString::fromLatin1(kSaveErrorPrefix) + notRegular);
    const QString restoreError = QString::fromLatin1(kRestoreErrorPrefix);
    EXPECT_EQ(RestoreSavedState(fifo, Settings{}).errorText, restoreError + notRegular);
    EXPECT_EQ(RestoreSavedState(QStringLiteral("/dev/zero"), Settings{}).errorText,
              restoreError + notRegular);
    const QString huge =
        dir.Write(QStringLiteral("huge.lxt"), QByteArray(kMaxSettingsFileBytes + 1, '0'));
    const RestoredSettings restored = RestoreSavedState(huge, Sample());
    EXPECT_EQ(restored.errorText, restoreError + QString::fromLatin1(kSettingsFileTooLarge));
    EXPECT_EQ(restored.linesApplied, 0);
}
#endif

TEST(SettingsFileTest, CommentMarkersBoxIsRestoredAsSaved) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("markers.lxt"));
    for (const int box : {0, 1}) {
        Settings saved;
        saved.chkAllowCommentMarkers = box;
        ASSERT_EQ(SaveState(saved, path), QString());
        EXPECT_EQ(TempDir::Read(path).split('\n').at(29), QByteArray::number(box) + "\r");
        Settings current;
        current.chkAllowCommentMarkers = 1 - box;
        const RestoredSettings restored = RestoreSavedState(path, current);
        EXPECT_EQ(restored.errorText, QString());
        EXPECT_EQ(restored.settings.chkAllowCommentMarkers, box);
    }
    // A value no check box holds is refused, as on every other check-box line.
    QList<QByteArray> lines = TempDir::Read(path).split('\n');
    lines[29] = "3\r";
    const QString bad = dir.Write(QStringLiteral("bad.lxt"), lines.join('\n'));
    const RestoredSettings refused = RestoreSavedState(bad, Settings{});
    EXPECT_TRUE(refused.errorText.endsWith(QString::fromLatin1(kInvalidPropertyValue)));
    EXPECT_EQ(refused.linesApplied, 29);
}

TEST(SettingsFileTest, LinesEndingAtLfOrCrReadAsCrLf) {
    TempDir dir;
    Settings saved;
    saved.txbWordsToIgnore = QStringLiteral("alpha beta");
    saved.chkAllowCommentMarkers = 0;
    saved.cboDisplayFormat = 4;
    const QByteArray bytes = SettingsFileBytes(saved);
    for (const char* end : {"\n", "\r"}) {
        QByteArray other = bytes;
        other.replace("\r\n", end);
        const RestoredSettings restored =
            RestoreSavedState(dir.Write(QStringLiteral("ends.lxt"), other), Settings{});
        EXPECT_EQ(restored.errorText, QString()) << end;
        ExpectSameStoredFields(restored.settings, saved);
    }
}

TEST(SettingsFileTest, ThresholdBeyondTheListIsRefusedAfterNineLinesApplied) {
    TempDir dir;
    QList<QByteArray> lines = DefaultLines();
    lines[0] = "\"/data/input.txt\"";
    lines[3] = "\"{\"";
    lines[9] = "8";
    lines[16] = "1";  // case significant: must not be applied
    const QString path = dir.Write(QStringLiteral("bad.lxt"), Lines(lines));
    const RestoredSettings restored = RestoreSavedState(path, Sample());
    EXPECT_EQ(restored.errorText, RestoreError(kInvalidPropertyValue));
    EXPECT_EQ(restored.linesApplied, 9);
    EXPECT_EQ(restored.settings.txbFile[0], QStringLiteral("/data/input.txt"));
    EXPECT_EQ(restored.settings.txbStartComment[0], QStringLiteral("{"));
    EXPECT_EQ(restored.settings.txbWordsToIgnore, QString());
    // The threshold and everything after it keep their earlier values.
    EXPECT_EQ(restored.settings.cboThresholdFrequency, Sample().cboThresholdFrequency);
    EXPECT_EQ(restored.settings.chkCaseSignificant, Sample().chkCaseSignificant);
    EXPECT_EQ(restored.settings.cboDisplayFormat, Sample().cboDisplayFormat);
}

TEST(SettingsFileTest, RefusedValuesNameTheirCause) {
    TempDir dir;
    struct Case {
        int line;
        QByteArray field;
        const char* description;  // null: accepted
    };
    const Case cases[] = {
        {17, "3", kInvalidPropertyValue},
        {17, "-1", kInvalidPropertyValue},
        {17, "2", nullptr},
        {38, "1 tick", nullptr},
        {12, "yes", nullptr},
        {36, "10", kInvalidPropertyValue},
        {35, "2", kInvalidPropertyValue},
        {8, "x", kTypeMismatch},
        {9, "40000", kOverflow},
        {20, "70000", kOverflow},
        {14, "99999", nullptr},  // reserved lines are not checked
        {30, "99999", kOverflow},
        {30, "7", kInvalidPropertyValue},  // the comment-markers box, like every other box
        {30, "0", nullptr},
    };
    for (const Case& c : cases) {
        QList<QByteArray> lines = DefaultLines();
        lines[c.line - 1] = c.field;
        const QString path = dir.Write(QStringLiteral("case.lxt"), Lines(lines));
        const RestoredSettings restored = RestoreSavedState(path, Settings{});
        if (c.description) {
            EXPECT_EQ(restored.errorText, RestoreError(c.description)) << c.line;
            EXPECT_EQ(restored.linesApplied, c.line - 1) << c.line;
        } else {
            EXPECT_EQ(restored.errorText, QString()) << c.line;
            EXPECT_EQ(restored.linesApplied, kSettingsFileLines) << c.line;
        }
    }
}

TEST(SettingsFileTest, NumbersReadFromTextAreRoundedToWholeNumbers) {
    TempDir dir;
    QList<QByteArray> lines = DefaultLines();
    lines[16] = "0.6";  // case significant
    lines[17] = "2.5";  // drop final s: halves go to the even neighbour
    lines[18] = "abc";  // hyphens: no number gives 0
    lines[9] = "  3";   // threshold, leading blanks skipped
    const QString path = dir.Write(QStringLiteral("round.lxt"), Lines(lines));
    const RestoredSettings restored = RestoreSavedState(path, Settings{});
    ASSERT_EQ(restored.errorText, QString());
    EXPECT_EQ(restored.settings.chkCaseSignificant, 1);
    EXPECT_EQ(restored.settings.chkDropFinalS, 2);
    EXPECT_EQ(restored.settings.chkAllowWordsWithHyphens, 0);
    EXPECT_EQ(restored.settings.cboThresholdFrequency, 3);
}

TEST(SettingsFileTest, FieldsAreCommaDelimitedUnlessQuoted) {
    TempDir dir;
    // Two fields on the first line; an unquoted text runs to the comma.
    QList<QByteArray> lines = DefaultLines();
    lines[0] = "\"a,b\", plain text ";
    lines.removeAt(1);
    const QString path = dir.Write(QStringLiteral("commas.lxt"), Lines(lines));
    const RestoredSettings restored = RestoreSavedState(path, Settings{});
    EXPECT_EQ(restored.errorText, QString());
    EXPECT_EQ(restored.settings.txbFile[0], QStringLiteral("a,b"));
    EXPECT_EQ(restored.settings.txbFile[1], QStringLiteral("plain text"));
}

TEST(SettingsFileTest, FileEndingEarlyIsRefusedAfterWhatItHolds) {
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("short.lxt"), Lines(DefaultLines().mid(0, 20)));
    const RestoredSettings restored = RestoreSavedState(path, Sample());
    EXPECT_EQ(restored.errorText, RestoreError(kInputPastEndOfFile));
    EXPECT_EQ(restored.linesApplied, 20);
    EXPECT_EQ(restored.settings.chkAllowWordsWithApostrophes, 0);  // line 20 applied
    EXPECT_EQ(restored.settings.chkAllowWordsWithNumerals, 1);     // line 27 not reached
}

TEST(SettingsFileTest, NoSelectionStoredGivesTheComboBoxError) {
    TempDir dir;
    QList<QByteArray> lines = DefaultLines();
    lines[35] = "-1";
    const QString path = dir.Write(QStringLiteral("nosel.lxt"), Lines(lines));
    const RestoredSettings restored = RestoreSavedState(path, Settings{});
    EXPECT_EQ(restored.errorText, QString::fromLatin1(kInvalidComboBoxIndex));
    EXPECT_EQ(restored.linesApplied, kSettingsFileLines);
    EXPECT_EQ(restored.settings.cboDisplayFormat, -1);
}

TEST(SettingsFileTest, MissingFileAtFirstStartLeavesEverythingAsItWas) {
    TempDir dir;
    const RestoredSettings restored =
        RestoreSavedState(dir.File(QStringLiteral("lxt.usr")), Sample());
    EXPECT_TRUE(restored.errorText.startsWith(QString::fromLatin1(kRestoreErrorPrefix)));
    EXPECT_GT(restored.errorText.size(), QString::fromLatin1(kRestoreErrorPrefix).size());
    EXPECT_EQ(restored.linesApplied, 0);
    ExpectSameStoredFields(restored.settings, Sample());
}

TEST(SettingsFileTest, DoubleQuotesInsideTextsReadBackUnchanged) {
    TempDir dir;
    Settings saved;
    saved.txbStartComment[0] = QStringLiteral("\"");
    saved.txbFile[0] = QStringLiteral("say \"hello\", world");
    const QString path = dir.File(QStringLiteral("quotes.lxt"));
    ASSERT_EQ(SaveState(saved, path), QString());
    EXPECT_TRUE(TempDir::Read(path).startsWith("\"say \"\"hello\"\", world\"\r\n"));
    const RestoredSettings restored = RestoreSavedState(path, Settings{});
    EXPECT_EQ(restored.errorText, QString());
    EXPECT_EQ(restored.settings.txbFile[0], saved.txbFile[0]);
    EXPECT_EQ(restored.settings.txbStartComment[0], saved.txbStartComment[0]);
}

TEST(SettingsFileTest, TextsAreWrittenInWindows1252) {
    TempDir dir;
    Settings saved;
    saved.txbWordsToIgnore = QStringLiteral("café œuvre 中");
    const QString path = dir.File(QStringLiteral("ansi.lxt"));
    ASSERT_EQ(SaveState(saved, path), QString());
    EXPECT_EQ(TempDir::Read(path).split('\n').at(2), QByteArray("\"caf\xe9 \x9cuvre ?\"\r"));
    EXPECT_EQ(RestoreSavedState(path, Settings{}).settings.txbWordsToIgnore,
              QStringLiteral("café œuvre ?"));
}

TEST(SettingsFileTest, ApplyingLinesInOrderCopiesOnlyThoseFields) {
    const Settings from = Sample();
    Settings to;
    for (int line = 1; line <= 13; ++line) ApplySettingsLine(line, from, to);
    EXPECT_EQ(to.txbFile, from.txbFile);
    EXPECT_EQ(to.cboThresholdFrequency, from.cboThresholdFrequency);
    EXPECT_EQ(to.chkIgnoreCommonWords, 1);
    EXPECT_EQ(to.chkCaseSignificant, 0);  // line 17 not applied
    for (int line = 14; line <= kSettingsFileLines; ++line) ApplySettingsLine(line, from, to);
    ExpectSameStoredFields(to, from);
    EXPECT_EQ(to.txbCommonWordsFile, from.strCommonWordsFile);
    EXPECT_EQ(to.chkAllowCommentMarkers, 0);
}

TEST(SettingsFileTest, StateFileLivesInTheUserDataFolderWhichIsCreated) {
    TempDir dir;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.Path().toLocal8Bit());
    const QString path = StateFilePath();
    EXPECT_TRUE(path.endsWith(QStringLiteral("lxt.usr"))) << path.toStdString();
    EXPECT_TRUE(path.startsWith(dir.Path())) << path.toStdString();
    EXPECT_TRUE(QFileInfo(QFileInfo(path).absolutePath()).isDir());
    // Empty names mean the state file.
    EXPECT_EQ(SaveState(Sample(), QString()), QString());
    EXPECT_EQ(TempDir::Read(path), SettingsFileBytes(Sample()));
    EXPECT_EQ(RestoreSavedState(QString(), Settings{}).linesApplied, kSettingsFileLines);
    if (saved.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

}  // namespace
}  // namespace lxt
