// The command line of lxt-count: the options, read from left to right into the settings of
// the two windows (so "--settings FILE" is overridden by the options after it), the help
// text that states every option and the fixed answers to the program's questions.
#pragma once

#include <QString>
#include <QStringList>

#include "settings/settings.h"

namespace lxt::cli {

// How the encoding question is answered.
enum class EncodingChoice { FollowDetection, Utf8, Ansi };

// What goes to standard output: the listing as the output box shows it, or one of the two
// forms meant for other programs.
enum class ListingForm { Screen, Tsv, Json };

// Every message of lxt-count starts with this.
inline constexpr char kMessagePrefix[] = "lxt-count: ";
// The input name that stands for standard input.
inline constexpr char kStandardInputName[] = "-";

struct CliOptions {
    Settings settings;
    EncodingChoice encoding = EncodingChoice::FollowDetection;
    ListingForm form = ListingForm::Screen;
    QStringList inputFiles;    // in the order given; "-" is standard input
    QString commonWords;       // --common-words as given: a file or a language code
    QString saveSettingsFile;  // --save-settings
    bool asClipboard = false;
    bool stats = false;
    bool zipf = false;  // --zipf: the Zipf fit of the listed words on standard error
    bool quiet = false;
    bool help = false;
    bool version = false;
};

struct ParsedCommandLine {
    CliOptions options;
    QString error;  // empty when the command line is valid
};

// The settings lxt-count starts from: the windows' defaults, with the words-as-found
// display off (nothing would show them) and the UTF-8 box clear.
Settings CliDefaultSettings();

// Reads `arguments` (the first is the program name). A settings file given by --settings
// is read at its place in the line; its file names are not taken over. No input file is no
// error here: the caller reads standard input when it is not a terminal.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

// The index of a display format given as a number (0-9) or as its name ("rank frequency
// word", "word-frequency", ...); -1 when it names none.
int DisplayFormatIndex(const QString& text);

QString HelpText();
QString VersionText();

}  // namespace lxt::cli
