// The live display of a counting run (elapsed time and words found, once a second) and the
// four statistics labels shown when a count has been ordered. All output goes to the Ui's
// labels; numbers carry the locale's digit grouping and line up in one column.
#pragma once

#include <QString>

namespace lxt {

struct RunState;

inline constexpr char kTimeElapsedPrefix[] = "Time elapsed: ";
inline constexpr char kWordsFoundSoFarPrefix[] = "Number of different words found so far: ";
inline constexpr char kWordsInListText[] = "Number of words in this list:";
inline constexpr char kWordsIgnoredOtherText[] = "No. of words ignored (other than common words):";
inline constexpr char kWordsIgnoredText[] = "Number of words ignored:";
inline constexpr char kInstancesInListText[] = "Number of instances of words in this list:";
inline constexpr char kTotalInstancesText[] = "Total number of instances of words:";

// One tick of Timer2: while the elapsed time runs, adds a second, shows it (file source
// only) and shows the number of different words found so far.
void Timer2_Timer(RunState& run);

// Hides the four statistics labels; with blnConcealTimeElapsed also empties lblTimeElapsed.
void ConcealNumWords(RunState& run, bool blnConcealTimeElapsed);

// `number` right-aligned in a field one character wider than the grouped total.
QString AlignedNumber(qint64 number, qint64 total);

// Fills and shows the statistics labels after the ordering phases and stops the elapsed time.
void ShowRunStatistics(RunState& run);

}  // namespace lxt
