// The table of different words met in a run, indexed from 1 (index 0 exists and is never
// used). Its capacity grows by 500 slots at a time. While a run adds words, a hash index
// finds each word in constant time; SealWordTable (word_list.h) puts the entries in order.
#pragma once

#include <QStringView>
#include <memory>
#include <vector>

#include "run/word_entry.h"

namespace lxt {

class WordIndex;

class WordTable {
  public:
    static constexpr qint32 kGrowth = 500;

    WordTable();
    ~WordTable();
    WordTable(const WordTable& other);
    WordTable& operator=(const WordTable& other);

    // Empties the table: indices 0..500, no index.
    void Recreate();
    WordEntry& operator[](qint32 i) { return entries_[static_cast<size_t>(i)]; }
    const WordEntry& operator[](qint32 i) const { return entries_[static_cast<size_t>(i)]; }
    // The highest index the table holds now.
    qint32 UpperIndex() const { return static_cast<qint32>(entries_.size()) - 1; }
    void Grow() { entries_.resize(entries_.size() + kGrowth); }

    // The index (1..count) of the entry holding `word`, or 0. The hash index is rebuilt
    // from entries 1..count when it does not cover exactly those entries.
    qint32 Lookup(QStringView word, qint32 count);
    // Registers entry i (just stored, i = count of indexed entries + 1) in the hash index.
    void Remember(qint32 i);
    // Frees the hash index (after the entries were reordered).
    void ForgetIndex();
    // Sorts entries 1..count in ordinal order of strWord, merges entries with equal words
    // (adding their frequencies) and frees the hash index; gives back the new count.
    qint32 SortByWord(qint32 count);

  private:
    // Lookup when the hash index must first be (re)built from entries 1..count.
    [[gnu::noinline]] qint32 RebuildAndLookup(QStringView word, qint32 count);
    // Puts entries 1..count in ordinal order of strWord (equal words by their index).
    void SortEntries(qint32 count);

    std::vector<WordEntry> entries_;
    std::unique_ptr<WordIndex> index_;
};

}  // namespace lxt
