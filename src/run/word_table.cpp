#include "run/word_table.h"

#include <algorithm>
#include <boost/unordered/unordered_flat_set.hpp>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "run/run_error.h"
#include "support/binary_search.h"

namespace lxt {

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr quint64 kSeed = 0xA0761D6478BD642Full;
constexpr quint64 kMultiplier = 0xE7037ED1A0B428DBull;
constexpr quint64 kFinal = 0x8EBC6AF09C88C6E3ull;

// The 128-bit product of a and b, folded to 64 bits.
[[gnu::always_inline]] inline quint64 Fold(quint64 a, quint64 b) noexcept {
    const Wide r = static_cast<Wide>(a) * b;
    return static_cast<quint64>(r) ^ static_cast<quint64>(r >> 64);
}

[[gnu::always_inline]] inline quint64 Load8(const unsigned char* p) noexcept {
    quint64 v;
    std::memcpy(&v, p, 8);
    return v;
}

[[gnu::always_inline]] inline quint64 Load4(const unsigned char* p) noexcept {
    quint32 v;
    std::memcpy(&v, p, 4);
    return v;
}

// The bytes [0, 8) and [n - 8, n) of a text of 4 to 16 bytes as two 64-bit numbers, read as
// four pieces of four bytes without a branch (shorter texts read some bytes twice).
struct Ends {
    quint64 front;
    quint64 back;
};
[[gnu::always_inline]] inline Ends ReadEnds(const unsigned char* p, size_t bytes) noexcept {
    const size_t middle = (bytes >> 3) << 2;  // 0 below 8 bytes, 4 from 8 to 15, 8 at 16
    return {Load4(p) | Load4(p + middle) << 32, Load4(p + bytes - 4 - middle) | Load4(p + bytes - 4)
                                                                                    << 32};
}

// A multiply-and-fold hash over the bytes of the code units. Words of 2 to 8 characters (the
// usual case) are read as two numbers without a branch; longer ones eight bytes at a time.
// Well mixed in all bits, so the map uses it as it is.
[[gnu::always_inline]] inline size_t HashUnits(QStringView v) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(v.utf16());
    const size_t bytes = static_cast<size_t>(v.size()) * sizeof(char16_t);
    quint64 a = kSeed ^ bytes;
    quint64 b = 0;
    if (bytes > 16) {
        size_t i = 0;
        for (; i + 16 < bytes; i += 8) a = Fold(a ^ Load8(p + i), kMultiplier);
        a ^= Load8(p + i);
        b = Load8(p + bytes - 8);
    } else if (bytes >= 4) {
        const Ends ends = ReadEnds(p, bytes);
        a ^= ends.front;
        b = ends.back;
    } else if (bytes == 2) {
        b = quint64(p[0]) | quint64(p[1]) << 8;
    }
    return static_cast<size_t>(Fold(Fold(a, kMultiplier) ^ b, kFinal));
}

// The hash of a word of up to eight code units from its bytes' ends (the same number
// HashUnits gives for it).
[[gnu::always_inline]] inline size_t HashEnds(qsizetype size, quint64 front, quint64 back) {
    const quint64 a = kSeed ^ (static_cast<size_t>(size) * sizeof(char16_t)) ^ front;
    return static_cast<size_t>(Fold(Fold(a, kMultiplier) ^ back, kFinal));
}

// One word of the index: words of up to kInlineUnits code units are held in the slot itself
// as the two numbers ReadEnds gives (which, with the size, tell the word), so that a look-up
// reads no other memory and compares two numbers; longer ones by the address of their
// characters (kept alive by WordIndex::longWords).
constexpr qsizetype kInlineUnits = 8;

// The ends of a word of up to kInlineUnits code units (a single unit as `back`).
[[gnu::always_inline]] inline Ends InlineEnds(const char16_t* p, qsizetype size) noexcept {
    if (size >= 2) return ReadEnds(reinterpret_cast<const unsigned char*>(p), size_t(size) * 2);
    return {0, size == 1 ? quint64(p[0]) : 0};
}

struct Slot {
    quint64 front = 0;  // for a longer word, the address of its characters
    quint64 back = 0;
    qint32 size = 0;
    qint32 index = 0;

    bool Inline() const noexcept { return size <= kInlineUnits; }
    const char16_t* LongData() const noexcept {
        const char16_t* address;
        std::memcpy(&address, &front, sizeof address);
        return address;
    }
};

