// Runs the real lxt-count on small files and compares what it writes with what the engine
// writes for the same settings in the windows' way (the run driver with a scripted Ui).
#include "cli/count_command.h"

#include <gtest/gtest.h>

#include <zip.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <functional>
#include <vector>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "count/count_driver.h"
#include "exclude/common_words.h"
#include "exclude/words_to_ignore.h"
#include "run/run_state.h"
#include "settings/settings_file.h"
#include "support/catalogue.h"
#include "support/language_tables.h"

namespace lxt::cli {
namespace {

using test::TempDir;

struct Result {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QString Program() {
    return QCoreApplication::applicationDirPath() + "/lxt-count";
}

// Runs lxt-count with `input` on its standard input (closed at its end); a run that takes
// longer than `timeoutMs` is a failure and is ended.
Result RunLxtCount(const QStringList& args, const QByteArray& input = {}, int timeoutMs = 120000) {
    QProcess process;
    process.start(Program(), args);
    if (process.waitForStarted()) {
        process.write(input);
        process.closeWriteChannel();
    }
    if (!process.waitForFinished(timeoutMs)) {
        ADD_FAILURE() << "still running: " << args.join(' ').toStdString();
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

// A text of `lines` CR LF lines, rich in repeated words.
QByteArray Story() {
    return "The quick brown fox jumps over the lazy dog. The dog sleeps; the fox runs.\r\n"
           "Well-known foxes don't wait: Foxes run 2nd and 3rd, mp3 players hum.\r\n"
           "Cats and dogs, CATS and DOGS, cat and dog, brrr and hmm and nth.\r\n"
           "The end of the story is the end of the dog and the fox.\r\n";
}

class LxtCountTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { LoadCatalogue(CataloguePath(test::DataDir())); }

    // The engine's run for `settings` on `input`, writing `output`; returns the listing as the
    // output box shows it, with plain line breaks.
    static QByteArray EngineListing(Settings settings, const QString& input,
                                    const QString& output) {
        test::ScriptedUi ui;
        ui.AllowUnexpected(true);
        RunState run(ui);
        settings.txbFile[0] = input;
        settings.txbFile[1] = output;
        settings.chkSuppressWords = 1;
        run.settings = settings;
        run.blnStartUpCompleted = true;
        EXPECT_TRUE(TakeOverWordsToIgnore(run));
        if (settings.chkIgnoreCommonWords == 1) {
            run.strCommonWordsFile = settings.txbCommonWordsFile;
            EXPECT_TRUE(ReadCommonWords(run));
        }
        EXPECT_EQ(cmdListWords_Click(run), RunOutcome::Listed);
        QString text = ui.OutputText();
        text.replace("\r\n", "\n");
        return text.toUtf8();
    }

    TempDir dir;
};

TEST_F(LxtCountTest, HelpExplainsEveryOptionWithAnExample) {
    const Result r = RunLxtCount({"--help"});
    EXPECT_EQ(r.status, kExitCounted);
    const QString help = QString::fromUtf8(r.out);
    for (const char* option : {"--case-significant",
                               "--no-hyphens",
                               "--apostrophes",
                               "--numerals",
                               "--drop-final-s",
                               "--keep-no-vowel",
                               "--only-7bit",
                               "--utf8",
                               "--ansi",
                               "--no-comment-markers",
                               "--ignore",
                               "--common-words",
                               "--threshold",
                               "--order",
                               "--format",
                               "--commas",
                               "--output",
                               "--settings",
                               "--save-settings",
                               "--as-clipboard",
                               "--stats",
                               "--zipf",
                               "--quiet",
                               "--help",
                               "--version"}) {
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    }
    for (const char* example : {"lxt-count --case-significant", "lxt-count --common-words en",
                                "lxt-count --threshold 3", "lxt-count --settings mine.lxt"}) {
        EXPECT_TRUE(help.contains(QLatin1String(example))) << example;
    }
    EXPECT_TRUE(help.contains("Exit status"));
    EXPECT_TRUE(help.contains("Invalid checksum"));

    const Result v = RunLxtCount({"--version"});
    EXPECT_EQ(v.status, kExitCounted);
    EXPECT_TRUE(v.out.startsWith("lxt-count "));
}

TEST_F(LxtCountTest, UsageErrorsExitWithTwo) {
    const QString in = dir.Write("in.txt", Story());
    for (const QStringList& args :
         {QStringList{"--bogus", in}, QStringList{"--threshold", "1", in},
          QStringList{"--format", "12", in}, QStringList{"--output"},
          QStringList{"--utf8", "--only-7bit", in}, QStringList{"--ignore", "don't", in},
          QStringList{"--common-words", dir.File("none.txt"), in}}) {
        const Result r = RunLxtCount(args);
        EXPECT_EQ(r.status, kExitUsage) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    const Result r = RunLxtCount({"--utf8", "--only-7bit", in});
    EXPECT_TRUE(
        r.err.contains("Scanning as UTF-8 is not compatible with\n"
                       "allowing only 7-bit ASCII characters."));
}

// The same settings through options and through the engine give the same file and listing.
TEST_F(LxtCountTest, OutputFileIsByteIdenticalToTheEnginesForEveryOptionGroup) {
    const QString in = dir.Write("in.txt", Story());
    struct Case {
        QStringList args;
        std::function<void(Settings&)> set;
    };
    const std::vector<Case> cases = {
        {{}, [](Settings&) {}},
        {{"--case-significant", "--apostrophes", "--numerals", "--format", "1", "--commas"},
         [](Settings& s) {
             s.chkCaseSignificant = 1;
             s.chkAllowWordsWithApostrophes = 1;
             s.chkAllowWordsWithNumerals = 1;
             s.cboDisplayFormat = 1;
             s.chkOutputWithCommas = 1;
         }},
        {{"--no-hyphens", "--drop-final-s", "--keep-no-vowel", "--order", "alphabetical",
          "--format", "word (+ commas)"},
         [](Settings& s) {
             s.chkAllowWordsWithHyphens = 0;
             s.chkDropFinalS = 1;
             s.chkIgnoreNoVowel = 0;
             s.cboWordOrder = 1;
             s.cboDisplayFormat = 9;
         }},
        {{"--threshold", "3", "--format", "word-frequency", "--commas"},
         [](Settings& s) {
             s.chkIgnoreInfrequentWords = 1;
             s.cboThresholdFrequency = 1;
             s.cboDisplayFormat = 7;
             s.chkOutputWithCommas = 1;
         }},
        {{"--ignore", "FOX  the,end", "--only-7bit", "--format", "6"},
         [](Settings& s) {
             s.txbWordsToIgnore = "FOX  the,end";
             s.chkOnly7bitASCII = 1;
             s.cboDisplayFormat = 6;
         }},
        {{"--common-words", "en", "--format", "4", "--order", "frequency"},
         [](Settings& s) {
             s.chkIgnoreCommonWords = 1;
             s.txbCommonWordsFile = LanguageFilePath(0);
             s.cboDisplayFormat = 4;
         }},
    };
    int n = 0;
    for (const Case& c : cases) {
        ++n;
        const QString cliOut = dir.File(QString("cli%1.txt").arg(n));
        const QString engineOut = dir.File(QString("engine%1.txt").arg(n));
        const Result r = RunLxtCount(c.args + QStringList{"--output", cliOut, in});
        ASSERT_EQ(r.status, kExitCounted) << c.args.join(' ').toStdString() << r.err.constData();
        Settings settings;
        c.set(settings);
        const QByteArray listing = EngineListing(settings, in, engineOut);
        const QByteArray file = TempDir::Read(cliOut);
        EXPECT_FALSE(file.isEmpty());
        EXPECT_EQ(file, TempDir::Read(engineOut)) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.out, listing) << c.args.join(' ').toStdString();
    }
}

TEST_F(LxtCountTest, ListingHasNoOutputBoxLimit) {
    // About 9,000 different words: far more than 65,000 characters of listing.
    QByteArray text;
    for (int i = 0; i < 9000; ++i) {
        QByteArray word = "w";
        for (int v = i; v > 0 || word.size() == 1; v /= 26) word += char('a' + v % 26);
        text += word + "ord ";
        if (i % 10 == 9) text += "\r\n";
    }
    const QString in = dir.Write("many.txt", text);
    const Result r = RunLxtCount({"--quiet", in});
    EXPECT_EQ(r.status, kExitCounted);
    EXPECT_GT(r.out.size(), 65000 * 3);
    EXPECT_EQ(r.out.count('\n'), 9001);                 // header and one line per word
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();  // no bar when not a terminal
}

TEST_F(LxtCountTest, StatsAddTheFourStatisticsLines) {
    const QString in = dir.Write("in.txt", "alpha beta beta gamma gamma gamma\r\n");
    const Result r = RunLxtCount({"--stats", "--threshold", "2", in});
    EXPECT_EQ(r.status, kExitCounted);
    EXPECT_TRUE(
        r.out.endsWith("Number of words in this list: 2\n"
                       "Number of words ignored: 1\n"
                       "Number of instances of words in this list: 5\n"
                       "Total number of instances of words: 6\n"))
        << r.out.constData();
}

TEST_F(LxtCountTest, ZipfPrintsTheFitOfTheListedWordsAfterTheListing) {
    // Frequencies 60 / rank, and two words seen once that the fit leaves out.
    QByteArray text = "alpha beta gamma\r\n";
    for (const auto& [word, count] : {std::pair<const char*, int>{"zulu", 60},
                                      {"yankee", 30},
                                      {"xray", 20},
                                      {"whiskey", 15},
                                      {"victor", 12},
                                      {"uniform", 10}}) {
        for (int i = 0; i < count; ++i) text += QByteArray(word) + "\r\n";
    }
    const QString in = dir.Write("in.txt", text);
    const Result r = RunLxtCount({"--zipf", "--order", "alphabetical", in});
    EXPECT_EQ(r.status, kExitCounted);
    EXPECT_TRUE(r.out.contains("uniform")) << r.out.constData();
    EXPECT_EQ(r.err, QByteArray("Zipf exponent s = 1.0000, R² = 1.0000, ranks used: 6\n"));
    // The threshold leaves one word: nothing to fit.
    const Result few = RunLxtCount(
        {"--zipf", "--threshold", "9",
         dir.Write("few.txt", "alpha alpha beta\r\n" + QByteArray("zulu ").repeated(9))});
    EXPECT_EQ(few.err, QByteArray("too few ranks to fit\n"));
}

TEST_F(LxtCountTest, NoWordsIsStillACount) {
    const QString in = dir.Write("in.txt", "a b c 12 34\r\n");
    const Result r = RunLxtCount({in});
    EXPECT_EQ(r.status, kExitCounted);
    EXPECT_EQ(r.out, QByteArray("No words satisfying the conditions were found.\n"));
}

TEST_F(LxtCountTest, RefusedOrUnreadableInputExitsWithOne) {
    const Result missing = RunLxtCount({dir.File("missing.txt")});
    EXPECT_EQ(missing.status, kExitInputRefused);
    EXPECT_TRUE(missing.err.contains("Input file does not exist."));

    const Result empty = RunLxtCount({dir.Write("empty.txt", "")});
    EXPECT_EQ(empty.status, kExitInputRefused);
    EXPECT_TRUE(empty.err.contains("Input file is zero-length."));

    QByteArray binary;
    for (int i = 0; i < 4000; ++i) binary += char(i % 7);
    const Result notText = RunLxtCount({dir.Write("data.txt", binary)});
    EXPECT_EQ(notText.status, kExitInputRefused);
    EXPECT_TRUE(notText.err.contains("is not an ANSI or UTF-8 encoded text file."));
}

TEST_F(LxtCountTest, FixedAnswersLetTheCountGoOn) {
    // Unix line ends at any size: counted line by line without a word; the large-input
    // question is not asked.
    QByteArray unix;
    int lines = 0;
    for (; unix.size() <= 600000; ++lines) unix += "some words on a line // not this\n";
    const Result r = RunLxtCount({dir.Write("unix.txt", unix)});
    EXPECT_EQ(r.status, kExitCounted) << r.err.constData();
    EXPECT_TRUE(r.out.contains(QByteArray::number(lines) + "  some\n")) << r.out.left(200).data();
    EXPECT_FALSE(r.out.contains("this"));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();

    // Macintosh line ends: the information goes to standard error, the count goes on.
    const Result mac = RunLxtCount({dir.Write("mac.txt", "apple pear\rapple plum\r")});
    EXPECT_EQ(mac.status, kExitCounted);
    // One line about the file, without the advice to use a Windows program.
    EXPECT_TRUE(mac.err.startsWith("lxt-count: " + dir.File("mac.txt").toUtf8() + ": "));
    EXPECT_TRUE(mac.err.contains("has Macintosh-type line endings (CR)."));
    EXPECT_EQ(mac.err.count('\n'), 1) << mac.err.constData();
    EXPECT_FALSE(mac.err.contains("Notepad++"));
    EXPECT_TRUE(mac.out.contains("      1       2  apple"));

    // An existing output file is overwritten, also when warning on overwrite is saved.
    const QString out = dir.Write("out.txt", "old contents");
    Settings warn;
    warn.chkWarnOnOverwrite = 1;
    const QString settings = dir.File("warn.lxt");
    ASSERT_EQ(SaveState(warn, settings), QString());
    const Result over =
        RunLxtCount({"--settings", settings, "--output", out, dir.Write("in.txt", Story())});
    EXPECT_EQ(over.status, kExitCounted);
    EXPECT_TRUE(TempDir::Read(out).startsWith("\"To open this file in Excel"));
}

TEST_F(LxtCountTest, EncodingFollowsTheDetectionUnlessAnOptionSaysOtherwise) {
    // A byte-order mark makes the inspection find UTF-8: the question is answered Yes.
    const QString marked = dir.Write("bom.txt",
                                     "\xEF\xBB\xBF"
                                     "caf\xC3\xA9 caf\xC3\xA9 na\xC3\xAFve\r\n");
    const Result follow = RunLxtCount({marked});
    EXPECT_EQ(follow.status, kExitCounted);
    EXPECT_TRUE(follow.out.contains("      1       2  caf\xC3\xA9\n")) << follow.out.constData();
    EXPECT_TRUE(follow.out.contains("na\xC3\xAFve\n"));

    // --ansi answers No: the two bytes of each accented letter are two characters, and the
    // second of them (a copyright sign) ends the word.
    const Result ansi = RunLxtCount({"--ansi", marked});
    EXPECT_EQ(ansi.status, kExitCounted);
    EXPECT_TRUE(ansi.out.contains("caf\xC3\xA3\n")) << ansi.out.constData();

    // Without a mark, valid UTF-8 throughout is UTF-8 all the same; --ansi says otherwise,
    // and Yes drops the 7-bit rule as the window's Yes does.
    const QString plain = dir.Write("plain.txt", "caf\xC3\xA9 caf\xC3\xA9 tea\n");
    EXPECT_TRUE(RunLxtCount({plain}).out.contains("      1       2  caf\xC3\xA9\n"));
    EXPECT_TRUE(RunLxtCount({"--ansi", plain}).out.contains("caf\xC3\xA3\n"));
    EXPECT_TRUE(RunLxtCount({"--only-7bit", plain}).out.contains("caf\xC3\xA9\n"));
    // One Windows-1252 byte among it: ANSI unless --utf8 says otherwise.
    const QString mixed = dir.Write("mixed.txt", "caf\xC3\xA9 caf\xC3\xA9 th\xE9\r\n");
    EXPECT_TRUE(RunLxtCount({mixed}).out.contains("caf\xC3\xA3\n"));
    const Result forced = RunLxtCount({"--utf8", mixed});
    EXPECT_EQ(forced.status, kExitCounted);
    EXPECT_TRUE(forced.out.contains("      1       2  caf\xC3\xA9\n")) << forced.out.constData();
}

TEST_F(LxtCountTest, SameTextWithAnyLineEndsOrMarkGivesTheSameOutputFile) {
    const QByteArray lines[] = {
        "Gr\xC3\xBC\xC3\x9F"
        "e aus M\xC3\xBCnchen, siehe https://example.org/x",
        "\xC3\x9C"
        "ber /* nicht das */ alles \xC3\xBC"
        "ber",
        "Stra\xC3\x9F"
        "e und Stra\xC3\x9F"
        "en // Ende"};
    QByteArray first;
    int n = 0;
    for (const char* end : {"\r\n", "\n", "\r"}) {
        QByteArray text;
        for (const QByteArray& line : lines) text += line + end;
        for (const bool mark : {false, true}) {
            const QString in =
                dir.Write(QString("in%1.txt").arg(++n), mark ? "\xEF\xBB\xBF" + text : text);
            const QString out = dir.File(QString("out%1.txt").arg(n));
            const Result r = RunLxtCount(mark ? QStringList{"--utf8", "--output", out, in}
                                              : QStringList{"--output", out, in});
            ASSERT_EQ(r.status, kExitCounted) << r.err.constData();
            const QByteArray file = TempDir::Read(out);
            if (first.isEmpty()) first = file;
            EXPECT_EQ(file, first) << n;
        }
    }
    EXPECT_TRUE(
        first.contains("\xFC"
                       "ber"));  // Windows-1252 in the output file
    EXPECT_FALSE(first.contains("nicht"));
    EXPECT_FALSE(first.contains("example"));
}

TEST_F(LxtCountTest, CommentMarkersFollowTheBoxAndTheSettingsFile) {
    const QString in = dir.Write("c.txt", "one // two\nthree /* four */ five\nsix # seven\n");
    auto words = [](const QByteArray& out) {
        QStringList found;
        for (const QByteArray& line : out.split('\n')) {
            const QByteArray trimmed = line.trimmed();
            if (!trimmed.isEmpty() && trimmed[0] >= '0' && trimmed[0] <= '9') {
                found << QString::fromLatin1(trimmed.split(' ').last());
            }
        }
        found.sort();
        return found.join(' ');
    };
    EXPECT_EQ(words(RunLxtCount({in}).out), "five one seven six three");
    EXPECT_EQ(words(RunLxtCount({"--no-comment-markers", in}).out),
              "five four one seven six three two");
    Settings own;
    own.txbStartComment = {QStringLiteral("#"), QString()};
    own.txbEndComment = {QString(), QString()};
    const QString hash = dir.File("hash.lxt");
    ASSERT_EQ(SaveState(own, hash), QString());
    EXPECT_EQ(words(RunLxtCount({"--settings", hash, in}).out), "five four one six three two");
    // A settings file saved with the box cleared restores it cleared.
    own.chkAllowCommentMarkers = 0;
    ASSERT_EQ(SaveState(own, hash), QString());
    EXPECT_EQ(words(RunLxtCount({"--settings", hash, in}).out),
              "five four one seven six three two");
}

TEST_F(LxtCountTest, OutputFileThatCannotBeWrittenExitsWithThree) {
    const QString in = dir.Write("in.txt", Story());
    const Result noFolder = RunLxtCount({"--output", dir.File("no/such/out.txt"), in});
    EXPECT_EQ(noFolder.status, kExitOutputFailed);
    EXPECT_TRUE(noFolder.err.contains("At DoIt error #")) << noFolder.err.constData();

#ifdef Q_OS_UNIX
    const QString locked = dir.Write("locked.txt", "kept");
    const bool root = ::geteuid() == 0;
    const bool madeLocked = root ? QProcess::execute("chattr", {"+i", locked}) == 0
                                 : QFile::setPermissions(locked, QFileDevice::ReadOwner);
    if (madeLocked) {
        const Result r = RunLxtCount({"--output", locked, in});
        if (root) QProcess::execute("chattr", {"-i", locked});
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        EXPECT_EQ(r.status, kExitOutputFailed);
        EXPECT_TRUE(r.err.contains("At DoIt error #70.\nDescription: Permission denied"));
        EXPECT_TRUE(r.err.contains("If the output file is open in Excel then it must first be"));
        EXPECT_EQ(TempDir::Read(locked), QByteArray("kept"));
    }
#endif
}

TEST_F(LxtCountTest, SaveSettingsWritesTheSettingsInForceAndSettingsReadsThem) {
    const QString saved = dir.File("mine.lxt");
    const Result save = RunLxtCount(
        {"--apostrophes", "--format", "7", "--threshold", "4", "--save-settings", saved});
    EXPECT_EQ(save.status, kExitCounted);
    const QByteArray bytes = TempDir::Read(saved);
    EXPECT_EQ(bytes.count("\r\n"), kSettingsFileLines);

    const RestoredSettings restored = RestoreSavedState(saved, Settings{});
    EXPECT_EQ(restored.errorText, QString());
    EXPECT_EQ(restored.settings.chkAllowWordsWithApostrophes, 1);
    EXPECT_EQ(restored.settings.cboDisplayFormat, 7);
    EXPECT_EQ(restored.settings.chkIgnoreInfrequentWords, 1);
    EXPECT_EQ(restored.settings.cboThresholdFrequency, 2);

    const QString in = dir.Write("in.txt", "don't don't stop\r\n");
    const Result used = RunLxtCount({"--settings", saved, "--threshold", "2", in});
    EXPECT_EQ(used.status, kExitCounted);
    // Format 7 and apostrophes from the file, the threshold from the option after it.
    EXPECT_TRUE(used.out.startsWith("  Word ")) << used.out.constData();
    EXPECT_TRUE(used.out.contains("\n  don't ")) << used.out.constData();
    EXPECT_TRUE(used.out.endsWith(" 2\n"));
    EXPECT_EQ(used.out.count('\n'), 2);
    // An option before --settings is overridden by it: the threshold 4 of the file stands.
    const Result before = RunLxtCount({"--threshold", "2", "--settings", saved, in});
    EXPECT_EQ(before.out,
              QByteArray("No words with more than 2 letters occur at least 4 times.\n"));

    const Result unwritable = RunLxtCount({"--save-settings", dir.File("no/dir/x.lxt")});
    EXPECT_EQ(unwritable.status, kExitOutputFailed);
    // The windows' own default for "Don't display words as found", which the counter ticks.
    EXPECT_EQ(restored.settings.chkSuppressWords, Settings{}.chkSuppressWords);
}

#ifdef Q_OS_UNIX
// Pipes and devices are refused at once, never opened; a hard link to the input is the input.
TEST_F(LxtCountTest, OddPathsAreRefusedAtOnceAndNeverWaitedFor) {
    const QString in = dir.Write("in.txt", Story());
    const QString fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.File("link.csv");
    ASSERT_EQ(::link(QFile::encodeName(in).constData(), QFile::encodeName(link).constData()), 0);
    const QString settings = dir.File("kept.lxt");
    ASSERT_EQ(RunLxtCount({"--save-settings", settings}).status, kExitCounted);
    const QByteArray keptSettings = TempDir::Read(settings);
    struct Case {
        QStringList args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--common-words", fifo, in}, kExitUsage, "is not a regular file"},
        {{"--common-words", "/dev/zero", in}, kExitUsage, "is not a regular file"},
        {{"--settings", fifo, in}, kExitUsage, "is not a regular file"},
        {{"--settings", "/dev/zero", in}, kExitUsage, "is not a regular file"},
        {{"--output", fifo, in}, kExitOutputFailed, "is not a regular file"},
        {{"--output", "/dev/full", in}, kExitOutputFailed, "is not a regular file"},
        {{"--save-settings", "/dev/full"}, kExitOutputFailed, "is not a regular file"},
        {{"--output", link, in},
         kExitInputRefused,
         "Output file cannot be the same as the input file."},
    };
    for (const Case& c : cases) {
        const Result r = RunLxtCount(c.args, {}, 20000);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.constData();
    }
    EXPECT_EQ(TempDir::Read(in), Story());
    EXPECT_EQ(TempDir::Read(settings), keptSettings);

    // A settings file far larger than any is refused before it is read whole.
    const QString huge = dir.Write("huge.lxt", QByteArray(kMaxSettingsFileBytes + 10, '0'));
    const Result r = RunLxtCount({"--settings", huge, in});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(r.err.contains(kSettingsFileTooLarge)) << r.err.constData();
}
#endif

#ifdef Q_OS_UNIX
// Runs lxt-count with arguments given as bytes: QProcess would encode a file name that is not
// UTF-8 into another name. Standard output and error go to files of `scratch`.
Result RunLxtCountWithBytes(const QList<QByteArray>& args, const TempDir& scratch) {
    QByteArray program = QFile::encodeName(Program());
    QList<QByteArray> owned = args;
    std::vector<char*> argv{program.data()};
    for (QByteArray& arg : owned) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const QByteArray outPath = QFile::encodeName(scratch.File("out"));
    const QByteArray errPath = QFile::encodeName(scratch.File("err"));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start lxt-count";
        return {};
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TempDir::Read(scratch.File("out")),
            TempDir::Read(scratch.File("err"))};
}

// The names in a folder, as bytes.
QList<QByteArray> NamesIn(const QByteArray& folder) {
    QList<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") names << name;
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

#endif

TEST_F(LxtCountTest, CommonWordsFromALanguageOrAFile) {
    const QString in = dir.Write("in.txt", "the cat and the other cat\r\n");
    const Result en = RunLxtCount({"--common-words", "en", "--format", "8", in});
    EXPECT_EQ(en.status, kExitCounted);
    EXPECT_TRUE(en.out.contains("cat\n"));
    EXPECT_FALSE(en.out.contains("the\n"));

    const QString mixed = dir.Write("mixed.txt", "the cat und der Hund\r\n");
    const Result de = RunLxtCount({"--common-words", "de", "--format", "8", mixed});
    EXPECT_TRUE(de.out.contains("the\n")) << de.out.constData();
    EXPECT_FALSE(de.out.contains("\nund\n"));
    const Result all = RunLxtCount({"--common-words", "ALL", "--format", "8", mixed});
    EXPECT_FALSE(all.out.contains("\nthe\n")) << all.out.constData();
    EXPECT_FALSE(all.out.contains("\nund\n"));
    EXPECT_TRUE(all.out.contains("hund\n"));

    const QString own = dir.Write("own.txt", "cat\r\n");
    const Result file = RunLxtCount({"--common-words", own, "--format", "8", in});
    EXPECT_EQ(file.status, kExitCounted);
    EXPECT_EQ(file.out, QByteArray("Word (longest has 5 characters)\nthe\nand\nother\n"));
}

TEST_F(LxtCountTest, AsClipboardCountsTheTextAsOneLineWithTheClipboardChecks) {
    // HTML markup is not skipped for clipboard text: the tags' words count.
    const QString html = dir.Write("page.htm", "<html><body>word word</body></html>\r\n");
    const Result asFile = RunLxtCount({"--format", "8", html});
    EXPECT_EQ(asFile.out, QByteArray("Word (longest has 4 characters)\nword\n"));
    const Result asClip = RunLxtCount({"--as-clipboard", "--format", "8", html});
    EXPECT_EQ(asClip.status, kExitCounted);
    EXPECT_TRUE(asClip.out.contains("\nbody\n")) << asClip.out.constData();

    const Result control = RunLxtCount({"--as-clipboard", dir.Write("esc.txt", "text \x1b here")});
    EXPECT_EQ(control.status, kExitInputRefused);
    EXPECT_TRUE(control.err.contains("solely of natural language words."));

    const Result tooMuch =
        RunLxtCount({"--as-clipboard", dir.Write("big.txt", QByteArray(100001, 'a'))});
    EXPECT_EQ(tooMuch.status, kExitInputRefused);
    EXPECT_TRUE(tooMuch.err.contains("There are 100,001 characters in the text on the clipboard."));
}

TEST_F(LxtCountTest, SeveralFilesAreCountedAsOneTextEachReadOnItsOwn) {
    const QString plain = dir.Write("plain.txt", "apple pear apple\r\n");
    // Markup is skipped in the web page only; the marked file is read as UTF-8 on its own.
    const QString page = dir.Write("page.htm", "<p class=\"apple\">pear plum</p>\r\n");
    const QString marked = dir.Write("marked.txt",
                                     "\xEF\xBB\xBF"
                                     "caf\xC3\xA9 apple\r\n");
    const QString missing = dir.File("missing.txt");
    const Result r = RunLxtCount({"--tsv", plain, missing, page, marked, plain});
    EXPECT_EQ(r.status, kExitInputRefused) << r.err.constData();
    EXPECT_EQ(r.out, QByteArray("apple\t5\npear\t3\ncaf\xC3\xA9\t1\nplum\t1\n"));
    const QString err = QString::fromUtf8(r.err);
    EXPECT_TRUE(err.contains("lxt-count: " + missing + ": Input file does not exist.\n"))
        << r.err.constData();
    EXPECT_TRUE(err.contains("lxt-count: " + plain + ": given 2 times, counted 2 times\n"));

    // All refused: nothing is listed.
    const Result none = RunLxtCount({missing, dir.Write("empty.txt", "")});
    EXPECT_EQ(none.status, kExitInputRefused);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_TRUE(none.err.contains(": Input file is zero-length.\n")) << none.err.constData();
}

TEST_F(LxtCountTest, TsvAndJsonHoldTheListedWordsInTheChosenOrder) {
    const QString in = dir.Write("in.txt", "beta alpha beta gamma gamma gamma delta the the\r\n");
    const QStringList rules{"--threshold", "2", "--ignore", "the"};
    const Result tsv = RunLxtCount(rules + QStringList{"--tsv", "--stats", in});
    EXPECT_EQ(tsv.status, kExitCounted);
    EXPECT_EQ(tsv.out, QByteArray("gamma\t3\nbeta\t2\n"));
    // Nothing else on standard output: the statistics go to standard error.
    EXPECT_TRUE(tsv.err.contains("Number of words in this list: 2\n")) << tsv.err.constData();
    const Result alphabetical =
        RunLxtCount(rules + QStringList{"--tsv", "--order", "alphabetical", in});
    EXPECT_EQ(alphabetical.out, QByteArray("beta\t2\ngamma\t3\n"));

    const Result json = RunLxtCount(rules + QStringList{"--json", in});
    EXPECT_EQ(json.status, kExitCounted);
    EXPECT_TRUE(json.out.endsWith("}\n"));
    EXPECT_EQ(json.out.count('\n'), 1);
    const QJsonObject object = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(object["wordsInList"].toInt(), 2);
    EXPECT_EQ(object["wordsIgnored"].toInt(), 2);  // alpha and delta
    EXPECT_EQ(object["instancesInList"].toInt(), 5);
    EXPECT_EQ(object["totalInstances"].toInt(), 9);
    const QJsonArray words = object["words"].toArray();
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[0].toObject()["word"].toString(), QStringLiteral("gamma"));
    EXPECT_EQ(words[0].toObject()["frequency"].toInt(), 3);
    EXPECT_EQ(words[1].toObject()["word"].toString(), QStringLiteral("beta"));

    // No words: an empty list, and the object still.
    const Result empty = RunLxtCount({"--json", dir.Write("none.txt", "a b\r\n")});
    EXPECT_EQ(QJsonDocument::fromJson(empty.out).object()["words"].toArray().size(), 0);
    EXPECT_TRUE(RunLxtCount({"--tsv", dir.File("none.txt")}).out.isEmpty());
}

TEST_F(LxtCountTest, StandardInputIsCountedAsAFileWithTheSameChecks) {
    // No FILE while standard input is not a terminal; "-" among other files.
    const Result piped = RunLxtCount({"--tsv"}, "apple pear apple\r\n");
    EXPECT_EQ(piped.status, kExitCounted) << piped.err.constData();
    EXPECT_EQ(piped.out, QByteArray("apple\t2\npear\t1\n"));
    const QString file = dir.Write("f.txt", "pear plum\r\n");
    const Result dash = RunLxtCount({"--tsv", file, "-"}, "pear\n");
    EXPECT_EQ(dash.status, kExitCounted);
    EXPECT_EQ(dash.out, QByteArray("pear\t2\nplum\t1\n"));

    // Refused as a file would be, and named as standard input.
    const Result empty = RunLxtCount({});
    EXPECT_EQ(empty.status, kExitInputRefused);
    EXPECT_EQ(empty.err, QByteArray("lxt-count: (standard input): Input file is zero-length.\n"));
    QByteArray binary;
    for (int i = 0; i < 4000; ++i) binary += char(i % 7);
    const Result notText = RunLxtCount({"-"}, binary);
    EXPECT_EQ(notText.status, kExitInputRefused);
    EXPECT_TRUE(notText.err.startsWith("lxt-count: (standard input): ")) << notText.err.constData();
    EXPECT_TRUE(notText.err.contains("is not an ANSI or UTF-8 encoded text file."));
    EXPECT_EQ(notText.err.count('\n'), 1);
    const Result utf16 = RunLxtCount({"-"}, QByteArray("\xFF\xFEw\0o\0r\0d\0 \0w\0o\0r\0d\0", 20));
    EXPECT_EQ(utf16.status, kExitInputRefused);
    EXPECT_TRUE(utf16.err.contains("is a Unicode file but not UTF-8 encoded."))
        << utf16.err.constData();

    // The copy lives in a private folder that is gone when the program ends.
    QDir(dir.Path()).mkpath("tmp");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", dir.File("tmp"));
    process.setProcessEnvironment(env);
    process.start(Program(), {"--tsv", "-"});
    ASSERT_TRUE(process.waitForStarted());
    process.write("word word\r\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray("word\t2\n"));
    EXPECT_TRUE(QDir(dir.File("tmp")).isEmpty());
}

#ifdef Q_OS_UNIX
TEST_F(LxtCountTest, StandardOutputThatCannotBeWrittenExitsWithThree) {
    const QString in = dir.Write("in.txt", Story());
    for (const QStringList& args :
         {QStringList{in}, QStringList{"--json", in}, QStringList{"-h"}}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(Program(), args);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), kExitOutputFailed) << args.join(' ').toStdString();
        EXPECT_EQ(process.readAllStandardError(),
                  QByteArray("lxt-count: standard output: No space left on device\n"));
    }
    // A reader that stops early ends the count quietly.
    QByteArray many;
    for (int i = 0; i < 20000; ++i)
        many += "w" + QByteArray::number(i, 26).replace('0', 'z') + "ord ";
    const QString big = dir.Write("big.txt", many + "\r\n");
    QProcess pipeline;
    pipeline.start("sh", {"-c", "\"$0\" \"$1\" | head -c 10 >/dev/null", Program(), big});
    ASSERT_TRUE(pipeline.waitForFinished(60000));
    EXPECT_EQ(pipeline.exitCode(), 0);
    EXPECT_TRUE(pipeline.readAllStandardError().isEmpty());
}
#endif

// A docx archive holding `documentXml` as word/document.xml.
QString WriteDocx(const QString& path, const QByteArray& documentXml) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) return {};
    // The buffer lives until zip_close, which writes the archive.
    const QByteArray content = documentXml;
    zip_source_t* source = zip_source_buffer(archive, content.constData(),
                                             static_cast<zip_uint64_t>(content.size()), 0);
    zip_file_add(archive, "word/document.xml", source, ZIP_FL_OVERWRITE);
    zip_close(archive);
    return path;
}

