#include "cli/cli_options.h"

#include <QFileInfo>

#include "settings/settings_file.h"

namespace lxt::cli {

namespace {

constexpr char kProgramName[] = "lxt-count";
#ifdef LXT_VERSION
constexpr char kProgramVersion[] = LXT_VERSION;
#else
constexpr char kProgramVersion[] = "1.0.0";
#endif
constexpr int kMinThreshold = 2;
constexpr int kMaxThreshold = 9;

// The display formats by list index, as the main window names them.
const char* const kDisplayFormatNames[] = {
    "rank frequency word", "rank word frequency", "rank frequency", "rank word", "frequency rank",
    "frequency word",      "word rank",           "word frequency", "word",      "word (+ commas)"};

// The short options and their long forms; "-oFILE" is "--output=FILE".
QString LongFormOfShortOption(const QString& arg) {
    static const QList<QPair<QString, QString>> kShort{
        {QStringLiteral("-h"), QStringLiteral("--help")},
        {QStringLiteral("-V"), QStringLiteral("--version")},
        {QStringLiteral("-q"), QStringLiteral("--quiet")},
        {QStringLiteral("-o"), QStringLiteral("--output")}};
    for (const auto& [shortForm, longForm] : kShort) {
        if (arg == shortForm) return longForm;
    }
    if (arg.startsWith(QLatin1String("-o")) && arg.size() > 2) {
        return QStringLiteral("--output=") + arg.mid(2);
    }
    return arg;
}

QString Normalised(const QString& text) {
    QString s = text.trimmed().toLower();
    s.replace(QLatin1Char('-'), QLatin1Char(' '));
    s.replace(QLatin1Char('_'), QLatin1Char(' '));
    return s.simplified();
}

}  // namespace

Settings CliDefaultSettings() {
    Settings settings;
    settings.chkSuppressWords = 1;
    settings.chkUTF8 = 0;
    settings.optInFile = true;
    return settings;
}

int DisplayFormatIndex(const QString& text) {
    bool number = false;
    const int index = text.trimmed().toInt(&number);
    if (number) return index >= 0 && index <= 9 ? index : -1;
    const QString wanted = Normalised(text);
    for (int i = 0; i < 10; ++i) {
        if (wanted == Normalised(QString::fromLatin1(kDisplayFormatNames[i]))) return i;
    }
    if (wanted == QLatin1String("word (+commas)") || wanted == QLatin1String("word commas") ||
        wanted == QLatin1String("word+commas") || wanted == QLatin1String("words commas")) {
        return 9;
    }
    return -1;
}

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
    ParsedCommandLine parsed;
    CliOptions& o = parsed.options;
    Settings& s = o.settings;
    s = CliDefaultSettings();

    auto fail = [&parsed](const QString& text) {
        if (parsed.error.isEmpty()) parsed.error = text;
    };

    bool onlyFiles = false;
    for (qsizetype i = 1; i < arguments.size() && parsed.error.isEmpty(); ++i) {
        QString arg = arguments[i];
        if (!onlyFiles) arg = LongFormOfShortOption(arg);
        if (onlyFiles || !arg.startsWith(QLatin1String("--")) || arg == QLatin1String("-")) {
            if (arg.startsWith(QLatin1Char('-')) && !onlyFiles && arg.size() > 1) {
                fail(QStringLiteral("unknown option: ") + arg);
                break;
            }
            o.inputFiles << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            onlyFiles = true;
            continue;
        }
        // "--name=value" is the same as "--name value".
        QString value;
        bool valueInline = false;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq > 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
            valueInline = true;
        }
        auto takeValue = [&]() -> bool {
            if (valueInline) return true;
            if (i + 1 >= arguments.size()) {
                fail(QStringLiteral("option ") + arg + QStringLiteral(" needs a value"));
                return false;
            }
            value = arguments[++i];
            return true;
        };
        auto noValue = [&]() -> bool {
            if (valueInline)
                fail(QStringLiteral("option ") + arg + QStringLiteral(" takes no value"));
            return !valueInline;
        };

