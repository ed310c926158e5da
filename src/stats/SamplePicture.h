#pragma once

#include "OrderMeasures.h"

#include <QtGlobal>

#include <span>
#include <vector>

namespace mx {

// The box plot's five numbers: the whiskers reach the most extreme values within 1.5 IQR
// of the quartiles; values beyond those fences are outliers.
struct BoxPlot
{
    double lowerWhisker = 0;
    double lowerQuartile = 0;
    double median = 0;
    double upperQuartile = 0;
    double upperWhisker = 0;
    double lowerFence = 0;
    double upperFence = 0;
    // The outliers in ascending order, each at least a thousandth of the sample's range
    // beyond the one before (closer ones draw as the same point); outlierCount counts all.
    std::vector<double> outliers;
    qint64 outlierCount = 0;
};

// A picture of a sample as data, painted elsewhere: a histogram over [min, max] and the
// box plot beneath it. Bin i covers [edges[i], edges[i + 1]), the last one includes max.
// The number of bins follows Freedman and Diaconis (width 2 IQR / cube root of N), at most
// kMaxBins; a sample whose IQR is 0 but whose range is not takes Sturges' log2 N + 1 bins;
// a sample of one value has a single bin.
struct SamplePicture
{
    static constexpr int kMaxBins = 50;

    qint64 n = 0;
    double min = 0;
    double max = 0;
    std::vector<double> edges;  // bins + 1 values, edges.front() = min, edges.back() = max
    std::vector<qint64> counts; // one per bin
    qint64 largestCount = 0;
    BoxPlot box;

    bool empty() const { return n == 0; }
    int bins() const { return int(counts.size()); }
};

// The number of bins for N values with this range and IQR, by the rule above.
int histogramBins(qint64 n, long double range, long double iqr);

// One pass over the sample, whose quartiles and median `order` holds.
SamplePicture computeSamplePicture(std::span<const double> sample, const OrderMeasures& order);

} // namespace mx
