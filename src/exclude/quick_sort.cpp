#include "exclude/quick_sort.h"

#include <QStringView>
#include <string_view>
#include <utility>

namespace lxt {

namespace {

// The code units of element from its 1-based column on; compared in code-unit order.
std::u16string_view FromColumn(const QString& element, qsizetype column) {
    const std::u16string_view units(QStringView(element).utf16(),
                                    static_cast<size_t>(element.size()));
    const auto skip = static_cast<size_t>(column - 1);
    return skip < units.size() ? units.substr(skip) : std::u16string_view();
}

// The partition sort: leaves array[lo..hi] in descending order. Works on the list's own
// elements (detached once by the caller), swapping them without copies.
void SortDescending(QString* array, qsizetype lo, qsizetype hi, qsizetype column) {
    while (lo < hi) {
        // Swapping moves the elements, never their characters: the pivot's stay put.
        const std::u16string_view key = FromColumn(array[lo + (hi - lo) / 2], column);
        qsizetype i = lo;
        qsizetype j = hi;
        do {
            while (i < hi && FromColumn(array[i], column).compare(key) > 0) ++i;
            while (j > lo && FromColumn(array[j], column).compare(key) < 0) --j;
            if (i <= j) {
                if (i < j) array[i].swap(array[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        // Recurse into the smaller part, loop over the larger one.
        if (j - lo < hi - i) {
            SortDescending(array, lo, j, column);
            lo = i;
        } else {
            SortDescending(array, i, hi, column);
            hi = j;
        }
    }
}

}  // namespace

void QuickSort(QStringList& array, qsizetype lo, qsizetype hi, qsizetype column) {
    if (lo >= hi) return;
    QString* elements = array.data();
    SortDescending(elements, lo, hi, column);
    for (qsizetype a = lo, b = hi; a < b; ++a, --b) elements[a].swap(elements[b]);
}

}  // namespace lxt
