#include "support/binary_search.h"

namespace lxt {

SearchResult FindString(QStringView key, const QStringList& array, qint32 count, qint32 start) {
    const qint32 n = std::min(count, static_cast<qint32>(array.size()));
    const qsizetype from = std::max(start, 1) - 1;
    return BinarySearch(key, n, [&](qint32 i) { return QStringView(array[i - 1]).mid(from); });
}

}  // namespace lxt