        if (arg == QLatin1String("--case-significant")) {
            if (noValue()) s.chkCaseSignificant = 1;
        } else if (arg == QLatin1String("--no-hyphens")) {
            if (noValue()) s.chkAllowWordsWithHyphens = 0;
        } else if (arg == QLatin1String("--apostrophes")) {
            if (noValue()) s.chkAllowWordsWithApostrophes = 1;
        } else if (arg == QLatin1String("--numerals")) {
            if (noValue()) s.chkAllowWordsWithNumerals = 1;
        } else if (arg == QLatin1String("--drop-final-s")) {
            if (noValue()) s.chkDropFinalS = 1;
        } else if (arg == QLatin1String("--keep-no-vowel")) {
            if (noValue()) s.chkIgnoreNoVowel = 0;
        } else if (arg == QLatin1String("--only-7bit")) {
            if (noValue()) s.chkOnly7bitASCII = 1;
        } else if (arg == QLatin1String("--utf8")) {
            if (noValue()) {
                o.encoding = EncodingChoice::Utf8;
                s.chkUTF8 = 1;
            }
        } else if (arg == QLatin1String("--ansi")) {
            if (noValue()) {
                o.encoding = EncodingChoice::Ansi;
                s.chkUTF8 = 0;
            }
        } else if (arg == QLatin1String("--no-comment-markers")) {
            if (noValue()) s.chkAllowCommentMarkers = 0;
        } else if (arg == QLatin1String("--ignore")) {
            if (takeValue()) s.txbWordsToIgnore = value;
        } else if (arg == QLatin1String("--common-words")) {
            if (takeValue()) {
                if (value.trimmed().isEmpty()) {
                    fail(QStringLiteral("--common-words needs a file or a language code"));
                } else {
                    o.commonWords = value.trimmed();
                    s.chkIgnoreCommonWords = 1;
                }
            }
        } else if (arg == QLatin1String("--threshold")) {
            if (takeValue()) {
                bool ok = false;
                const int n = value.trimmed().toInt(&ok);
                if (!ok || n < kMinThreshold || n > kMaxThreshold) {
                    fail(QStringLiteral("--threshold must be a whole number from 2 to 9: ") +
                         value);
                } else {
                    s.chkIgnoreInfrequentWords = 1;
                    s.cboThresholdFrequency = n - kMinThreshold;
                }
            }
        } else if (arg == QLatin1String("--order")) {
            if (takeValue()) {
                const QString v = Normalised(value);
                if (v == QLatin1String("frequency") || v == QLatin1String("by frequency")) {
                    s.cboWordOrder = 0;
                } else if (v == QLatin1String("alphabetical")) {
                    s.cboWordOrder = 1;
                } else {
                    fail(QStringLiteral("--order must be frequency or alphabetical: ") + value);
                }
            }
        } else if (arg == QLatin1String("--format")) {
            if (takeValue()) {
                const int index = DisplayFormatIndex(value);
                if (index < 0) {
                    fail(QStringLiteral("--format must be 0 to 9 or a format name: ") + value);
                } else {
                    s.cboDisplayFormat = index;
                }
            }
        } else if (arg == QLatin1String("--commas")) {
            if (noValue()) s.chkOutputWithCommas = 1;
        } else if (arg == QLatin1String("--output")) {
            if (takeValue()) {
                if (value.trimmed().isEmpty()) {
                    fail(QStringLiteral("--output needs a file name"));
                } else {
                    s.txbFile[1] = value;
                    s.chkDisableOutputToFile = 0;
                }
            }
        } else if (arg == QLatin1String("--settings")) {
            if (takeValue()) {
                const std::array<QString, 2> files = s.txbFile;
                const int suppress = s.chkSuppressWords;
                const RestoredSettings restored = RestoreSavedState(value, s);
                if (!restored.errorText.isEmpty()) {
                    fail(value + QStringLiteral(": ") + restored.errorText);
                } else {
                    s = restored.settings;
                    // The file names of the command line stand; nothing shows words as found.
                    s.txbFile = files;
                    s.chkSuppressWords = suppress;
                    o.encoding =
                        s.chkUTF8 == 1 ? EncodingChoice::Utf8 : EncodingChoice::FollowDetection;
                    if (s.chkIgnoreCommonWords == 1 && !s.txbCommonWordsFile.isEmpty()) {
                        o.commonWords = s.txbCommonWordsFile;
                    } else if (s.chkIgnoreCommonWords != 1) {
                        o.commonWords.clear();
                    }
                }
            }
        } else if (arg == QLatin1String("--save-settings")) {
            if (takeValue()) {
                if (value.trimmed().isEmpty()) {
                    fail(QStringLiteral("--save-settings needs a file name"));
                } else {
                    o.saveSettingsFile = value;
                }
            }
        } else if (arg == QLatin1String("--as-clipboard")) {
            if (noValue()) o.asClipboard = true;
        } else if (arg == QLatin1String("--tsv")) {
            if (noValue()) o.form = ListingForm::Tsv;
        } else if (arg == QLatin1String("--json")) {
            if (noValue()) o.form = ListingForm::Json;
        } else if (arg == QLatin1String("--stats")) {
            if (noValue()) o.stats = true;
        } else if (arg == QLatin1String("--zipf")) {
            if (noValue()) o.zipf = true;
        } else if (arg == QLatin1String("--quiet")) {
            if (noValue()) o.quiet = true;
        } else if (arg == QLatin1String("--help")) {
            if (noValue()) o.help = true;
        } else if (arg == QLatin1String("--version")) {
            if (noValue()) o.version = true;
        } else {
            fail(QStringLiteral("unknown option: ") + arg);
        }
    }
    if (parsed.error.isEmpty() && o.asClipboard && o.inputFiles.size() > 1) {
        fail(QStringLiteral("--as-clipboard counts one file"));
    }
    s.optInFile = !o.asClipboard;
    if (!o.inputFiles.isEmpty()) s.txbFile[0] = o.inputFiles.first();
    return parsed;
}

