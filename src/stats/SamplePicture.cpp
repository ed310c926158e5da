#include "SamplePicture.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace mx {

int histogramBins(qint64 n, long double range, long double iqr)
{
    if (n <= 1 || !(range > 0))
        return 1;
    long double bins;
    if (iqr > 0) {
        const long double width = 2 * iqr / std::cbrt((long double)n);
        bins = std::ceil(range / width);
    } else {
        bins = std::ceil(std::log2((long double)n)) + 1;
    }
    return int(std::clamp<long double>(bins, 1, SamplePicture::kMaxBins));
}

SamplePicture computeSamplePicture(std::span<const double> sample, const OrderMeasures& order)
{
    SamplePicture p;
    if (sample.empty())
        return p;
    p.n = qint64(sample.size());
    const auto [lo, hi] = std::minmax_element(sample.begin(), sample.end());
    p.min = *lo;
    p.max = *hi;
    // Ranges and fences in extended precision: max - min of two doubles may overflow one.
    const long double range = (long double)p.max - p.min;
    const int bins = histogramBins(p.n, range, order.iqr);
    p.edges.resize(std::size_t(bins) + 1);
    for (int i = 0; i < bins; ++i)
        p.edges[std::size_t(i)] = double(p.min + range * i / bins);
    p.edges.back() = p.max;
    p.counts.assign(std::size_t(bins), 0);

    BoxPlot& b = p.box;
    b.lowerQuartile = double(order.lowerQuartile);
    b.median = double(order.median);
    b.upperQuartile = double(order.upperQuartile);
    const long double lowerFence = order.lowerQuartile - 1.5L * order.iqr;
    const long double upperFence = order.upperQuartile + 1.5L * order.iqr;
    b.lowerFence = double(std::max<long double>(lowerFence, -DBL_MAX));
    b.upperFence = double(std::min<long double>(upperFence, DBL_MAX));
    b.lowerWhisker = b.lowerQuartile;
    b.upperWhisker = b.upperQuartile;
    std::vector<double> outliers;

    const long double scale = range > 0 ? bins / range : 0;
    for (const double x : sample) {
        // The bin by arithmetic, then checked against the edges themselves, so that a value
        // on an edge always falls into the bin that the edge opens.
        int i = int(std::clamp<long double>(std::floor((x - (long double)p.min) * scale), 0, bins - 1));
        while (i > 0 && x < p.edges[std::size_t(i)])
            --i;
        while (i < bins - 1 && x >= p.edges[std::size_t(i) + 1])
            ++i;
        ++p.counts[std::size_t(i)];
        if (x < lowerFence || x > upperFence) {
            outliers.push_back(x);
            continue;
        }
        b.lowerWhisker = std::min(b.lowerWhisker, x);
        b.upperWhisker = std::max(b.upperWhisker, x);
    }
    p.largestCount = *std::max_element(p.counts.begin(), p.counts.end());

    b.outlierCount = qint64(outliers.size());
    std::sort(outliers.begin(), outliers.end());
    const long double apart = range / 1000;
    for (const double x : outliers)
        if (b.outliers.empty() || x - (long double)b.outliers.back() >= apart)
            b.outliers.push_back(x);
    return p;
}

} // namespace mx