TEST_F(LxtCountTest, DocxDocumentIsCountedAsInTheWindows) {
    const QString docx =
        WriteDocx(dir.File("letter.docx"),
                  "<?xml version=\"1.0\"?><w:document><w:body><w:p><w:r><w:t>Hello world, hello "
                  "again.</w:t></w:r></w:p><w:p><w:r><w:t>The world is wide.</w:t></w:r></w:p>"
                  "</w:body></w:document>");
    ASSERT_FALSE(docx.isEmpty());
    const QString cliOut = dir.File("docx_cli.txt");
    const Result r = RunLxtCount({"--output", cliOut, docx});
    EXPECT_EQ(r.status, kExitCounted) << r.err.constData();
    EXPECT_TRUE(r.out.contains("      1       2  hello\n")) << r.out.constData();
    EXPECT_TRUE(r.out.contains("      2       2  world\n"));
    const QByteArray listing = EngineListing(Settings{}, docx, dir.File("docx_engine.txt"));
    EXPECT_EQ(r.out, listing);
    EXPECT_EQ(TempDir::Read(cliOut), TempDir::Read(dir.File("docx_engine.txt")));

    // A docx is scanned as UTF-8, which allowing only 7-bit ASCII excludes.
    const Result sevenBit = RunLxtCount({"--only-7bit", docx});
    EXPECT_EQ(sevenBit.status, kExitUsage);
    EXPECT_TRUE(
        sevenBit.err.contains("Scanning a 'docx' file is not compatible with\n"
                              "allowing only 7-bit ASCII characters."))
        << sevenBit.err.constData();
}

