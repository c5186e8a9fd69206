// The rank-frequency law of a listing: the least-squares line of log frequency on log rank
// over the ranks 1 to the last whose frequency is at least 2 (the words seen once form a flat
// tail that would bend the line). Minus its slope is the Zipf exponent s.
#pragma once

#include <QString>
#include <QtGlobal>
#include <span>

namespace lxt {

struct ZipfFit {
    bool fitted = false;  // false: fewer than two ranks to fit
    double exponent = 0;  // s: the line falls by s decades of frequency per decade of rank
    double logFrequencyAtRankOne = 0;  // the line's natural logarithm of frequency at rank 1
    double rSquared = 0;               // share of the variance of log frequency the line explains
    qint32 ranksUsed = 0;              // ranks 1 to the last with frequency >= 2
};

// Gathers ranks 1, 2, 3, ... in order with their frequencies (never increasing), without
// keeping them.
class ZipfFitter {
  public:
    void Add(qint32 rank, qint32 frequency);
    ZipfFit Result() const;

  private:
    qint32 count_ = 0;
    long double sumX_ = 0, sumY_ = 0, sumXX_ = 0, sumXY_ = 0, sumYY_ = 0;
};

// The fit of `frequencies`, the frequency of rank 1 first.
ZipfFit FitZipf(std::span<const qint32> frequencies);

// The line's frequency at `rank`.
double FittedFrequency(const ZipfFit& fit, double rank);

// "Zipf exponent s = 1.03", or "too few ranks to fit".
QString ZipfExponentText(const ZipfFit& fit);
// The exponent, R² and the number of ranks, for the headless counter's standard error:
// "Zipf exponent s = 1.0312, R² = 0.9876, ranks used: 4521".
QString ZipfReportText(const ZipfFit& fit);

}  // namespace lxt
