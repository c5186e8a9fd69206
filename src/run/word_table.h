// The table of different words met in a run. While words are counted it is a hash table
// whose slots hold each word's count beside its hash and the address of its characters,
// which are kept once in an arena. Sealing (SealWordTable, word_list.h) turns it into
// entries indexed from 1 (index 0 exists and is never used) in ordinal order of the words;
// sorting and listing work on those. Its capacity, as the windows and tests see it, grows by
// 500 slots at a time.
#pragma once

#include <QStringView>
#include <vector>

#include "run/word_arena.h"
#include "run/word_entry.h"

namespace lxt {

class WordTable {
  public:
    static constexpr qint32 kGrowth = 500;

    // A word being counted, with its hash worked out once for the look-up and the insertion.
    struct Probe {
        QStringView word;
        size_t hash = 0;
    };

    WordTable();
    WordTable(const WordTable&) = delete;
    WordTable& operator=(const WordTable&) = delete;

    // Empties the table: no words, indices 0..500.
    void Recreate();
    // Empties the table and keeps its capacity (the first word of a run).
    void Clear();

    // The highest index the table holds now (500, 1000, ...).
    qint32 UpperIndex() const { return upperIndex_; }
    void Grow() { upperIndex_ += kGrowth; }
    // The number of different words held.
    qint32 Count() const { return count_; }

    static Probe MakeProbe(QStringView word) noexcept;
    // The count of the probe's word, or null when the table does not hold it. A sealed table
    // goes back to counting first.
    qint32* FindCount(const Probe& probe);
    qint32* FindCount(QStringView word) { return FindCount(MakeProbe(word)); }
    // Adds the probe's word, which the table does not hold, with the count 1.
    void Insert(const Probe& probe);

    // Entries of a sealed table, 1..Count().
    WordEntry& operator[](qint32 i) { return entries_[static_cast<size_t>(i)]; }
    const WordEntry& operator[](qint32 i) const { return entries_[static_cast<size_t>(i)]; }
    bool Sealed() const { return sealed_; }
    // Appends an entry for `word` to a sealed table (a table built by hand; sealing again
    // puts it in order and merges equal words). Gives back its index.
    qint32 Append(QStringView word, qint32 frequency);
    // Puts the entries in a new order: entry source[i] goes to index i, for i 1..Count();
    // `source` is left as the identity.
    void Arrange(std::vector<qint32>& source);

    // Seals the table: entries 1..Count() in ordinal order of the words, entries with equal
    // words merged (adding their frequencies), the hash slots freed. Gives back the count.
    qint32 SortByWord();

  private:
    struct Slot {
        const char16_t* units = nullptr;  // null: the slot is free
        quint32 tag = 0;  // the high half of the word's hash; its top bits choose the slot
        qint32 frequency = 0;
    };

    // Makes room for one more word in the slots.
    void ReserveSlot();
    void PlaceSlot(const Slot& slot);
    size_t Home(quint32 tag) const { return tag >> shift_; }
    // A sealed table back to counting: its entries become slots again.
    [[gnu::noinline]] void Unseal();
    // Entries from the slots (in no particular order), slots freed.
    void EntriesFromSlots();

    WordArena arena_;
    std::vector<Slot> slots_;  // a power of two of them, or none
    size_t mask_ = 0;
    int shift_ = 32;  // 32 - log2 of the number of slots
    std::vector<WordEntry> entries_;
    qint32 count_ = 0;
    qint32 upperIndex_ = kGrowth;
    bool sealed_ = false;
};

}  // namespace lxt