Slot MakeSlot(QStringView word, qint32 index) {
    Slot slot;
    slot.size = static_cast<qint32>(word.size());
    slot.index = index;
    if (word.size() <= kInlineUnits) {
        const Ends ends = InlineEnds(word.utf16(), word.size());
        slot.front = ends.front;
        slot.back = ends.back;
    } else {
        const char16_t* address = word.utf16();
        std::memcpy(&slot.front, &address, sizeof address);
    }
    return slot;
}

// A word being looked up, with its ends and hash worked out once.
struct Probe {
    QStringView view;
    quint64 front = 0;
    quint64 back = 0;
    size_t hash = 0;
};

[[gnu::always_inline]] inline Probe MakeProbe(QStringView word) noexcept {
    Probe probe;
    probe.view = word;
    if (word.size() <= kInlineUnits) {
        const Ends ends = InlineEnds(word.utf16(), word.size());
        probe.front = ends.front;
        probe.back = ends.back;
        probe.hash = HashEnds(word.size(), ends.front, ends.back);
    } else {
        probe.hash = HashUnits(word);
    }
    return probe;
}

struct SlotHash {
    using is_transparent = void;
    using is_avalanching = void;
    size_t operator()(const Probe& p) const noexcept { return p.hash; }
    size_t operator()(const Slot& s) const noexcept {
        return s.Inline() ? HashEnds(s.size, s.front, s.back)
                          : HashUnits(QStringView(s.LongData(), s.size));
    }
};

// Equal code units, compared eight bytes at a time (the last eight may overlap); for texts
// longer than 16 bytes.
[[gnu::always_inline]] inline bool SameLongUnits(const char16_t* a, const char16_t* b,
                                                 qsizetype size) noexcept {
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    const size_t bytes = static_cast<size_t>(size) * sizeof(char16_t);
    for (size_t i = 0; i + 8 < bytes; i += 8) {
        if (Load8(x + i) != Load8(y + i)) return false;
    }
    return Load8(x + bytes - 8) == Load8(y + bytes - 8);
}

struct SlotEqual {
    using is_transparent = void;
    static bool Same(const Probe& p, const Slot& s) noexcept {
        if (p.view.size() != s.size) return false;
        if (s.Inline()) return ((p.front ^ s.front) | (p.back ^ s.back)) == 0;
        return SameLongUnits(p.view.utf16(), s.LongData(), s.size);
    }
    bool operator()(const Probe& p, const Slot& s) const noexcept { return Same(p, s); }
    bool operator()(const Slot& s, const Probe& p) const noexcept { return Same(p, s); }
    bool operator()(const Slot& a, const Slot& b) const noexcept {
        if (a.size != b.size) return false;
        if (a.Inline()) return ((a.front ^ b.front) | (a.back ^ b.back)) == 0;
        return SameLongUnits(a.LongData(), b.LongData(), a.size);
    }
};

// The first eight code units of a word as a 128-bit number in two halves (a shorter word
// padded with zeros): words whose prefix numbers differ are in the order of these numbers.
struct PrefixKey {
    quint64 high;
    quint64 low;
    const char16_t* units;  // the whole word, for the tie-break
    qint32 size;
    qint32 index;
};

PrefixKey MakePrefixKey(QStringView word, qint32 index) {
    const char16_t* p = word.utf16();
    const qsizetype n = word.size();
    quint64 part[2] = {0, 0};
    for (qsizetype i = 0; i < 8; ++i) {
        const quint64 unit = i < n ? p[i] : 0;
        part[i / 4] = part[i / 4] << 16 | unit;
    }
    return {part[0], part[1], p, static_cast<qint32>(n), index};
}

}  // namespace

// Word -> entry index.
class WordIndex {
  public:
    boost::unordered_flat_set<Slot, SlotHash, SlotEqual> set;
    // The words longer than a slot holds, sharing the entries' text so that it stays put.
    std::vector<QString> longWords;

    bool Add(const QString& word, qint32 index) {
        if (!set.insert(MakeSlot(word, index)).second) return false;
        if (word.size() > kInlineUnits) longWords.push_back(word);
        return true;
    }
};

WordTable::WordTable() {
    Recreate();
}
WordTable::~WordTable() = default;

WordTable::WordTable(const WordTable& other) : entries_(other.entries_) {}

WordTable& WordTable::operator=(const WordTable& other) {
    if (this != &other) {
        entries_ = other.entries_;
        index_.reset();
    }
    return *this;
}

