#include "stats/OrderMeasures.h"
#include "stats/SamplePicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace mx {
namespace {

TEST(OrderMeasuresTest, QuartilesInterpolateBetweenOrderStatistics)
{
    const struct {
        const char* name;
        std::vector<double> sample;
        long double lower, median, upper;
    } cases[] = {
        {"four", {4, 1, 3, 2}, 1.75L, 2.5L, 3.25L},
        {"one wrong entry", {1, 100, 2, 3, 4}, 2, 3, 4},
        {"one value", {7}, 7, 7, 7},
        {"two values", {3, 1}, 1.5L, 2, 2.5L},
        {"three values", {3, 1, 2}, 1.5L, 2, 2.5L},
        {"equal values", {5, 5, 5, 5, 5}, 5, 5, 5},
        {"negative", {-1, -4, -2, -3}, -3.25L, -2.5L, -1.75L},
        // The interpolation spans 2e308, beyond any double, in extended precision.
        {"huge", {1e308, -1e308, 1e308, 1e308}, 0.5L * 1e308, 1e308, 1e308},
    };
    for (const auto& c : cases) {
        const OrderMeasures m = computeOrderMeasures(std::span<const double>(c.sample));
        EXPECT_EQ(m.lowerQuartile, c.lower) << c.name;
        EXPECT_EQ(m.median, c.median) << c.name;
        EXPECT_EQ(m.upperQuartile, c.upper) << c.name;
        EXPECT_EQ(m.iqr, c.upper - c.lower) << c.name;
    }
    EXPECT_EQ(computeOrderMeasures(std::span<const double>()).median, 0);
}

// Against quantiles read off a sorted copy, on samples with and without repeated values.
TEST(OrderMeasuresTest, AgreesWithASortedCopyOnRandomSamples)
{
    std::mt19937_64 random(20);
    std::uniform_real_distribution<double> wide(-1e6, 1e6);
    std::uniform_int_distribution<int> few(-3, 3);
    for (int round = 0; round < 400; ++round) {
        std::vector<double> sample(std::size_t(1 + random() % 300));
        for (double& x : sample)
            x = round % 2 ? wide(random) : few(random);
        std::vector<double> sorted = sample;
        std::sort(sorted.begin(), sorted.end());
        const auto reference = [&sorted](long double p) {
            const long double h = (sorted.size() - 1) * p;
            const std::size_t below = std::size_t(std::floor(h));
            const std::size_t above = std::size_t(std::ceil(h));
            return sorted[below] + (h - below) * ((long double)sorted[above] - sorted[below]);
        };
        const std::vector<double> before = sample;
        const OrderMeasures m = computeOrderMeasures(std::span<const double>(sample));
        ASSERT_EQ(sample, before) << "the copy is selected, not the sample";
        ASSERT_EQ(m.lowerQuartile, reference(0.25L)) << round;
        ASSERT_EQ(m.median, reference(0.5L)) << round;
        ASSERT_EQ(m.upperQuartile, reference(0.75L)) << round;
    }
}

TEST(SamplePictureTest, BinCountFollowsFreedmanDiaconisWithItsFallbacks)
{
    const struct {
        const char* name;
        qint64 n;
        long double range, iqr;
        int bins;
    } cases[] = {
        {"one value", 1, 0, 0, 1},
        {"no range", 100, 0, 0, 1},
        {"width 2 IQR / cbrt N", 1000, 100, 10, 50},  // width 2: 50 bins
        {"partial bin rounds up", 1000, 101, 10, 50}, // 51 capped
        {"few", 8, 10, 5, 2},                          // width 5
        {"no IQR: Sturges", 1000, 10, 0, 11},         // ceil(log2 1000) + 1
        {"Sturges capped", qint64(1) << 60, 10, 0, 50},
    };
    for (const auto& c : cases)
        EXPECT_EQ(histogramBins(c.n, c.range, c.iqr), c.bins) << c.name;
}

SamplePicture pictureOf(const std::vector<double>& sample)
{
    return computeSamplePicture(sample, computeOrderMeasures(std::span<const double>(sample)));
}

TEST(SamplePictureTest, BinsCountEveryValueOnceAndEdgesOpenTheirBins)
{
    // IQR 2, width 2 * 2 / cbrt(5) = 2.34: two bins over the range 4, split at 2.
    const SamplePicture p = pictureOf({0, 1, 2, 3, 4});
    EXPECT_EQ(p.edges, (std::vector<double>{0, 2, 4}));
    EXPECT_EQ(p.counts, (std::vector<qint64>{2, 3})); // 2 opens the second bin, 4 closes it
    EXPECT_EQ(p.largestCount, 3);

    const SamplePicture same = pictureOf({5, 5, 5});
    EXPECT_EQ(same.edges, (std::vector<double>{5, 5}));
    EXPECT_EQ(same.counts, (std::vector<qint64>{3}));

    std::mt19937_64 random(3);
    std::lognormal_distribution<double> skewed(0, 1.5);
    std::vector<double> sample(20000);
    for (double& x : sample)
        x = skewed(random);
    const SamplePicture big = pictureOf(sample);
    EXPECT_EQ(big.bins(), SamplePicture::kMaxBins);
    EXPECT_EQ(std::accumulate(big.counts.begin(), big.counts.end(), qint64(0)), 20000);
    EXPECT_EQ(big.edges.front(), big.min);
    EXPECT_EQ(big.edges.back(), big.max);
    for (const double x : sample) {
        const auto bin = std::upper_bound(big.edges.begin(), big.edges.end() - 1, x) - big.edges.begin() - 1;
        ASSERT_GE(bin, 0);
        ASSERT_LT(bin, big.bins());
    }
    EXPECT_TRUE(std::is_sorted(big.edges.begin(), big.edges.end()));
}

TEST(SamplePictureTest, BoxPlotWhiskersStopAtTheFencesAndOutliersAreTheRest)
{
    const SamplePicture p = pictureOf({1, 2, 3, 4, 100, -20});
    // Q1 1.25, median 2.5, Q3 3.75, IQR 2.5: fences -2.5 and 7.5.
    const BoxPlot& b = p.box;
    EXPECT_EQ(b.lowerQuartile, 1.25);
    EXPECT_EQ(b.median, 2.5);
    EXPECT_EQ(b.upperQuartile, 3.75);
    EXPECT_EQ(b.lowerFence, -2.5);
    EXPECT_EQ(b.upperFence, 7.5);
    EXPECT_EQ(b.lowerWhisker, 1);
    EXPECT_EQ(b.upperWhisker, 4);
    EXPECT_EQ(b.outliers, (std::vector<double>{-20, 100}));
    EXPECT_EQ(b.outlierCount, 2);

    // Q1 3, Q3 9, fences -6 and 18 (a value on a fence is inside); outliers closer than a
    // thousandth of the range (1.0075) to the one before merge into one point.
    const SamplePicture c = pictureOf({-6, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1000, 1000.5, 1001.5});
    EXPECT_EQ(c.box.lowerWhisker, -6);
    EXPECT_EQ(c.box.upperWhisker, 9);
    EXPECT_EQ(c.box.outliers, (std::vector<double>{1000, 1001.5}));
    EXPECT_EQ(c.box.outlierCount, 3);
}

} // namespace
} // namespace mx
