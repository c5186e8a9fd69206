// Binary search over sorted arrays whose elements are numbered from 1, in ordinal order
// (UTF-16 code units compared one by one, no locale rules). A miss gives back the negated
// index at which the key would have to be inserted to keep the order.
#pragma once

#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <string_view>

namespace lxt {

struct SearchResult {
    bool found = false;
    // Found: the index of the match. Not found: -(insertion index), -1 before the first
    // element, -(count + 1) after the last.
    qint32 position = -1;
};

// Ordinal comparison: negative, zero or positive as a sorts before, equal to or after b.
inline int CompareOrdinal(QStringView a, QStringView b) {
    const std::u16string_view x(a.utf16(), static_cast<size_t>(a.size()));
    const std::u16string_view y(b.utf16(), static_cast<size_t>(b.size()));
    return x.compare(y);
}

// The search over elements 1..count; `at(i)` gives element i as a QStringView.
template <class At>
SearchResult BinarySearch(QStringView key, qint32 count, At at) {
    if (count <= 0) return {false, -1};
    if (CompareOrdinal(key, at(1)) < 0) return {false, -1};
    if (CompareOrdinal(key, at(count)) > 0) return {false, -(count + 1)};
    if (count == 1) return {true, 1};
    qint32 lo = 1;
    qint32 hi = count;
    qint32 mid = count / 2;
    for (;;) {
        const int c = CompareOrdinal(key, at(mid));
        if (c == 0) return {true, mid};
        if (c < 0) {
            if (mid == lo) return {false, -lo};
            hi = mid - 1;
            mid = mid - (mid - lo + 1) / 2;
        } else {
            if (mid == hi) return {false, -(hi + 1)};
            lo = mid + 1;
            mid = mid + (hi - mid + 1) / 2;
        }
    }
}

// FindString: searches elements 1..count of `array`, element i being array[i - 1], comparing
// the key with the part of each element from character number `start` (1-based) on.
SearchResult FindString(QStringView key, const QStringList& array, qint32 count, qint32 start);

}  // namespace lxt
