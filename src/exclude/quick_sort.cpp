#include "exclude/quick_sort.h"

#include <QStringView>
#include <utility>

namespace lxt {

namespace {

QStringView FromColumn(const QString& element, qsizetype column) {
    return QStringView(element).mid(column - 1);
}

// The partition sort: leaves array[lo..hi] in descending order.
void SortDescending(QStringList& array, qsizetype lo, qsizetype hi, qsizetype column) {
    while (lo < hi) {
        const QString pivot = array[lo + (hi - lo) / 2];
        const QStringView key = FromColumn(pivot, column);
        qsizetype i = lo;
        qsizetype j = hi;
        do {
            while (i < hi && FromColumn(array[i], column).compare(key) > 0) ++i;
            while (j > lo && FromColumn(array[j], column).compare(key) < 0) --j;
            if (i <= j) {
                if (i < j) array.swapItemsAt(i, j);
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
    SortDescending(array, lo, hi, column);
    for (qsizetype a = lo, b = hi; a < b; ++a, --b) array.swapItemsAt(a, b);
}

}  // namespace lxt
