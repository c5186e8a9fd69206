// Admission and counting of words in the word table: the exclusions (7-bit rule, words to
// ignore, common words), counting, the insertion of new words with the live display, and
// sealing (entries 1..lngNumWords in ordinal order, no duplicates) when a scan ends.
#pragma once

#include <QString>
#include <QStringView>

#include "run/run_error.h"
#include "run/run_state.h"
#include "run/word_table.h"
#include "support/binary_search.h"
#include "support/narrow_text.h"
#include "support/ui.h"

namespace lxt {

inline constexpr char16_t kCommonWordsReadCaption[] = u"Number of common words read so far: ";
// lblNumberOfWords is refreshed every this many new words.
inline constexpr qint32 kWordsPerLabelRefresh = 10;

// Re-creates the table (indices 0..500), sets lngNumWords to 0 and lets the words-as-found
// display write its notice again. Called at the start of every file scan, clipboard scan and
// common-words read.
void ResetWordTable(RunState& run);
// GetWords2 for a word that the quick way below does not take: too long a word, or the first
// word of the table.
void GetWords2Admitting(RunState& run, QStringView word);
// The rest of GetWords2 for a word the table was searched for and does not hold: the
// exclusions, then AddWordToList's steps for a new word.
void AddMissingWord(RunState& run, const WordTable::Probe& word);

// Admission in counting runs: drops words failing the 7-bit rule, words to ignore and common
// words, then AddWordToList. Throws RunError on overflow. A known word costs one search of
// the table, here, where the scanner hands it over: it passed the exclusions when it was
// added.
inline void GetWords2(RunState& run, QStringView word) {
    if ((word.size() > run.intMaxPermittedWordLength) | (run.lngNumWords <= 0)) [[unlikely]] {
        GetWords2Admitting(run, word);
        return;
    }
    WordTable::Probe probe = WordTable::MakeProbe(word);
    if (qint32* count = run.WordTable.FindCount(probe)) [[likely]] {
        IncrementCounter(*count);
        return;
    }
    AddMissingWord(run, probe);
}
// GetWords2, with the count of all occurrences, for a word of characters below 256 (none of
// them U+0000) held one byte each with room after it (narrow_text.h), no longer than the
// run's longest word, that counts when `admissible()`: a word the table holds passed that
// test when it was added, and is found without widening it. `room` takes the word widened
// when it is not known (its length and kNarrowRoom units more).
template <typename Test>
inline void GetWords2(RunState& run, const unsigned char* bytes, qsizetype size, char16_t* room,
                      Test admissible) {
    if (run.lngNumWords <= 0) [[unlikely]] {
        if (!admissible()) return;
        IncrementCounter(run.lngTotalNumOccurrences);
        WidenNarrow(bytes, size, room);
        GetWords2Admitting(run, QStringView(room, size));
        return;
    }
    WordTable::NarrowProbe probe = WordTable::MakeProbe(bytes, size);
    if (qint32* count = run.WordTable.FindCount(probe)) [[likely]] {
        IncrementCounter(run.lngTotalNumOccurrences);
        IncrementCounter(*count);
        return;
    }
    if (!admissible()) return;
    IncrementCounter(run.lngTotalNumOccurrences);
    WidenNarrow(bytes, size, room);
    AddMissingWord(run, probe.Widened(room));
}
// Counts one occurrence, creating and showing the entry when the word is new.
void AddWordToList(RunState& run, QStringView word);
// Stores a word the table does not hold yet (lngNumWords already counts it): its characters
// once in the table's arena, frequency 1. Its entry (included, sort key made when sorted) is
// made when the table is sealed.
void StoreNewWord(RunState& run, const WordTable::Probe& word);
// Binary search of entries 1..count by their words (on a sealed table).
SearchResult FindWord(const WordTable& table, QStringView key, qint32 count);
// Puts entries 1..lngNumWords in ordinal order of the words with no duplicates and frees the
// hash slots. Called when every scan ends; does nothing to a table already in order.
void SealWordTable(RunState& run);
// The sort key of a word: umlauts expanded, accents removed, lower-cased.
QString WordSortKey(QStringView word);

}  // namespace lxt
