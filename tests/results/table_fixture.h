// Word tables for the results tests: entries written straight into a run's table, as a
// finished count leaves them.
#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "common/scripted_ui.h"
#include "run/run_state.h"
#include "support/str_proc.h"

namespace lxt::test {

inline QString FoldedKey(const QString& word) {
    return LowerCaseFull(SortFold(word));
}

// Replaces the table by `words` (in the given order) with their frequencies, all included.
inline void FillTable(RunState& run, const std::vector<std::pair<QString, qint32>>& words) {
    run.WordTable.Recreate();
    for (const auto& [word, frequency] : words) run.WordTable.Append(word, frequency);
    run.lngNumWords = run.WordTable.Count();
}

// The words of entries 1..lngNumWords in table order.
inline QStringList TableWords(const RunState& run) {
    QStringList out;
    for (qint32 i = 1; i <= run.lngNumWords; ++i) out << run.WordTable[i].Word().toString();
    return out;
}

// Runs the four ordering steps as the run driver does after a count.
void OrderTable(RunState& run);

}  // namespace lxt::test
