// What the Chart window draws, made from the frequency order of the last listing (the
// included words only, ranked as the frequency listing numbers them, whatever word order was
// listed): the most frequent words as bars, the rank-frequency curve thinned to points spread
// evenly over the logarithm of the rank, and the Zipf fit over every rank.
#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

#include "results/zipf_fit.h"

namespace lxt {

class WordTable;

// Bars: the most frequent words, ties in listing order.
inline constexpr qint32 kChartBars = 30;
// The curve never has more points than this, however many words are listed.
inline constexpr qint32 kMaxCurvePoints = 2000;

struct ChartBar {
    QString word;
    qint32 frequency = 0;
};

struct RankPoint {
    qint32 rank = 0;
    qint32 frequency = 0;
};

struct ListedWordsChart {
    std::vector<ChartBar> bars;    // the most frequent first
    std::vector<RankPoint> curve;  // increasing rank; the first and the last rank are there
    qint32 numRanks = 0;           // the number of listed words
    qint32 maxFrequency = 0;
    ZipfFit fit;

    bool IsEmpty() const { return numRanks == 0; }
};

// Follows the frequency order of `table` from entry `firstFreq` for `numIncluded` steps.
ListedWordsChart ChartListedWords(const WordTable& table, qint32 firstFreq, qint32 numIncluded);

// The ranks 1..numRanks that the curve keeps: all of them up to maxPoints, else at most
// maxPoints ranks spread evenly over log rank, 1 and numRanks among them, increasing.
std::vector<qint32> SampledRanks(qint32 numRanks, qint32 maxPoints = kMaxCurvePoints);

}  // namespace lxt
