#pragma once

#include "OrderMeasures.h"
#include "SamplePicture.h"
#include "StatMeasures.h"

#include <vector>

namespace mx {

// Everything Calculate shows: the ten measures (in table order, as ever), the order
// measures (selected on a copy) and the picture.
struct SampleSummary
{
    StatMeasures measures;
    OrderMeasures order;
    SamplePicture picture;
};

// For a sample of at least one value.
SampleSummary summarizeSample(const std::vector<double>& values);

} // namespace mx
