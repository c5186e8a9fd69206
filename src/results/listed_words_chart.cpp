#include "results/listed_words_chart.h"

#include <algorithm>
#include <cmath>

#include "run/word_table.h"

namespace lxt {

std::vector<qint32> SampledRanks(qint32 numRanks, qint32 maxPoints) {
    std::vector<qint32> ranks;
    if (numRanks <= 0) return ranks;
    if (numRanks <= maxPoints || maxPoints < 2) {
        ranks.reserve(static_cast<size_t>(numRanks));
        for (qint32 r = 1; r <= numRanks; ++r) ranks.push_back(r);
        return ranks;
    }
    ranks.reserve(static_cast<size_t>(maxPoints));
    const double logLast = std::log(static_cast<double>(numRanks));
    for (qint32 k = 0; k < maxPoints; ++k) {
        const double at = std::exp(logLast * k / (maxPoints - 1));
        const qint32 rank = std::clamp(static_cast<qint32>(std::lround(at)), 1, numRanks);
        // Near rank 1 several steps round to one rank: it is kept once.
        if (ranks.empty() || rank > ranks.back()) ranks.push_back(rank);
    }
    if (ranks.back() != numRanks) ranks.push_back(numRanks);
    return ranks;
}

ListedWordsChart ChartListedWords(const WordTable& table, qint32 firstFreq, qint32 numIncluded) {
    ListedWordsChart chart;
    if (firstFreq == 0 || numIncluded <= 0) return chart;
    const std::vector<qint32> sampled = SampledRanks(numIncluded);
    chart.curve.reserve(sampled.size());
    chart.bars.reserve(static_cast<size_t>(std::min(numIncluded, kChartBars)));
    ZipfFitter fitter;
    size_t nextSample = 0;
    qint32 entry = firstFreq;
    for (qint32 step = 1; step <= numIncluded && entry != 0; ++step) {
        const WordEntry& e = table[entry];
        const qint32 rank = e.rank;
        fitter.Add(rank, e.frequency);
        if (step <= kChartBars) chart.bars.push_back({e.Word().toString(), e.frequency});
        if (nextSample < sampled.size() && rank == sampled[nextSample]) {
            chart.curve.push_back({rank, e.frequency});
            ++nextSample;
        }
        chart.maxFrequency = std::max(chart.maxFrequency, e.frequency);
        chart.numRanks = rank;
        entry = e.next;
    }
    chart.fit = fitter.Result();
    return chart;
}

}  // namespace lxt