void WordTable::Recreate() {
    entries_.assign(kGrowth + 1, WordEntry{});
    index_.reset();
}

qint32 WordTable::Lookup(QStringView word, qint32 count) {
    if (!index_ || static_cast<qint32>(index_->set.size()) != count) [[unlikely]] {
        return RebuildAndLookup(word, count);
    }
    const auto it = index_->set.find(MakeProbe(word));
    return it == index_->set.end() ? 0 : it->index;
}

qint32 WordTable::RebuildAndLookup(QStringView word, qint32 count) {
    index_ = std::make_unique<WordIndex>();
    index_->set.reserve(static_cast<size_t>(count) + kGrowth);
    bool unique = true;
    for (qint32 i = 1; i <= count && unique; ++i)
        unique = index_->Add(entries_[size_t(i)].strWord, i);
    if (!unique) {
        // Entries with equal words (never made by this program): index the first only
        // and keep the index from being rebuilt on every look-up.
        index_.reset();
        for (qint32 i = 1; i <= count; ++i) {
            if (QStringView(entries_[size_t(i)].strWord) == word) return i;
        }
        return 0;
    }
    const auto it = index_->set.find(MakeProbe(word));
    return it == index_->set.end() ? 0 : it->index;
}

void WordTable::Remember(qint32 i) {
    if (!index_) index_ = std::make_unique<WordIndex>();
    index_->Add(entries_[size_t(i)].strWord, i);
}

void WordTable::ForgetIndex() {
    index_.reset();
}

void WordTable::SortEntries(qint32 count) {
    // Sorting (prefix number, text, index) keys touches the words' text only where the first
    // eight code units are equal; the entries are then moved into place along the cycles of
    // the permutation, without a second table.
    std::vector<PrefixKey> keys;
    keys.reserve(static_cast<size_t>(count));
    for (qint32 i = 1; i <= count; ++i)
        keys.push_back(MakePrefixKey(entries_[size_t(i)].strWord, i));
    std::sort(keys.begin(), keys.end(), [](const PrefixKey& a, const PrefixKey& b) {
        if (a.high != b.high) return a.high < b.high;
        if (a.low != b.low) return a.low < b.low;
        // Equal prefix numbers: the first `from` code units of both words are equal.
        const qint32 from = std::min({8, a.size, b.size});
        const int c = std::u16string_view(a.units + from, size_t(a.size - from))
                          .compare(std::u16string_view(b.units + from, size_t(b.size - from)));
        return c != 0 ? c < 0 : a.index < b.index;
    });
    // source[i]: the entry that goes to index i; set to i once index i holds it.
    std::vector<qint32> source(static_cast<size_t>(count) + 1);
    for (qint32 i = 1; i <= count; ++i) source[size_t(i)] = keys[size_t(i - 1)].index;
    keys = {};
    for (qint32 start = 1; start <= count; ++start) {
        if (source[size_t(start)] == start) continue;
        WordEntry held = std::move(entries_[size_t(start)]);
        qint32 at = start;
        for (;;) {
            const qint32 from = source[size_t(at)];
            source[size_t(at)] = at;
            if (from == start) {
                entries_[size_t(at)] = std::move(held);
                break;
            }
            entries_[size_t(at)] = std::move(entries_[size_t(from)]);
            at = from;
        }
    }
}

qint32 WordTable::SortByWord(qint32 count) {
    index_.reset();
    if (count < 2) return count;
    const auto first = entries_.begin() + 1;
    const auto last = first + count;
    const auto less = [](const WordEntry& a, const WordEntry& b) {
        return CompareOrdinal(a.strWord, b.strWord) < 0;
    };
    if (!std::is_sorted(first, last, less)) SortEntries(count);
    // Entries with equal words (never made by the word list) become one.
    qint32 out = 1;
    for (qint32 i = 2; i <= count; ++i) {
        WordEntry& kept = entries_[size_t(out)];
        WordEntry& next = entries_[size_t(i)];
        if (kept.strWord == next.strWord) {
            if (kept.lngFrequency > std::numeric_limits<qint32>::max() - next.lngFrequency) {
                RaiseOverflow();
            }
            kept.lngFrequency += next.lngFrequency;
        } else {
            ++out;
            if (out != i) entries_[size_t(out)] = std::move(next);
        }
    }
    for (qint32 i = out + 1; i <= count; ++i) entries_[size_t(i)] = WordEntry{};
    return out;
}

}  // namespace lxt
