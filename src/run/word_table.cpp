#include "run/word_table.h"

#include <algorithm>
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
// rest of the words (from `units` on) and, for equal words, the entry's index.
struct PrefixKey {
    quint64 high;
    quint64 low;
    qint32 units;
    qint32 index;
};

PrefixKey MakePrefixKey(QStringView word, qint32 index, bool narrow) {
    const char16_t* p = word.utf16();
    const qsizetype n = word.size();
    quint64 part[2] = {0, 0};
    if (narrow) {
        for (qsizetype i = 0; i < 16; ++i) {
            const quint64 unit = i < n ? p[i] : 0;
            part[i / 8] = part[i / 8] << 8 | unit;
        }
        return {part[0], part[1], 16, index};
    }
    for (qsizetype i = 0; i < 8; ++i) {
        const quint64 unit = i < n ? p[i] : 0;
        part[i / 4] = part[i / 4] << 16 | unit;
    }
    return {part[0], part[1], 8, index};
}

// Sorts prefix keys: first spread in place by the top 16 bits of their numbers (one pass,
// as the order of the numbers starts there), then each bucket by `less`.
template <typename Less>
void SortPrefixKeys(std::vector<PrefixKey>& keys, Less less) {
    constexpr size_t kBuckets = size_t{1} << 16;
    if (keys.size() < kBuckets) {
        std::sort(keys.begin(), keys.end(), less);
        return;
    }
    const auto bucketOf = [](const PrefixKey& k) { return static_cast<size_t>(k.high >> 48); };
    std::vector<size_t> next(kBuckets, 0);  // where the next key of each bucket goes
    std::vector<size_t> end(kBuckets, 0);
    for (const PrefixKey& k : keys) ++end[bucketOf(k)];
    size_t at = 0;
    for (size_t b = 0; b < kBuckets; ++b) {
        next[b] = at;
        at += end[b];
        end[b] = at;
    }
    for (size_t b = 0; b < kBuckets; ++b) {
        while (next[b] < end[b]) {
            PrefixKey held = keys[next[b]];
            for (size_t home = bucketOf(held); home != b; home = bucketOf(held)) {
                std::swap(held, keys[next[home]++]);
            }
            keys[next[b]++] = held;
        }
    }
    size_t begin = 0;
    for (size_t b = 0; b < kBuckets; ++b) {
        if (end[b] - begin > 1)
            std::sort(keys.begin() + qsizetype(begin), keys.begin() + qsizetype(end[b]), less);
        begin = end[b];
    }
}

// True when a unit of the word is 256 or above.
bool HasWideUnit(QStringView word) {
    char16_t all = 0;
    for (const QChar c : word) all |= c.unicode();
    return all > 0xFF;
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
    ordinal_ = false;
    keysAreWords_ = true;
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
    if (narrow_ && HasWideUnit(word)) narrow_ = false;
    if (keysAreWords_ && !SortFoldKeeps(word)) keysAreWords_ = false;
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
    if (!sealed_) EntriesFromSlots();
    const qint32 count = count_;
    if (count < 2 || StrictlyOrdered(entries_, count)) {
        ordinal_ = true;
        return count;
    }

    // Sorting (prefix number, index) keys touches the words' text only where their prefix
    // numbers are equal.
    std::vector<qint32> source(static_cast<size_t>(count) + 1);
    bool equalWords = false;
    {
        constexpr qint32 kFetchDistance = 8;
        std::vector<PrefixKey> keys;
        keys.reserve(static_cast<size_t>(count));
        for (qint32 i = 1; i <= count; ++i) {
            if (i + kFetchDistance <= count)
                __builtin_prefetch(entries_[size_t(i + kFetchDistance)].units -
                                   WordArena::kHeaderUnits);
            keys.push_back(MakePrefixKey(entries_[size_t(i)].Word(), i, narrow_));
        }
        SortPrefixKeys(keys, [this, &equalWords](const PrefixKey& a, const PrefixKey& b) {
            if (a.high != b.high) return a.high < b.high;
            if (a.low != b.low) return a.low < b.low;
            // Equal prefix numbers: the first `from` code units of both words are equal.
            const QStringView x = entries_[size_t(a.index)].Word();
            const QStringView y = entries_[size_t(b.index)].Word();
            const qsizetype from = std::min({qsizetype{a.units}, x.size(), y.size()});
            const int c = CompareOrdinal(x.sliced(from), y.sliced(from));
            if (c != 0) return c < 0;
            equalWords = true;
            return a.index < b.index;
        });
        for (qint32 i = 1; i <= count; ++i) source[size_t(i)] = keys[size_t(i - 1)].index;
    }
    Arrange(source);
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
