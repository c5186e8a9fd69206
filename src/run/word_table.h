// The table of different words met in a run. While words are counted it is a hash table
// whose slots hold each word's key (a short word's own characters, word_hash.h) and the
// address of its characters, which are kept once in an arena with its count before them. Sealing
// (SealWordTable, word_list.h) turns it into entries indexed from 1 (index 0 exists and is never
// used) in ordinal order of the words; sorting and listing work on those. Its capacity, as the
// windows and tests see it, grows by 500 slots at a time.
#pragma once

#include <QStringView>
#include <vector>

#include "run/word_arena.h"
#include "run/word_entry.h"
#include "run/word_hash.h"
#include "support/narrow_text.h"

namespace lxt {

class WordTable {
  public:
    static constexpr qint32 kGrowth = 500;

    // A word being counted, with its key worked out once for the look-up and the insertion.
    struct Probe {
        QStringView word;
        word_hash::WordKey key;
        // Where a look-up that missed stopped: the free slot the word would take, while the
        // slots number `slotsSeen`.
        size_t freeSlot = 0;
        size_t slotsSeen = 0;
    };

    // A word of characters below 256, none of them U+0000, held one byte each (bytes and room
    // after them as narrow_text.h asks), for the look-up alone: a miss goes on as a Probe of
    // the word widened.
    struct NarrowProbe {
        const unsigned char* bytes = nullptr;
        qsizetype size = 0;
        word_hash::WordKey key;
        size_t freeSlot = 0;
        size_t slotsSeen = 0;

        // The probe of the same word as the code units at `units`, where the look-up stopped.
        Probe Widened(const char16_t* units) const {
            return {QStringView(units, size), key, freeSlot, slotsSeen};
        }
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

    static Probe MakeProbe(QStringView word) {
        return {word, word_hash::KeyOfWord(word.utf16(), word.size())};
    }
    static NarrowProbe MakeProbe(const unsigned char* bytes, qsizetype size) noexcept {
        return {bytes, size, word_hash::KeyOfNarrow(bytes, size)};
    }
    // The count of the probe's word, or null when the table does not hold it. A sealed table
    // goes back to counting first. A short word held costs its slot alone, another word its
    // slot and one read of its characters.
    qint32* FindCount(Probe& probe) {
        return Find(probe, [&probe](const char16_t* units) {
            return WordArena::LengthOf(units) == probe.word.size() &&
                   word_hash::SameUnits(units, probe.word.utf16(), probe.word.size());
        });
    }
    qint32* FindCount(QStringView word);
    qint32* FindCount(NarrowProbe& probe) {
        return Find(probe, [&probe](const char16_t* units) {
            return WordArena::LengthOf(units) == probe.size &&
                   NarrowEqualsUnits(probe.bytes, units, probe.size);
        });
    }
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

    // True when entries 1..Count() are in ordinal order of their words, each different.
    bool InOrdinalOrder() const { return sealed_ && ordinal_; }
    // True when every code unit of every word held is an ASCII character.
    bool AllAscii() const { return ascii_; }
    // True when every word held is its own sort key (worked out on the first question after
    // a word was added).
    bool KeysAreWords() const;

    // Seals the table: entries 1..Count() in ordinal order of the words, entries with equal
    // words merged (adding their frequencies), the hash slots freed. Gives back the count.
    qint32 SortByWord();

  private:
    struct Slot {
        quint64 key = 0;                  // the word's key (word_hash.h)
        const char16_t* units = nullptr;  // the word in the arena, its count before it; null: free
    };

    // The look-up of FindCount: `same` tells whether the word at the units of a slot whose key
    // is the probe's, not a short word's, is the probe's word.
    template <typename AnyProbe, typename Same>
    qint32* Find(AnyProbe& probe, Same same) {
        if (sealed_) [[unlikely]] {
            Unseal();
        }
        if (slots_.empty()) return nullptr;
        const quint64 key = probe.key.key;
        const bool shortWord = word_hash::IsShortKey(key);
        for (size_t i = Home(probe.key.hash);; i = After(i)) {
            const Slot& slot = slots_[i];
            if (slot.units == nullptr) {
                probe.freeSlot = i;
                probe.slotsSeen = slots_.size();
                return nullptr;
            }
            if (slot.key == key && (shortWord || same(slot.units))) {
                return WordArena::FrequencyOf(slot.units);
            }
        }
    }

    // Makes room for one more word in the slots.
    void ReserveSlot();
    void PlaceSlot(const Slot& slot);
    // The first slot to try for a hash: its low half scaled to the number of slots, so that the
    // slots need not be a power of two and grow by half.
    size_t Home(size_t hash) const {
        return static_cast<size_t>((quint64{static_cast<quint32>(hash)} * slots_.size()) >> 32);
    }
    size_t After(size_t i) const { return i + 1 == slots_.size() ? 0 : i + 1; }
    // A sealed table back to counting: its entries become slots again.
    [[gnu::noinline]] void Unseal();
    // Entries from the slots (in no particular order), slots freed.
    void EntriesFromSlots();

    WordArena arena_;
    std::vector<Slot> slots_;  // none before the first word
    std::vector<WordEntry> entries_;
    qint32 count_ = 0;
    qint32 upperIndex_ = kGrowth;
    bool sealed_ = false;
    // Every code unit of every word held is below 256: eight bits of each order the words.
    bool narrow_ = true;
    // Every code unit of every word held is below 128.
    bool ascii_ = true;
    bool ordinal_ = false;
    // Whether every word held is its own sort key, once keysKnown_.
    mutable bool keysAreWords_ = true;
    mutable bool keysKnown_ = true;
    // Notes what the flags above must know of a word added.
    void NoteWord(QStringView word);
};

}  // namespace lxt
