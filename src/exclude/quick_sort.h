// The QuickSort module: sorts a range of a string array in ascending binary (code-unit)
// order by a descending partition sort followed by a reversal of the range. Elements are
// compared from a start column on (1-based), so a prefix can be left out of the order.
#pragma once

#include <QStringList>

namespace lxt {

// Sorts array[lo..hi] (0-based, inclusive) ascending, comparing each element from its
// 1-based character `column` on. Does nothing when lo is not below hi.
void QuickSort(QStringList& array, qsizetype lo, qsizetype hi, qsizetype column = 1);

}  // namespace lxt