#ifdef Q_OS_UNIX
// A docx large enough that its unpacking and reading take a while.
QString WriteLargeDocx(const QString& path) {
    QByteArray xml = "<?xml version=\"1.0\"?><w:document><w:body>";
    for (int i = 0; i < 150000; ++i) {
        xml += "<w:p><w:r><w:t>Word number " + QByteArray::number(i) +
               " &amp; more words.</w:t></w:r></w:p>";
    }
    return WriteDocx(path, xml + "</w:body></w:document>");
}

// The private temporary folder of a docx count is gone when the count is ended by a signal
// (and then removed by the signal's handler) or stopped by Ctrl-C.
TEST_F(LxtCountTest, DocxTemporaryFolderGoesWhenTheCountIsEndedOrStopped) {
    const QString docx = WriteLargeDocx(dir.File("large.docx"));
    ASSERT_FALSE(docx.isEmpty());
    for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
        TempDir tmp;
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", tmp.Path());
        process.setProcessEnvironment(env);
        process.start(Program(), {docx});
        ASSERT_TRUE(process.waitForStarted());
        // Wait for the temporary folder to appear, then end the count.
        QStringList made;
        for (int i = 0; i < 2000 && made.isEmpty() && process.state() == QProcess::Running; ++i) {
            QThread::msleep(5);
            made = QDir(tmp.Path()).entryList({"LXT*"}, QDir::Dirs);
        }
        if (made.isEmpty()) GTEST_SKIP() << "the count ended too soon";
        ::kill(static_cast<pid_t>(process.processId()), signalNumber);
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_TRUE(QDir(tmp.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty())
            << signalNumber;
        if (signalNumber == SIGINT) {
            // Ctrl-C stops the count as it does for a text file.
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(process.exitCode(), kExitCounted);
            EXPECT_TRUE(process.readAllStandardError().contains("Stopped with "));
        } else {
            EXPECT_EQ(process.exitStatus(), QProcess::CrashExit) << signalNumber;
        }
    }
}
#endif

