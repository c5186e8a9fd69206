#include "support/blank_list_lookup.h"

#include <boost/unordered/unordered_flat_set.hpp>
#include <algorithm>
#include <functional>
#include <string_view>

namespace lxt {

namespace {

std::u16string_view Units(QStringView text) {
    return {text.utf16(), static_cast<size_t>(text.size())};
}

// The standard library's hash of the words' bytes: a few multiplications per eight bytes,
// where Boost's default mixes every character on its own (the map mixes the result again).
struct UnitsHash {
    size_t operator()(std::u16string_view units) const noexcept {
        return std::hash<std::u16string_view>{}(units);
    }
};

// The words of one list. The copy of the list shares its characters with the caller's
// string, which therefore cannot change without moving to new storage: the same storage and
// length mean the same list.
struct ListWords {
    QString list;
    boost::unordered_flat_set<std::u16string_view, UnitsHash> words;

    bool IsFor(const QString& other) const {
        return other.constData() == list.constData() && other.size() == list.size();
    }

    void Build(const QString& other) {
        list = other;
        words.clear();
        const auto* units = reinterpret_cast<const char16_t*>(list.utf16());
        const qsizetype size = list.size();
        words.reserve(static_cast<size_t>(std::count(units, units + size, u' ')));
        // Only a piece with a blank on each side is a word of the list.
        qsizetype start = -1;  // the blank before the piece
        for (qsizetype i = 0; i < size; ++i) {
            if (units[i] != u' ') continue;
            if (start >= 0) words.insert({units + start + 1, static_cast<size_t>(i - start - 1)});
            start = i;
        }
    }
};

}  // namespace

bool BlankListHolds(const QString& list, QStringView word) {
    if (list.isEmpty()) return false;
    thread_local ListWords cache;
    if (!cache.IsFor(list)) cache.Build(list);
    return cache.words.contains(Units(word));
}

}  // namespace lxt
