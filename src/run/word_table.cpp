#include "run/word_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string_view>

#include "run/run_error.h"
#include "support/binary_search.h"
#include "support/str_proc.h"

namespace lxt {

namespace {

// The first number of slots, and the most words per four slots before they grow by half.
constexpr size_t kFirstSlots = 1024;
constexpr size_t kMaxLoadQuarters = 3;

// The first code units of a word as a 128-bit number in two halves, a shorter word padded
// with zeros: eight units of 16 bits, or sixteen of 8 bits when every word's units are below
// 256. Words whose numbers differ are in the order of these numbers; equal numbers need the
// rest of the words (from the units the number holds on) and, for equal words, `index`. A key
// carries what the sealed entry needs: the word and its count, or the entry it came from.
struct PrefixKey {
    quint64 high;
    quint64 low;
    const char16_t* units;
    qint32 frequency;
    qint32 index;
};

// The units of a word that a prefix key holds.
constexpr qsizetype kNarrowPrefixUnits = 16;
constexpr qsizetype kWidePrefixUnits = 8;

PrefixKey MakePrefixKey(const char16_t* units, qint32 frequency, qint32 index, bool narrow) {
    const qsizetype n = WordArena::LengthOf(units);
    quint64 part[2] = {0, 0};
    if (narrow) {
        for (qsizetype i = 0; i < kNarrowPrefixUnits; ++i) {
            const quint64 unit = i < n ? units[i] : 0;
            part[i / 8] = part[i / 8] << 8 | unit;
        }
    } else {
        for (qsizetype i = 0; i < kWidePrefixUnits; ++i) {
            const quint64 unit = i < n ? units[i] : 0;
            part[i / 4] = part[i / 4] << 16 | unit;
        }
    }
    return {part[0], part[1], units, frequency, index};
}

// Byte `depth` of a key's number, 0 being the highest.
inline unsigned KeyByte(const PrefixKey& k, int depth) {
    const quint64 part = depth < 8 ? k.high : k.low;
    return static_cast<unsigned>(part >> (56 - 8 * (depth % 8))) & 0xFF;
}

// Sorts a few keys by insertion (every two keys that end side by side are compared).
template <typename Less>
void InsertionSortKeys(PrefixKey* first, PrefixKey* last, Less& less) {
    for (PrefixKey* i = first + 1; i < last; ++i) {
        const PrefixKey held = *i;
        PrefixKey* j = i;
        for (; j > first && less(held, j[-1]); --j) *j = j[-1];
        *j = held;
    }
}

// The keys whose numbers' first `depth` bytes are equal, sorted: spread by their next byte
// through `spare` (room for as many keys), each part then sorted the same way from the byte
// after; a few keys, or keys equal in all sixteen bytes, by `less`. Keys spread by a byte are
// never compared, so `less` sees every two keys that share a number.
template <typename Less>
void SortKeysFromByte(PrefixKey* first, PrefixKey* last, PrefixKey* spare, int depth, Less& less) {
    constexpr ptrdiff_t kFewKeys = 16;
    constexpr int kBytes = 16;
    for (;;) {
        const ptrdiff_t n = last - first;
        if (n <= kFewKeys) {
            InsertionSortKeys(first, last, less);
            return;
        }
        if (depth == kBytes) {
            std::sort(first, last, less);
            return;
        }
        std::array<quint32, 256> count{};
        unsigned low = 255;
        unsigned high = 0;
        for (const PrefixKey* k = first; k < last; ++k) {
            const unsigned b = KeyByte(*k, depth);
            ++count[b];
            low = std::min(low, b);
            high = std::max(high, b);
        }
        if (low == high) {
            ++depth;  // one byte for all: the next byte decides
            continue;
        }
        std::array<quint32, 256> next;  // where the next key of each byte value goes
        quint32 at = 0;
        for (unsigned b = low; b <= high; ++b) {
            next[b] = at;
            at += count[b];
        }
        for (const PrefixKey* k = first; k < last; ++k) spare[next[KeyByte(*k, depth)]++] = *k;
        std::copy(spare, spare + n, first);
        PrefixKey* part = first;
        for (unsigned b = low; b <= high; ++b) {
            if (count[b] > 1) SortKeysFromByte(part, part + count[b], spare, depth + 1, less);
            part += count[b];
        }
        return;
    }
}

// Sorts prefix keys. A large table is first spread in place by the top 16 bits of the
// numbers (the order of the numbers starts there), so that no second array of all the keys
// is needed; each part is then sorted through a spare array as large as the largest part.
template <typename Less>
void SortPrefixKeys(std::vector<PrefixKey>& keys, Less& less) {
    constexpr size_t kParts = size_t{1} << 16;
    if (keys.size() < kParts) {
        std::vector<PrefixKey> spare(keys.size());
        SortKeysFromByte(keys.data(), keys.data() + keys.size(), spare.data(), 0, less);
        return;
    }
    const auto partOf = [](const PrefixKey& k) { return static_cast<size_t>(k.high >> 48); };
    std::vector<size_t> begin(kParts + 1, 0);
    for (const PrefixKey& k : keys) ++begin[partOf(k) + 1];
    for (size_t p = 0; p < kParts; ++p) begin[p + 1] += begin[p];
    {
        std::vector<size_t> next(begin.begin(),
                                 begin.end() - 1);  // where each part's next key goes
        for (size_t p = 0; p < kParts; ++p) {
            while (next[p] < begin[p + 1]) {
                PrefixKey held = keys[next[p]];
                for (size_t home = partOf(held); home != p; home = partOf(held)) {
                    std::swap(held, keys[next[home]++]);
                }
                keys[next[p]++] = held;
            }
        }
    }
    size_t largest = 0;
    for (size_t p = 0; p < kParts; ++p) largest = std::max(largest, begin[p + 1] - begin[p]);
    std::vector<PrefixKey> spare(largest);
    for (size_t p = 0; p < kParts; ++p) {
        if (begin[p + 1] - begin[p] > 1) {
            SortKeysFromByte(keys.data() + begin[p], keys.data() + begin[p + 1], spare.data(), 2,
                             less);
        }
    }
}

// The code units of a word or'ed together: below 0x80 for ASCII, below 0x100 for narrow.
char16_t UnitsOr(QStringView word) {
    char16_t all = 0;
    for (const QChar c : word) all |= c.unicode();
    return all;
}

// SortFoldKeeps(word), with ASCII units looked up in a table made once.
bool SortFoldKeepsWord(QStringView word) {
    static const std::array<bool, 0x80> asciiKept = [] {
        std::array<bool, 0x80> kept{};
        for (char16_t u = 0; u < 0x80; ++u) kept[u] = SortFoldKeeps(QStringView(&u, 1));
        return kept;
    }();
    for (const QChar c : word) {
        const char16_t u = c.unicode();
        if (u >= 0x80) return SortFoldKeeps(word);
        if (!asciiKept[u]) return false;
    }
    return true;
}

bool StrictlyOrdered(const std::vector<WordEntry>& entries, qint32 count) {
    for (qint32 i = 2; i <= count; ++i) {
        if (CompareOrdinal(entries[size_t(i - 1)].Word(), entries[size_t(i)].Word()) >= 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

WordTable::WordTable() {
    Recreate();
}

void WordTable::Recreate() {
    Clear();
    upperIndex_ = kGrowth;
}

void WordTable::Clear() {
    arena_.Clear();
    slots_ = {};
    entries_ = {};
    narrow_ = true;
    ascii_ = true;
    ordinal_ = false;
    keysAreWords_ = true;
    keysKnown_ = true;
    count_ = 0;
    sealed_ = false;
}

qint32* WordTable::FindCount(QStringView word) {
    Probe probe = MakeProbe(word);
    return FindCount(probe);
}

void WordTable::ReserveSlot() {
    if ((static_cast<size_t>(count_) + 1) * 4 <= slots_.size() * kMaxLoadQuarters) return;
    auto old = std::move(slots_);
    const size_t capacity = old.empty() ? kFirstSlots : old.size() + old.size() / 2;
    slots_.assign(capacity, Slot{});
    // The keys choose the new places: the words' characters are not read again.
    for (const Slot& slot : old) {
        if (slot.units != nullptr) PlaceSlot(slot);
    }
}

void WordTable::PlaceSlot(const Slot& slot) {
    size_t i = Home(word_hash::HashOfKey(slot.key));
    while (slots_[i].units != nullptr) i = After(i);
    slots_[i] = slot;
}

void WordTable::Insert(const Probe& probe) {
    if (sealed_) Unseal();
    ReserveSlot();
    const Slot slot{probe.key.key, arena_.Intern(probe.word, 1)};
    if (probe.slotsSeen == slots_.size() && slots_[probe.freeSlot].units == nullptr) {
        slots_[probe.freeSlot] = slot;  // where the look-up found the word missing
    } else {
        PlaceSlot(slot);
    }
    NoteWord(probe.word);
    ++count_;
}

void WordTable::Unseal() {
    std::vector<WordEntry> entries = std::move(entries_);
    entries_ = {};
    sealed_ = false;
    const qint32 count = count_;
    count_ = 0;
    slots_ = {};
    for (qint32 i = 1; i <= count; ++i) {
        const WordEntry& e = entries[size_t(i)];
        ReserveSlot();
        *WordArena::FrequencyOf(e.units) = e.frequency;
        PlaceSlot({word_hash::KeyOfWord(e.units, e.Size()).key, e.units});
        ++count_;
    }
}

void WordTable::EntriesFromSlots() {
    entries_.clear();
    entries_.reserve(static_cast<size_t>(count_) + 1);
    entries_.emplace_back();
    for (const Slot& slot : slots_) {
        if (slot.units == nullptr) continue;
        WordEntry& e = entries_.emplace_back();
        e.units = slot.units;
        e.frequency = *WordArena::FrequencyOf(slot.units);
        e.included = true;
    }
    slots_ = {};
    sealed_ = true;
}

qint32 WordTable::Append(QStringView word, qint32 frequency) {
    if (!sealed_) EntriesFromSlots();
    WordEntry& e = entries_.emplace_back();
    e.units = arena_.Intern(word);
    e.frequency = frequency;
    NoteWord(word);
    ordinal_ = false;
    e.included = true;
    ++count_;
    while (upperIndex_ < count_) Grow();
    return count_;
}

void WordTable::NoteWord(QStringView word) {
    const char16_t all = UnitsOr(word);
    if (all > 0xFF) narrow_ = false;
    if (all >= 0x80) ascii_ = false;
    keysKnown_ = false;
}

bool WordTable::KeysAreWords() const {
    if (keysKnown_) return keysAreWords_;
    bool keep = true;
    if (sealed_) {
        for (qint32 i = 1; i <= count_ && keep; ++i)
            keep = SortFoldKeepsWord(entries_[size_t(i)].Word());
    } else {
        for (const Slot& slot : slots_) {
            if (slot.units == nullptr) continue;
            if (!SortFoldKeepsWord(QStringView(slot.units, WordArena::LengthOf(slot.units)))) {
                keep = false;
                break;
            }
        }
    }
    keysAreWords_ = keep;
    keysKnown_ = true;
    return keep;
}

void WordTable::Arrange(std::vector<qint32>& source) {
    ordinal_ = false;
    // Along the cycles of the permutation, without a second table.
    for (qint32 start = 1; start <= count_; ++start) {
        if (source[size_t(start)] == start) continue;
        WordEntry held = entries_[size_t(start)];
        qint32 at = start;
        for (;;) {
            const qint32 from = source[size_t(at)];
            source[size_t(at)] = at;
            if (from == start) {
                entries_[size_t(at)] = held;
                break;
            }
            entries_[size_t(at)] = entries_[size_t(from)];
            at = from;
        }
    }
}

qint32 WordTable::SortByWord() {
    const qint32 count = count_;
    if (sealed_ && (count < 2 || StrictlyOrdered(entries_, count))) {
        ordinal_ = true;
        return count;
    }

    // Sorting keys that carry their prefix numbers touches the words' text only where those
    // numbers are equal. The entries are then written in order, each once.
    const qsizetype prefixUnits = narrow_ ? kNarrowPrefixUnits : kWidePrefixUnits;
    bool equalWords = false;
    const auto less = [prefixUnits, &equalWords](const PrefixKey& a, const PrefixKey& b) {
        if (a.high != b.high) return a.high < b.high;
        if (a.low != b.low) return a.low < b.low;
        // Equal prefix numbers: the first `from` code units of both words are equal.
        const QStringView x(a.units, WordArena::LengthOf(a.units));
        const QStringView y(b.units, WordArena::LengthOf(b.units));
        const qsizetype from = std::min({prefixUnits, x.size(), y.size()});
        const int c = CompareOrdinal(x.sliced(from), y.sliced(from));
        if (c != 0) return c < 0;
        equalWords = true;
        return a.index < b.index;
    };
    std::vector<PrefixKey> keys;
    keys.reserve(static_cast<size_t>(count));
    bool keep = true;  // every word is its own sort key
    std::vector<WordEntry> entries;
    if (!sealed_) {
        // The words come in the order of the slots, which is the hashes': each word's
        // characters are fetched some slots ahead. The keys carry what the entries need, so
        // the slots go before the keys are sorted.
        constexpr size_t kFetchDistance = 64;
        const size_t slotCount = slots_.size();
        for (size_t i = 0; i < slotCount; ++i) {
            if (i + kFetchDistance < slotCount) {
                const char16_t* ahead = slots_[i + kFetchDistance].units;
                if (ahead != nullptr) __builtin_prefetch(ahead - WordArena::kHeaderUnits);
            }
            const Slot& slot = slots_[i];
            if (slot.units != nullptr) {
                keys.push_back(MakePrefixKey(slot.units, *WordArena::FrequencyOf(slot.units),
                                             qint32(i), narrow_));
                // While the word is at hand: is it its own sort key?
                if (keep) keep = SortFoldKeepsWord({slot.units, WordArena::LengthOf(slot.units)});
            }
        }
        slots_ = {};
        SortPrefixKeys(keys, less);
        entries.resize(static_cast<size_t>(count) + 1);
        for (qint32 i = 1; i <= count; ++i) {
            const PrefixKey& k = keys[size_t(i - 1)];
            WordEntry& e = entries[size_t(i)];
            e.units = k.units;
            e.frequency = k.frequency;
            e.included = true;
        }
    } else {
        for (qint32 i = 1; i <= count; ++i) {
            const WordEntry& e = entries_[size_t(i)];
            keys.push_back(MakePrefixKey(e.units, e.frequency, i, narrow_));
            if (keep) keep = SortFoldKeepsWord(e.Word());
        }
        SortPrefixKeys(keys, less);
        entries.resize(static_cast<size_t>(count) + 1);
        for (qint32 i = 1; i <= count; ++i) {
            entries[size_t(i)] = entries_[size_t(keys[size_t(i - 1)].index)];
        }
    }
    keys = {};
    keysAreWords_ = keep;
    keysKnown_ = true;
    entries_ = std::move(entries);
    sealed_ = true;
    ordinal_ = true;
    // Entries with equal words (only a table built by hand has them) become one. A sort
    // compares every two entries that end side by side, so without a tie it has none.
    if (!equalWords) return count;
    qint32 out = 1;
    for (qint32 i = 2; i <= count; ++i) {
        WordEntry& kept = entries_[size_t(out)];
        const WordEntry& next = entries_[size_t(i)];
        if (kept.Word() == next.Word()) {
            if (kept.frequency > std::numeric_limits<qint32>::max() - next.frequency) {
                RaiseOverflow();
            }
            kept.frequency += next.frequency;
        } else {
            ++out;
            if (out != i) entries_[size_t(out)] = next;
        }
    }
    entries_.resize(static_cast<size_t>(out) + 1);
    count_ = out;
    return out;
}

}  // namespace lxt