#ifdef Q_OS_UNIX
TEST_F(LxtCountTest, CtrlCListsTheWordsFoundSoFar) {
    QByteArray text;
    for (int i = 0; i < 400000; ++i) {
        QByteArray word = "x";
        for (int v = i; v > 0; v /= 26) word += char('a' + v % 26);
        text += word + "ing ";
        if (i % 12 == 11) text += "\r\n";
    }
    // The same words four times over: the count is still under way when it is interrupted.
    const QString in = dir.Write("long.txt", text + text + text + text);
    QProcess process;
    process.start(Program(), {in});
    ASSERT_TRUE(process.waitForStarted());
    // Wait until the count is under way (the output file test has passed), then interrupt.
    process.waitForFinished(700);
    if (process.state() == QProcess::NotRunning) GTEST_SKIP() << "the count ended too soon";
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), kExitCounted);
    const QByteArray err = process.readAllStandardError();
    const QByteArray out = process.readAllStandardOutput();
    EXPECT_TRUE(err.contains("Stopped with ")) << err.constData();
    EXPECT_TRUE(out.startsWith("   Rank    Freq  Word")) << out.left(200).constData();
}
#endif

#ifdef Q_OS_UNIX
// Names that are not UTF-8 name exactly their own files, for reading and for writing; no
// file is ever written under another name (as one with U+FFFD would be).
TEST_F(LxtCountTest, FileNamesThatAreNotUtf8NameTheirOwnFiles) {
    const QByteArray folder = QFile::encodeName(dir.Path()) + '/';
    const QByteArray input = folder + "bad\xff\xfe.txt";
    const QByteArray common = folder + "common\xfe.txt";
    for (const auto& [name, bytes] :
         {std::pair{input, Story()}, std::pair{common, QByteArray("the\r\nfox\r\n")}}) {
        QFile file;
        ASSERT_TRUE(file.open(::fopen(name.constData(), "w"), QIODevice::WriteOnly,
                              QFileDevice::AutoCloseHandle));
        file.write(bytes);
    }
    const QString docx = WriteDocx(dir.File("letter.docx"),
                                   "<w:document><w:body><w:p><w:r><w:t>Hello wide world, hello "
                                   "again.</w:t></w:r></w:p></w:body></w:document>");
    ASSERT_EQ(::rename(QFile::encodeName(docx).constData(), (folder + "l\xff.docx").constData()),
              0);
    QList<QByteArray> expectedNames = {"bad\xff\xfe.txt", "common\xfe.txt", "l\xff.docx"};
    struct Case {
        const char* what;
        QList<QByteArray> args;
        int status;
        const char* outHas;  // a line of the listing, or a part of standard error
        const char* outLacks;
        QByteArray made;  // the one new file the run makes
    };
    const Case cases[] = {
        {"input", {"--format", "8", input}, kExitCounted, "\nfoxes\n", "\ndon't\n", {}},
        {"as clipboard",
         {"--as-clipboard", "--format", "8", input},
         kExitCounted,
         "\nfoxes\n",
         "",
         {}},
        {"docx", {"--format", "8", folder + "l\xff.docx"}, kExitCounted, "\nwide\n", "", {}},
        {"output", {"--output", folder + "o\xff.txt", input}, kExitCounted, "fox", "", "o\xff.txt"},
        {"output again", {"--output", folder + "o\xff.txt", input}, kExitCounted, "fox", "", {}},
        {"save settings",
         {"--apostrophes", "--format", "8", "--save-settings", folder + "s\xff.lxt"},
         kExitCounted,
         "",
         "",
         "s\xff.lxt"},
        {"save settings again",
         {"--apostrophes", "--format", "8", "--save-settings", folder + "s\xff.lxt"},
         kExitCounted,
         "",
         "",
         {}},
        {"settings",
         {"--settings", folder + "s\xff.lxt", input},
         kExitCounted,
         "\ndon't\n",
         "",
         {}},
        {"common words",
         {"--format", "8", "--common-words", common, input},
         kExitCounted,
         "\nfoxes\n",
         "\nfox\n",
         {}},
        {"output is the input",
         {"--output", input, input},
         kExitInputRefused,
         "Output file cannot be the same as the input file.",
         "",
         {}},
        {"missing", {folder + "gone\xff.txt"}, kExitInputRefused, "gone\xEF\xBF\xBD.txt", "", {}},
    };
    TempDir scratch;
    // No temporary folder is left behind, also for the docx whose name is not UTF-8.
    TempDir temporary;
    const test::EnvOverride tmpdir("TMPDIR", temporary.Path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Result r = RunLxtCountWithBytes(c.args, scratch);
        EXPECT_TRUE(QDir(temporary.Path()).isEmpty());
        EXPECT_EQ(r.status, c.status) << r.err.constData();
        const QByteArray shown = '\n' + r.out + r.err;
        EXPECT_TRUE(shown.contains(c.outHas)) << shown.constData();
        if (*c.outLacks != '\0') {
            EXPECT_FALSE(shown.contains(c.outLacks)) << shown.constData();
        }
        if (!c.made.isEmpty()) expectedNames << c.made;
        std::sort(expectedNames.begin(), expectedNames.end());
        EXPECT_EQ(NamesIn(folder), expectedNames);
    }
    QFile input0;
    ASSERT_TRUE(input0.open(::fopen(input.constData(), "r"), QIODevice::ReadOnly,
                            QFileDevice::AutoCloseHandle));
    EXPECT_EQ(input0.readAll(), Story());
    QFile output;
    ASSERT_TRUE(output.open(::fopen((folder + "o\xff.txt").constData(), "r"), QIODevice::ReadOnly,
                            QFileDevice::AutoCloseHandle));
    EXPECT_TRUE(output.readAll().contains("  foxes\r\n"));
    QFile settings;
    ASSERT_TRUE(settings.open(::fopen((folder + "s\xff.lxt").constData(), "r"), QIODevice::ReadOnly,
                              QFileDevice::AutoCloseHandle));
    EXPECT_EQ(settings.readAll().count("\r\n"), kSettingsFileLines);
    // QTemporaryDir cannot remove what it cannot name.
    for (const QByteArray& name : NamesIn(folder)) ::unlink((folder + name).constData());
}
#endif

}  // namespace
}  // namespace lxt::cli
