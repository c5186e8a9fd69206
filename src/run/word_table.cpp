#include "run/word_table.h"

#include <QHash>
#include <algorithm>
#include <boost/unordered/unordered_flat_map.hpp>
#include <cstring>
#include <limits>

#include "run/run_error.h"
#include "support/binary_search.h"

namespace lxt {

namespace {

// A multiply-and-rotate hash over the code units, eight bytes at a time; the map mixes the
// result further.
[[gnu::always_inline]] inline size_t HashUnits(QStringView v) noexcept {
    constexpr quint64 kMultiplier = 0x9E3779B97F4A7C15ull;
    const auto* p = reinterpret_cast<const unsigned char*>(v.utf16());
    size_t bytes = static_cast<size_t>(v.size()) * sizeof(char16_t);
    quint64 h = bytes * kMultiplier;
    while (bytes >= 8) {
        quint64 chunk;
        std::memcpy(&chunk, p, 8);
        h = (h ^ chunk) * kMultiplier;
        h ^= h >> 29;
        p += 8;
        bytes -= 8;
    }
    quint64 tail = 0;
    switch (bytes) {  // 0, 2, 4 or 6 bytes left
        case 6:
            tail = quint64(p[4]) << 32 | quint64(p[5]) << 40;
            [[fallthrough]];
        case 4:
            tail |= quint64(p[2]) << 16 | quint64(p[3]) << 24;
            [[fallthrough]];
        case 2:
            tail |= quint64(p[0]) | quint64(p[1]) << 8;
            break;
        default:
            break;
    }
    h = (h ^ tail) * kMultiplier;
    return static_cast<size_t>(h ^ (h >> 32));
}

struct ViewHash {
    using is_transparent = void;
    size_t operator()(QStringView v) const noexcept { return HashUnits(v); }
    size_t operator()(const QString& s) const noexcept { return HashUnits(s); }
};

struct ViewEqual {
    using is_transparent = void;
    static bool Same(QStringView a, QStringView b) noexcept {
        if (a.size() != b.size()) return false;
        const char16_t* x = a.utf16();
        const char16_t* y = b.utf16();
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (x[i] != y[i]) return false;
        }
        return true;
    }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const noexcept {
        return Same(QStringView(a), QStringView(b));
    }
};

}  // namespace

// Word -> entry index. The keys share their text with the entries' strWord.
class WordIndex {
  public:
    boost::unordered_flat_map<QString, qint32, ViewHash, ViewEqual> map;
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
    if (!index_ || static_cast<qint32>(index_->map.size()) != count) {
        index_ = std::make_unique<WordIndex>();
        index_->map.reserve(static_cast<size_t>(count) + kGrowth);
        for (qint32 i = 1; i <= count; ++i) index_->map.emplace(entries_[size_t(i)].strWord, i);
        if (static_cast<qint32>(index_->map.size()) != count) {
            // Entries with equal words (never made by this program): index the first only
            // and keep the index from being rebuilt on every look-up.
            index_.reset();
            for (qint32 i = 1; i <= count; ++i) {
                if (QStringView(entries_[size_t(i)].strWord) == word) return i;
            }
            return 0;
        }
    }
    const auto it = index_->map.find(word);
    return it == index_->map.end() ? 0 : it->second;
}

void WordTable::Remember(qint32 i) {
    if (!index_) index_ = std::make_unique<WordIndex>();
    index_->map.emplace(entries_[size_t(i)].strWord, i);
}

void WordTable::ForgetIndex() {
    index_.reset();
}

qint32 WordTable::SortByWord(qint32 count) {
    index_.reset();
    if (count < 2) return count;
    const auto first = entries_.begin() + 1;
    const auto last = first + count;
    const auto less = [](const WordEntry& a, const WordEntry& b) {
        return CompareOrdinal(a.strWord, b.strWord) < 0;
    };
    if (!std::is_sorted(first, last, less)) std::sort(first, last, less);
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
