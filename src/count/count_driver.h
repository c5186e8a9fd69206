// The Count command and the run driver: one run from the settings checks through the scan of
// the chosen source (file or clipboard) to the ordered listing, and the Count button's use as
// the Stop button while a run goes on. Everything shown or asked goes through the Ui, so the
// windows, the headless counter and the tests run the same driver.
#pragma once

#include <QString>
#include <QStringList>

#include "results/word_listing.h"
#include "support/message_numbers.h"

namespace lxt {

struct RunState;

// Catalogue messages of the driver.

inline constexpr char kInputFileNotSpecified[] = "Input file not specified.";
inline constexpr char kCountingInterruptedTitle[] = "Counting interrupted";
inline constexpr char kCountingInterruptedText[] =
    "The operation was stopped before all words were counted.\r\n"
    "Do you wish to list the words which were found?";
inline constexpr char kIncompatibleSettingTitle[] = "Incompatible setting";
inline constexpr char kIncompatibleDocx[] = "Scanning a 'docx' file is not compatible with";
inline constexpr char kIncompatibleUtf8[] = "Scanning as UTF-8 is not compatible with";
inline constexpr char kIncompatibleTail[] = "allowing only 7-bit ASCII characters.";
inline constexpr char kOutputFileLockedHint[] =
    "If the output file is open in Excel then it must first be closed\r\n"
    "or a different file should be specified as the output file.";
// A run shorter than this many seconds leaves no elapsed time shown.
inline constexpr int kMinSecondsShown = 4;

// "Stopped with 25 words found." ("1 word" for one).
QString StoppedText(qint32 numWords);

// How a run ended, for callers that need more than the windows show (the headless counter).
enum class RunOutcome {
    NotStarted,  // a check refused the run, or the click only answered the stop question
    Abandoned,   // the scan refused the input or gave up before reading
    NotListed,   // stopped, and the user chose not to list the words found
    Listed,      // the ordering phases ran and ListWords was called
    Failed       // an error was reported by the driver's own handler
};

// Opens `path` for writing without truncating it (a missing file is created empty) and
// closes it again. Returns no error (number 0) when the file can be written; number 70,
// "Permission denied", for a read-only or locked file.
struct OutputFileTest {
    int number = 0;
    QString description;
};
OutputFileTest TestOutputFile(const QString& path);

// The input files of a file run. With no names the run reads the file of the input-file
// box, as the windows do. Several names are counted together as one text: each file is
// checked, inspected and read on its own (its own encoding and markup mode) and its words
// added to one table; a file the checks refuse is skipped and its name added to `refused`.
struct InputFiles {
    QStringList names;
    QStringList* refused = nullptr;
};

// The run driver: checks, the scan of the source, the ordering phases, the statistics and
// the listing. Errors are reported through ReportError with the procedure name "DoIt".
// `target` says where the listing's screen phase goes (the output box by default).
RunOutcome DoIt(RunState& run, const ListingTarget& target = {}, const InputFiles& inputs = {});

// The Count button: while a run goes on (caption message 74) it asks whether to stop;
// otherwise it refuses UTF-8 with 7-bit-only words, takes the threshold and runs DoIt.
RunOutcome cmdListWords_Click(RunState& run, const ListingTarget& target = {},
                              const InputFiles& inputs = {});

}  // namespace lxt
