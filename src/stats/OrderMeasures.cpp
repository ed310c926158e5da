#include "OrderMeasures.h"

#include <algorithm>

namespace mx {

namespace {

// The quantile whose position is (N - 1) * quarters / 4, within the part [first, last) of
// `v` that holds exactly the order statistics from `first` to `last - 1`. Only that part is
// rearranged, so quantiles taken in the order median, lower, upper share one selection.
CalcValue quantile(std::vector<double>& v, std::size_t quarters, std::size_t first, std::size_t last)
{
    const std::size_t scaled = (v.size() - 1) * quarters; // exact: no rounding of the position
    const std::size_t k = scaled / 4;
    const CalcValue fraction = CalcValue(scaled % 4) / 4;
    const auto begin = v.begin() + std::ptrdiff_t(first);
    const auto end = v.begin() + std::ptrdiff_t(last);
    const auto at = v.begin() + std::ptrdiff_t(k);
    std::nth_element(begin, at, end);
    const CalcValue low = *at;
    if (fraction == 0)
        return low;
    // The next order statistic is the smallest value after position k: within the part
    // when it goes on beyond k, else the smallest of the larger values that follow it.
    const CalcValue high = at + 1 != end ? *std::min_element(at + 1, end)
                                         : *std::min_element(end, v.end());
    return low + fraction * (high - low);
}

} // namespace

OrderMeasures computeOrderMeasures(std::vector<double>& values)
{
    OrderMeasures m;
    const std::size_t n = values.size();
    if (n == 0)
        return m;
    const std::size_t middle = (n - 1) * 2 / 4;
    m.median = quantile(values, 2, 0, n);
    // After the median's selection, positions below `middle` hold the smaller values and
    // those above it the larger ones: each quartile is selected within its own half.
    m.lowerQuartile = quantile(values, 1, 0, middle + 1);
    m.upperQuartile = quantile(values, 3, middle, n);
    m.iqr = m.upperQuartile - m.lowerQuartile;
    return m;
}

OrderMeasures computeOrderMeasures(std::span<const double> sample)
{
    std::vector<double> copy(sample.begin(), sample.end());
    return computeOrderMeasures(copy);
}

} // namespace mx
