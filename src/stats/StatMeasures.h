#pragma once

#include "engine/CalcValue.h"

#include <span>

namespace mx {

// The ten measures of a sample, in extended precision.
struct StatMeasures
{
    long long n = 0;
    CalcValue min = 0;
    CalcValue max = 0;
    CalcValue range = 0;
    CalcValue centre = 0;
    CalcValue sum = 0;
    CalcValue mean = 0;
    CalcValue variance = 0;  // squared deviations / N
    CalcValue deviation = 0; // its square root
    CalcValue estimateS = 0; // square root of squared deviations / (N - 1); 0 for N = 1
};

// Two passes over a sample of at least one value: sum, minimum and maximum (starting from
// the first value), then the squared deviations from the mean, a deviation below 1e-20
// counting as 0.
StatMeasures computeMeasures(std::span<const double> sample);

} // namespace mx
