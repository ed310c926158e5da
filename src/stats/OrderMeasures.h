#pragma once

#include "engine/CalcValue.h"

#include <span>
#include <vector>

namespace mx {

// The middle of a sample and its quartiles, read off the ordered values: the p-quantile is
// interpolated linearly between the order statistics around position (N - 1) p, counted
// from 0 (the inclusive method of spreadsheets), so 1, 2, 3, 4 gives 1.75, 2.5 and 3.25.
struct OrderMeasures
{
    CalcValue median = 0;
    CalcValue lowerQuartile = 0;
    CalcValue upperQuartile = 0;
    CalcValue iqr = 0; // upper minus lower quartile
};

// Selects the order statistics in place, in O(N) time without sorting: afterwards
// `values` is a permutation of what it was. An empty sample gives zeros.
OrderMeasures computeOrderMeasures(std::vector<double>& values);

// The same on a copy, for a sample that must keep its order.
OrderMeasures computeOrderMeasures(std::span<const double> sample);

} // namespace mx
