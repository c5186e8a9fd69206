// The counting phase of a run whose source is a file (DoItFromFile): the checks of the
// input and output names, the encoding and large-input questions, the unpacking of a docx,
// then the line-by-line scan with the progress bar and the stop question. Used by the
// windows and by the headless counter; everything it shows goes through the run's Ui.
#pragma once

#include <QString>
#include <QtGlobal>

namespace lxt {

// Titles and opening text of the questions a file scan asks.
inline constexpr char kEncodingQuestionTitle[] = "UTF-8 or ANSI file?";
inline constexpr char kSeemsUtf8Text[] = "This file seems to be UTF-8 encoded.";
inline constexpr char kLargeInputTitle[] = "Large input file";

struct RunState;
struct DocxState;
class TextLineReader;

// Above this input size without an output file the user is advised to name one.
inline constexpr qint64 kLargeInputSize = 204800;
// The progress bar is drawn for files longer than this.
inline constexpr qint64 kProgressBarMinFileSize = 10240;
// A stop request is confirmed by a question once this many different words are found.
inline constexpr qint32 kStopQuestionWords = 2000;
inline constexpr char kNowProcessing[] = "Now processing input file ...";
inline constexpr char kProcessing[] = "Processing input file ...";

// True when the two names denote the same file (their canonical paths are equal; for a file
// that does not exist yet, its absolute path with the folder resolved).
bool SameFile(const QString& first, const QString& second);

// The input-file check of the main window: the name is not empty, the file exists ("Input
// file does not exist.") and is not empty ("Input file is zero-length."); lblFilesize shows
// its size. Messages only once start-up is complete, as the main window does.
bool CheckInputFile(RunState& run, const QString& path);

// The Clear textbox action as the scans use it: empties txbOutput and, unless a count is
// running (the Count button shows message 74), hides the statistics and marks the word table
// as no longer holding a complete count.
void ClearOutputBox(RunState& run);

// Reads on from `reader` until the end of the HTML head and gives back what follows
// "</HEAD>" on its line (empty at the end of the file). A UTF-8 charset declaration on the
// way sets utf8.
QString SkipHtmlHead(const QString& line, TextLineReader& reader, bool& utf8);

// Whether a file scan starts a new count or adds its words to those already in the table
// (several files counted as one text).
enum class WordTableStart { Fresh, AddToCount };

// The file scan. True when the scan took place (also when stopped or ended by an error,
// whose report keeps the words found so far); false when the run was abandoned before it.
bool DoItFromFile(RunState& run, DocxState& docx, WordTableStart start = WordTableStart::Fresh);
// The same with the program's one docx state.
bool DoItFromFile(RunState& run, WordTableStart start = WordTableStart::Fresh);
DocxState& ProgramDocxState();

}  // namespace lxt
