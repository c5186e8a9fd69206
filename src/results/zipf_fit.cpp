#include "results/zipf_fit.h"

#include <cmath>

namespace lxt {

namespace {

// Only ranks whose word occurs at least this often take part in the fit.
constexpr qint32 kLeastFittedFrequency = 2;
// Decimals of the exponent in the window's text and in the counter's report.
constexpr int kShownDecimals = 2;
constexpr int kReportedDecimals = 4;
// A spread of log frequencies this small, relative to their squares, is no spread at all.
constexpr long double kFlatTolerance = 1e-15L;

}  // namespace

void ZipfFitter::Add(qint32 rank, qint32 frequency) {
    if (frequency < kLeastFittedFrequency || rank < 1) return;
    const long double x = std::log(static_cast<long double>(rank));
    const long double y = std::log(static_cast<long double>(frequency));
    ++count_;
    sumX_ += x;
    sumY_ += y;
    sumXX_ += x * x;
    sumXY_ += x * y;
    sumYY_ += y * y;
}

ZipfFit ZipfFitter::Result() const {
    ZipfFit fit;
    fit.ranksUsed = count_;
    if (count_ < 2) return fit;
    const long double n = count_;
    const long double sxx = n * sumXX_ - sumX_ * sumX_;
    const long double sxy = n * sumXY_ - sumX_ * sumY_;
    const long double syy = n * sumYY_ - sumY_ * sumY_;
    if (sxx <= 0) return fit;
    // Equal frequencies lie on a flat line; rounding must not tilt it.
    const bool flat = syy <= kFlatTolerance * n * sumYY_;
    const long double slope = flat ? 0.0L : sxy / sxx;
    fit.fitted = true;
    fit.exponent = static_cast<double>(-slope);
    fit.logFrequencyAtRankOne = static_cast<double>((sumY_ - slope * sumX_) / n);
    fit.rSquared = flat ? 1.0 : static_cast<double>(sxy * sxy / (sxx * syy));
    return fit;
}

ZipfFit FitZipf(std::span<const qint32> frequencies) {
    ZipfFitter fitter;
    qint32 rank = 0;
    for (const qint32 f : frequencies) fitter.Add(++rank, f);
    return fitter.Result();
}

double FittedFrequency(const ZipfFit& fit, double rank) {
    return std::exp(fit.logFrequencyAtRankOne - fit.exponent * std::log(rank));
}

QString ZipfExponentText(const ZipfFit& fit) {
    if (!fit.fitted) return QStringLiteral("too few ranks to fit");
    return QStringLiteral("Zipf exponent s = ") +
           QString::number(fit.exponent, 'f', kShownDecimals);
}

QString ZipfReportText(const ZipfFit& fit) {
    if (!fit.fitted) return ZipfExponentText(fit);
    return QStringLiteral("Zipf exponent s = ") +
           QString::number(fit.exponent, 'f', kReportedDecimals) + QStringLiteral(", R² = ") +
           QString::number(fit.rSquared, 'f', kReportedDecimals) +
           QStringLiteral(", ranks used: ") + QString::number(fit.ranksUsed);
}

}  // namespace lxt
