#include "SampleSummary.h"

namespace mx {

SampleSummary summarizeSample(const std::vector<double>& values)
{
    SampleSummary s;
    s.measures = computeMeasures(values);
    std::vector<double> copy = values;
    s.order = computeOrderMeasures(copy);
    s.picture = computeSamplePicture(values, s.order);
    return s;
}

} // namespace mx
