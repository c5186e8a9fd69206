#include "results/listed_words.h"

#include "results/listing_formats.h"
#include "run/run_state.h"

namespace lxt {

QList<qint32> ListedEntries(const RunState& run) {
    QList<qint32> entries;
    entries.reserve(run.lngNumWordsIncluded);
    if (run.settings.cboWordOrder == kWordOrderAlphabetical) {
        for (qint32 i = 1; i <= run.lngNumWords; ++i) {
            if (run.WordTable[i].included) entries << i;
        }
        return entries;
    }
    for (qint32 i = run.lngFirstFreq; i != 0 && entries.size() < run.lngNumWordsIncluded;
         i = run.WordTable[i].next) {
        entries << i;
    }
    return entries;
}

}  // namespace lxt
