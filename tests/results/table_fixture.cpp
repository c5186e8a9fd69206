#include "table_fixture.h"

#include "results/sorting.h"

namespace lxt::test {

void OrderTable(RunState& run) {
    SortWordTable(run, 1, run.lngNumWords, 1);
    MarkIncludedWords(run);
    ComputeWordStatistics(run);
    OrderByFrequency(run);
}

}  // namespace lxt::test
