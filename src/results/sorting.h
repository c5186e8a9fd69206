// Puts the counted words in their two listing orders once a count ends: the alphabetical
// order of the folded sort keys (the table itself is reordered), and the frequency order,
// a chain through the table from lngFirstFreq along lngNext with ranks in lngRank.
// Also decides which words are listed (the infrequency threshold) and the run statistics.
#pragma once

#include <QtGlobal>

namespace lxt {

struct RunState;
class WordTable;

// Every kTrailStep links of the frequency order, " ." is appended to the output box.
inline constexpr qint32 kTrailStep = 1000;
inline constexpr char16_t kTrailMark[] = u" .";

// Quicksort of entries lo..hi (whole entries) by their sort keys from character number
// `start` (1-based) on, compared code unit by code unit. Entries with equal keys end where
// this particular scheme leaves them: that order is part of every listing.
void SortWordTable(WordTable& table, qint32 lo, qint32 hi, qint32 start = 1);
void SortWordTable(RunState& run, qint32 lo, qint32 hi, qint32 start = 1);

// The inclusion pass: every word is listed unless infrequent words are ignored and the
// word occurs fewer than intThresholdFrequency times.
void MarkIncludedWords(RunState& run);

// The statistics pass over the included words: lngNumWordsIncluded, lngNumWordsExcluded,
// lngNumOccurrences, lngMaxFrequency and intMaxWordLengthFound (of the word, not its key).
void ComputeWordStatistics(RunState& run);

// The frequency order: decreasing frequency, ties in table (alphabetical) order. Sets
// lngRank and lngNext of every entry (0 for excluded ones) and lngFirstFreq (0 = none).
void OrderByFrequency(RunState& run);

}  // namespace lxt
