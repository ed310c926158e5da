#pragma once

#include "OrderMeasures.h"
#include "SamplePicture.h"
#include "StatMeasures.h"

namespace mx {

// Everything Calculate shows: the ten measures (in table order, as ever), the order
// measures (selected on a copy) and the picture.
struct SampleSummary
{
    StatMeasures measures;
    OrderMeasures order;
    SamplePicture picture;
};

} // namespace mx
