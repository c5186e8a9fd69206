// The words of an ordered table as a listing presents them, for programs that read the
// result rather than a person: the included entries in the chosen word order.
#pragma once

#include <QList>
#include <QtGlobal>

namespace lxt {

struct RunState;

// The table indices of the included words: alphabetically (table order) when the word
// order is alphabetical, otherwise by decreasing frequency (the frequency order's links).
QList<qint32> ListedEntries(const RunState& run);

}  // namespace lxt
