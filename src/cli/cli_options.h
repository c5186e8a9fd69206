// The command line of lxt-count: the options, read from left to right into the settings of
// the two windows (so "--settings FILE" is overridden by the options after it), the help
// text that states every option and the fixed answers to the program's questions.
#pragma once

#include <QString>
#include <QStringList>

#include "scan/settings.h"

namespace lxt::cli {

// How the encoding question is answered.
enum class EncodingChoice { FollowDetection, Utf8, Ansi };

struct CliOptions {
    Settings settings;
    EncodingChoice encoding = EncodingChoice::FollowDetection;
    QString inputFile;
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
// is read at its place in the line; its file names are not taken over.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

// The index of a display format given as a number (0-9) or as its name ("rank frequency
// word", "word-frequency", ...); -1 when it names none.
int DisplayFormatIndex(const QString& text);

QString HelpText();
QString VersionText();

}  // namespace lxt::cli
