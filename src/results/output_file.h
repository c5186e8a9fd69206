// Presents the result of a run: writes the listing to the output file when one is named and
// output is not disabled (asking first before writing over an existing file when the user
// wants that), then lists the same words on the screen. The file is Windows-1252 text with
// CR LF line breaks, two hint lines for a spreadsheet and an empty line before the listing;
// when a listed word holds a character that Windows-1252 lacks, it is UTF-8 text that
// begins with a byte-order mark instead.
#pragma once

#include <QString>

#include "results/word_listing.h"
#include "support/message_numbers.h"

namespace lxt {

struct RunState;

inline constexpr char16_t kHintQuote[] = u"\"";
inline constexpr char16_t kHintDelimited[] =
    u"To open this file in Excel state that it is delimited by ";
inline constexpr char16_t kHintCommas[] = u"commas.";
inline constexpr char16_t kHintSpaces[] = u"spaces.";
inline constexpr char16_t kHintOrigin[] =
    u"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.";
// The same hint for a file written in UTF-8.
inline constexpr char16_t kHintOriginUtf8[] =
    u"Set File Origin: Unicode (UTF-8) & Text qualifier: double-quote.";

inline constexpr char16_t kOverwriteTitle[] = u"The output file exists.";
inline constexpr char16_t kOverwritePrompt[] =
    u"To overwrite the current output file click on 'OK'.\r\n"
    u"To write to a different file edit the filepath below.\r\n"
    u"To disable output to file click on 'Cancel'.\r\n"
    u"\r\n"
    u"(This 'warn on overwrite' can be disabled\r\n"
    u"in the 'Settings' window.)";
inline constexpr char16_t kFolderDoesNotExist[] = u"Folder does not exist.";
inline constexpr char16_t kWritingOutputFile[] = u"Now processing and writing to output file ...";
inline constexpr char16_t kOutputTerminated[] = u"Output to file was terminated.";
inline constexpr char16_t kListingStopped[] = u"Listing stopped.";
// Catalogue message used as the title of warnings.

// Lists the included words to the output file (when wanted) and then to the screen, in the
// word order and display format in force. Errors are reported through ReportError with the
// procedure name "ListWords". Sets blnOutputFileWritten when the file was written whole.
// A stop (blnStop) ends the phase in progress; blnStop is clear again when ListWords
// returns, so that listing the same words again runs whole.
void ListWords(RunState& run, const ListingTarget& target = {});

}  // namespace lxt
