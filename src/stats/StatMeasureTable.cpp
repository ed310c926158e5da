#include "StatMeasureTable.h"

#include <algorithm>
#include <array>

namespace mx {

namespace {

using M = StatMeasure;
using S = SampleSummary;
using Id = StatMeasureId;
constexpr StatMeasureGroup kSample = StatMeasureGroup::Sample;
constexpr StatMeasureGroup kOrder = StatMeasureGroup::Order;

constexpr std::array kMeasures{
    M{Id::Count, kSample, "edN", "lbQuantity", "Quantity ( N )", "btNToOp0",
      [](const S& s) { return CalcValue(s.measures.n); }, true},
    M{Id::Min, kSample, "edMin", "lbMin", "Min ( m )", "btMinToOp0",
      [](const S& s) { return s.measures.min; }, false},
    M{Id::Max, kSample, "edMax", "lbMax", "Max ( M )", "btMaxToOp0",
      [](const S& s) { return s.measures.max; }, false},
    M{Id::Range, kSample, "edDissip", "lbDissip", "Range ( M - m )", "btDissipToOp0",
      [](const S& s) { return s.measures.range; }, false},
    M{Id::Centre, kSample, "edDissipCenter", "lbDissipCenter", "Centre ( m + (M-m)/2 )",
      "btDissipCenterToOp0", [](const S& s) { return s.measures.centre; }, false},
    M{Id::Sum, kSample, "edSum", "lbSum", "Sum", "btSumToOp0",
      [](const S& s) { return s.measures.sum; }, false},
    M{Id::Mean, kSample, "edAvr", "lbAvr", "Mean", "btAvrToOp0",
      [](const S& s) { return s.measures.mean; }, false},
    M{Id::Variance, kSample, "edVar", "lbVariance", "Variance", "btVarToOp0",
      [](const S& s) { return s.measures.variance; }, false},
    M{Id::Deviation, kSample, "edDev", "lbDeviation", "Deviation (for N)", "btDevToOp0",
      [](const S& s) { return s.measures.deviation; }, false},
    M{Id::EstimateS, kSample, "edUES", "lbUnbEstimator", "Estimate S (for N-1)", "btUesToOp0",
      [](const S& s) { return s.measures.estimateS; }, false},
    M{Id::Median, kOrder, "edMedian", "lbMedian", "Median", "btMedianToOp0",
      [](const S& s) { return s.order.median; }, false},
    M{Id::LowerQuartile, kOrder, "edLowerQuartile", "lbLowerQuartile", "Lower quartile",
      "btLowerQuartileToOp0", [](const S& s) { return s.order.lowerQuartile; }, false},
    M{Id::UpperQuartile, kOrder, "edUpperQuartile", "lbUpperQuartile", "Upper quartile",
      "btUpperQuartileToOp0", [](const S& s) { return s.order.upperQuartile; }, false},
    M{Id::Iqr, kOrder, "edIQR", "lbIQR", "Interquartile range", "btIqrToOp0",
      [](const S& s) { return s.order.iqr; }, false},
};

} // namespace

std::span<const StatMeasure> statMeasureTable()
{
    return kMeasures;
}

const StatMeasure& statMeasure(StatMeasureId id)
{
    // Every id has its row: the table test walks them all.
    return *std::find_if(kMeasures.begin(), kMeasures.end(),
                         [id](const StatMeasure& m) { return m.id == id; });
}

} // namespace mx
