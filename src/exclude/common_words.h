// The common-words list: reading a common-words file through the line scanner into the
// sorted list of its distinct lower-case words, the report of a reading, and the default
// file. A reading that is stopped or refused keeps the list read before.
#pragma once

#include <QString>

namespace lxt {

struct RunState;

inline constexpr char kNowReadingCommonWords[] = "Now reading common words ...";
inline constexpr char kCommonWordsNotFoundText[] = "File for common words not found.";
inline constexpr char kFileNotFoundTitle[] = "File not found";
inline constexpr char kCommonWordsLoadedBoxTitle[] = "Common words loaded";
inline constexpr char kLoadedFrom[] = " loaded from ";
// The largest common-words file read: the shipped lists hold a few kilobytes.
inline constexpr qint64 kMaxCommonWordsFileBytes = 16 * 1024 * 1024;
inline constexpr char kCommonWordsFileTooLarge[] =
    "is larger than 16 MB, too large for a common-words file.";

// "One common word", or the number in words followed by " common words" ("No common
// words", "Twenty one common words", "1,234 common words").
QString CommonWordsCountText(qint32 count);

// Makes the English file beside the program the common-words file (run.strCommonWordsFile
// and the settings' copies of it).
void SetDefaultCommonWordsFile(RunState& run);

// The reading proper: reads run.strCommonWordsFile (trimmed first) into run.strCommonWords.
// True when the reading completed; false for a missing, refused or stopped file, which
// leaves the list as it was. Re-creates the word table, which it uses as working area.
bool ReadCommonWords(RunState& run);

// Reads the common-words file and reports the result: the count and path in a message when
// loaded, which also ticks "Ignore common words in file:"; the box is cleared otherwise.
// Sets blnCommonWordsLoaded and clears blnWordsGot.
void AttemptToReadCommonWords(RunState& run);

}  // namespace lxt
