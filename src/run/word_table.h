// The table of different words met in a run, indexed from 1 (index 0 exists and is
// never used). Its capacity grows by 500 slots at a time.
#pragma once

#include <vector>

#include "run/word_entry.h"

namespace lxt {

class WordTable {
public:
    static constexpr qint32 kGrowth = 500;

    WordTable() { Recreate(); }
    // Empties the table: indices 0..500.
    void Recreate() { entries_.assign(kGrowth + 1, WordEntry{}); }
    WordEntry& operator[](qint32 i) { return entries_[static_cast<size_t>(i)]; }
    const WordEntry& operator[](qint32 i) const { return entries_[static_cast<size_t>(i)]; }
    // The highest index the table holds now.
    qint32 UpperIndex() const { return static_cast<qint32>(entries_.size()) - 1; }
    void Grow() { entries_.resize(entries_.size() + kGrowth); }

private:
    std::vector<WordEntry> entries_;
};

}  // namespace lxt
