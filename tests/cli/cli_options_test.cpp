#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "settings/settings_file.h"

namespace lxt::cli {
namespace {

ParsedCommandLine Parse(const QStringList& args) {
    return ParseCommandLine(QStringList{QStringLiteral("lxt-count")} + args);
}

TEST(CliOptions, EveryWordOptionSetsItsControl) {
    const ParsedCommandLine p =
        Parse({"--case-significant", "--no-hyphens", "--apostrophes", "--numerals",
               "--drop-final-s", "--keep-no-vowel", "--only-7bit", "--commas", "book.txt"});
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    const Settings& s = p.options.settings;
    EXPECT_EQ(s.chkCaseSignificant, 1);
    EXPECT_EQ(s.chkAllowWordsWithHyphens, 0);
    EXPECT_EQ(s.chkAllowWordsWithApostrophes, 1);
    EXPECT_EQ(s.chkAllowWordsWithNumerals, 1);
    EXPECT_EQ(s.chkDropFinalS, 1);
    EXPECT_EQ(s.chkIgnoreNoVowel, 0);
    EXPECT_EQ(s.chkOnly7bitASCII, 1);
    EXPECT_EQ(s.chkOutputWithCommas, 1);
    EXPECT_EQ(s.txbFile[0], QStringLiteral("book.txt"));
    EXPECT_TRUE(s.optInFile);
}

TEST(CliOptions, DefaultsAreTheWindowsDefaultsWithoutTheWordsAsFound) {
    const ParsedCommandLine p = Parse({"book.txt"});
    ASSERT_TRUE(p.error.isEmpty());
    const Settings& s = p.options.settings;
    const Settings windows;
    EXPECT_EQ(s.chkAllowWordsWithHyphens, windows.chkAllowWordsWithHyphens);
    EXPECT_EQ(s.chkIgnoreNoVowel, windows.chkIgnoreNoVowel);
    EXPECT_EQ(s.cboWordOrder, 0);
    EXPECT_EQ(s.cboDisplayFormat, 0);
    EXPECT_EQ(s.chkIgnoreInfrequentWords, 0);
    EXPECT_EQ(s.chkSuppressWords, 1);
    EXPECT_EQ(p.options.encoding, EncodingChoice::FollowDetection);
}

TEST(CliOptions, ValuedOptionsAndTheirLimits) {
    ParsedCommandLine p = Parse({"--threshold", "9", "--order", "alphabetical", "--format",
                                 "word (+ commas)", "--output=out.txt", "f.txt"});
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    EXPECT_EQ(p.options.settings.chkIgnoreInfrequentWords, 1);
    EXPECT_EQ(p.options.settings.cboThresholdFrequency, 7);
    EXPECT_EQ(p.options.settings.cboWordOrder, 1);
    EXPECT_EQ(p.options.settings.cboDisplayFormat, 9);
    EXPECT_EQ(p.options.settings.txbFile[1], QStringLiteral("out.txt"));

    for (const QStringList& bad :
         {QStringList{"--threshold", "1", "f"}, QStringList{"--threshold", "10", "f"},
          QStringList{"--threshold", "x", "f"}, QStringList{"--format", "10", "f"},
          QStringList{"--format", "rank", "f"}, QStringList{"--order", "random", "f"},
          QStringList{"--output"}, QStringList{"--bogus", "f"}, QStringList{"-x", "f"},
          QStringList{"-o"}, QStringList{"--tsv=1", "f"},
          QStringList{"--as-clipboard", "a.txt", "b.txt"}, QStringList{"--stats=yes", "f"}}) {
        EXPECT_FALSE(Parse(bad).error.isEmpty()) << bad.join(' ').toStdString();
    }
}

TEST(CliOptions, ShortOptionsSeveralFilesAndMachineForms) {
    ParsedCommandLine p = Parse({"-q", "-o", "out.txt", "a.txt", "-", "a.txt", "--tsv"});
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    EXPECT_TRUE(p.options.quiet);
    EXPECT_EQ(p.options.settings.txbFile[1], QStringLiteral("out.txt"));
    EXPECT_EQ(p.options.inputFiles, (QStringList{"a.txt", "-", "a.txt"}));
    EXPECT_EQ(p.options.settings.txbFile[0], QStringLiteral("a.txt"));
    EXPECT_EQ(p.options.form, ListingForm::Tsv);

    EXPECT_EQ(Parse({"-ofile.txt", "x"}).options.settings.txbFile[1], QStringLiteral("file.txt"));
    EXPECT_EQ(Parse({"--json", "x"}).options.form, ListingForm::Json);
    EXPECT_TRUE(Parse({"-h"}).options.help);
    EXPECT_TRUE(Parse({"-V"}).options.version);
    // After "--" a name that looks like an option is a file.
    EXPECT_EQ(Parse({"--", "-q"}).options.inputFiles, QStringList{"-q"});
    // No file is no error here: standard input may be read.
    p = Parse({});
    EXPECT_TRUE(p.error.isEmpty());
    EXPECT_TRUE(p.options.inputFiles.isEmpty());
}

TEST(CliOptions, DisplayFormatsByNumberAndName) {
    EXPECT_EQ(DisplayFormatIndex("0"), 0);
    EXPECT_EQ(DisplayFormatIndex("9"), 9);
    EXPECT_EQ(DisplayFormatIndex("rank word frequency"), 1);
    EXPECT_EQ(DisplayFormatIndex("Frequency-Rank"), 4);
    EXPECT_EQ(DisplayFormatIndex("word_frequency"), 7);
    EXPECT_EQ(DisplayFormatIndex("word"), 8);
    EXPECT_EQ(DisplayFormatIndex("word-commas"), 9);
    EXPECT_EQ(DisplayFormatIndex("-1"), -1);
    EXPECT_EQ(DisplayFormatIndex("words"), -1);
}

TEST(CliOptions, EncodingChoices) {
    EXPECT_EQ(Parse({"--utf8", "f"}).options.encoding, EncodingChoice::Utf8);
    EXPECT_EQ(Parse({"--utf8", "f"}).options.settings.chkUTF8, 1);
    EXPECT_EQ(Parse({"--utf8", "--ansi", "f"}).options.encoding, EncodingChoice::Ansi);
    EXPECT_EQ(Parse({"--utf8", "--ansi", "f"}).options.settings.chkUTF8, 0);
}

TEST(CliOptions, SettingsFileIsOverriddenOnlyByTheOptionsAfterIt) {
    test::TempDir dir;
    Settings saved;
    saved.cboDisplayFormat = 7;
    saved.chkCaseSignificant = 1;
    saved.txbFile[0] = QStringLiteral("/somewhere/else.txt");
    const QString file = dir.File("mine.lxt");
    ASSERT_EQ(SaveState(saved, file), QString());

    ParsedCommandLine p = Parse({"--format", "2", "--settings", file, "book.txt"});
    ASSERT_TRUE(p.error.isEmpty()) << p.error.toStdString();
    EXPECT_EQ(p.options.settings.cboDisplayFormat, 7);
    EXPECT_EQ(p.options.settings.chkCaseSignificant, 1);
    // The file names of the command line stand.
    EXPECT_EQ(p.options.settings.txbFile[0], QStringLiteral("book.txt"));

    p = Parse({"--settings", file, "--format", "2", "book.txt"});
    EXPECT_EQ(p.options.settings.cboDisplayFormat, 2);
    EXPECT_EQ(p.options.settings.chkCaseSignificant, 1);

    EXPECT_FALSE(Parse({"--settings", dir.File("missing.lxt"), "book.txt"}).error.isEmpty());
}

TEST(CliOptions, AsClipboardSelectsTheClipboardSource) {
    const ParsedCommandLine p = Parse({"--as-clipboard", "f.txt"});
    EXPECT_FALSE(p.options.settings.optInFile);
    EXPECT_TRUE(p.options.asClipboard);
}

TEST(CliOptions, SaveSettingsNeedsNoInputFile) {
    EXPECT_TRUE(Parse({"--save-settings", "x.lxt"}).error.isEmpty());
    EXPECT_TRUE(Parse({"--help"}).error.isEmpty());
    EXPECT_TRUE(Parse({"--version"}).error.isEmpty());
}

}  // namespace
}  // namespace lxt::cli
