#include "results/zipf_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace lxt::test {
namespace {

// Frequencies C / r^s rounded, ranks 1..n.
std::vector<qint32> PowerLaw(double c, double s, int n) {
    std::vector<qint32> f;
    for (int r = 1; r <= n; ++r) f.push_back(static_cast<qint32>(std::lround(c / std::pow(r, s))));
    return f;
}

TEST(ZipfFit, FindsTheExponentOfAConstructedPowerLaw) {
    for (const double s : {0.8, 1.0, 1.2}) {
        const std::vector<qint32> f = PowerLaw(1e7, s, 1000);
        const ZipfFit fit = FitZipf(f);
        ASSERT_TRUE(fit.fitted);
        EXPECT_NEAR(fit.exponent, s, 1e-3) << s;
        EXPECT_GT(fit.rSquared, 0.9999);
        EXPECT_EQ(fit.ranksUsed, 1000);
        EXPECT_NEAR(FittedFrequency(fit, 10.0), 1e7 / std::pow(10.0, s), 1e7 * 1e-3);
    }
    // f = 60 / r exactly: s = 1 and a perfect line.
    const ZipfFit exact = FitZipf(std::vector<qint32>{60, 30, 20, 15, 12, 10});
    EXPECT_NEAR(exact.exponent, 1.0, 1e-12);
    EXPECT_NEAR(exact.rSquared, 1.0, 1e-12);
    EXPECT_NEAR(FittedFrequency(exact, 1.0), 60.0, 1e-9);
    EXPECT_EQ(ZipfExponentText(exact), QStringLiteral("Zipf exponent s = 1.00"));
    EXPECT_EQ(ZipfReportText(exact),
              QStringLiteral("Zipf exponent s = 1.0000, R² = 1.0000, ranks used: 6"));
}

TEST(ZipfFit, WordsSeenOnceAreLeftOutOfTheFit) {
    // The tail of frequency 1 would flatten the line: the fit uses ranks 1 to 6 only.
    std::vector<qint32> f{60, 30, 20, 15, 12, 10};
    f.insert(f.end(), 500, 1);
    const ZipfFit fit = FitZipf(f);
    EXPECT_EQ(fit.ranksUsed, 6);
    EXPECT_NEAR(fit.exponent, 1.0, 1e-12);
    // A scattered list: the line explains only part of it.
    const ZipfFit rough = FitZipf(std::vector<qint32>{50, 40, 41, 3, 30, 2});
    ASSERT_TRUE(rough.fitted);
    EXPECT_LT(rough.rSquared, 0.9);
    EXPECT_GT(rough.rSquared, 0.0);
}

TEST(ZipfFit, TooFewRanksGiveNoFit) {
    for (const std::vector<qint32>& f : {std::vector<qint32>{}, std::vector<qint32>{7},
                                         std::vector<qint32>{1, 1, 1}, std::vector<qint32>{5, 1}}) {
        const ZipfFit fit = FitZipf(f);
        EXPECT_FALSE(fit.fitted) << f.size();
        EXPECT_EQ(ZipfExponentText(fit), QStringLiteral("too few ranks to fit"));
        EXPECT_EQ(ZipfReportText(fit), QStringLiteral("too few ranks to fit"));
    }
    // Equal frequencies: a flat line, fitted exactly.
    const ZipfFit flat = FitZipf(std::vector<qint32>{4, 4, 4, 4});
    ASSERT_TRUE(flat.fitted);
    EXPECT_EQ(ZipfExponentText(flat), QStringLiteral("Zipf exponent s = 0.00"));
    EXPECT_EQ(flat.rSquared, 1.0);
}

}  // namespace
}  // namespace lxt::test