QString VersionText() {
    return QString::fromLatin1(kProgramName) + QLatin1Char(' ') +
           QString::fromLatin1(kProgramVersion) + QLatin1Char('\n');
}

QString HelpText() {
    static const char kHelp[] = R"HELP(Usage: lxt-count [options] [FILE...]

Counts how often each different word occurs in FILE (text, HTML, XML, PHP or docx) and
lists the words with their counts on standard output, exactly as the window's output box
would, without its 65,000-character limit. Messages go to standard error, those about a
file as "lxt-count: FILE: message" on one line. A line of text ends at CR LF, CR or LF, so
Windows, Unix and Macintosh files (and mixtures) count alike.

Several FILEs are counted together as one text: each is checked and read on its own (its
own encoding and markup), a file that is refused is reported and skipped, and one listing
is made of all their words. A FILE given twice is counted twice.
FILE "-", or no FILE when standard input is not a terminal, reads standard input to its
end and counts it as a file:  zcat book.txt.gz | lxt-count --tsv | sort -k2nr

Words (the Settings window; defaults as there):
  --case-significant    Upper and lower case are different ("The" is not "the").
                          lxt-count --case-significant book.txt
  --no-hyphens          Words may not contain hyphens (split "well-known").
                          lxt-count --no-hyphens book.txt
  --apostrophes         Words may contain apostrophes ("don't").
                          lxt-count --apostrophes book.txt
  --numerals            Words may contain numerals ("mp3").
                          lxt-count --numerals book.txt
  --drop-final-s        Drop a final "s" ("cats" counts as "cat").
                          lxt-count --drop-final-s book.txt
  --keep-no-vowel       Keep words with no vowel or 'y' (clears "Ignore words with no
                        vowel or 'y'").
                          lxt-count --keep-no-vowel book.txt
  --only-7bit           Only words made of 7-bit ASCII characters.
                          lxt-count --only-7bit book.txt
  --utf8, --ansi        Scan the file as UTF-8, or as ANSI (Windows-1252). Without either,
                        the file is scanned as its inspection finds it: as UTF-8 when it
                        starts with a byte-order mark, when a web page declares
                        charset=UTF-8, or when the whole file is valid UTF-8 with at least
                        one non-ASCII character; otherwise as ANSI. Scanning as UTF-8
                        drops --only-7bit, as answering Yes in the window does.
                          lxt-count --ansi legacy.txt
  --no-comment-markers  Count what stands between comment markers too: plain text and
                        docx files are read without any (clears "Allow start- and
                        end-comment markers"). Ticked, the box uses its two marker pairs,
                        "/*" ... "*/" and "//" to the end of the line unless a settings
                        file gives others. HTML, XML and PHP files always skip their
                        markup.
                          lxt-count --no-comment-markers notes.txt

Words left out:
  --ignore "WORDS"      Words to ignore, separated by blanks (case does not matter).
                          lxt-count --ignore "the and of" book.txt
  --common-words FILE|en|de|es|pt|it|fr|all
                        Ignore the words of a common-words file: a file of your own, the
                        file of one language, or the file of all six languages.
                          lxt-count --common-words en book.txt
  --threshold N         Ignore words with fewer than N occurrences (N from 2 to 9).
                          lxt-count --threshold 3 book.txt

Listing:
  --order frequency|alphabetical
                        Word order (default: frequency).
                          lxt-count --order alphabetical book.txt
  --format N|NAME       Display format, 0 to 9 or its name: 0 "rank frequency word"
                        (default), 1 "rank word frequency", 2 "rank frequency",
                        3 "rank word", 4 "frequency rank", 5 "frequency word",
                        6 "word rank", 7 "word frequency", 8 "word", 9 "word (+ commas)".
                        Hyphens may stand for the blanks: --format word-frequency.
                          lxt-count --format 7 book.txt
  --commas              The output file's columns are separated by commas, not blanks.
                          lxt-count --commas --output words.csv book.txt
  -o, --output FILE     Also write the output file, exactly as the windows write it.
                          lxt-count --output words.txt book.txt
  --stats               After the listing, print the four statistics lines (to standard
                        error with --tsv or --json).
                          lxt-count --stats book.txt
  --zipf                After the listing, print on standard error the Zipf exponent s of
                        the listed words (the least-squares line of log frequency on log
                        rank over the ranks whose frequency is at least 2), its R² and the
                        number of ranks used, or "too few ranks to fit".
                          lxt-count --zipf book.txt
  --tsv                 Instead of the listing, one line per listed word: the word, a
                        tab and its frequency, in the chosen order; UTF-8, no header.
                          lxt-count --tsv book.txt > words.tsv
  --json                Instead of the listing, one JSON object: the four statistics and
                        the listed words with their frequencies, in the chosen order.
                          lxt-count --json --common-words en book.txt

Settings files:
  --settings FILE       Start from a saved 39-line settings file (*.lxt), with its comment
                        markers and marker box; the options after it override it, those
                        before it are overridden by it. The file names saved in it are
                        not used.
                          lxt-count --settings mine.lxt --threshold 4 book.txt
  --save-settings FILE  Write the settings in force as a 39-line settings file (the count
                        runs too when FILE is given).
                          lxt-count --apostrophes --save-settings mine.lxt

Source:
  --as-clipboard        Count the file's text by the clipboard rules: one line, no comment
                        or markup markers, at most 100,000 characters, natural-language
                        text only.
                          lxt-count --as-clipboard snippet.txt

Other:
  -q, --quiet           No progress bar.
  -h, --help            Show this text.
  -V, --version         Show the version.

Questions never wait for an answer:
  - "UTF-8 or ANSI file?": answered by --utf8 / --ansi, otherwise by what the inspection
    detected (Yes for a file that seems to be UTF-8, No for one that does not).
  - "Large input file" (no output file for a big input): not asked; the count goes on.
  - "Big file" (a large docx document): Yes, the count goes on.
  - Invalid checksum in a docx file: No, the file is refused.
  - "The output file exists.": overwrite it.
  - Information messages (such as Macintosh line ends) are printed and the count goes on.
  - Ctrl-C stops the count; the words found so far are listed. A second Ctrl-C ends the
    program at once.

A progress bar is drawn on standard error when it is a terminal (not with --quiet).

Exit status:
  0  the count ran (also when it found no words)
  1  an input was refused or could not be read (the other FILEs are still counted)
  2  usage error (unknown option, wrong value, no FILE, settings that exclude each other)
  3  the output file or standard output could not be written
)HELP";
    return QString::fromUtf8(kHelp);
}

}  // namespace lxt::cli
