#pragma once

#include "SampleSummary.h"
#include "engine/CalcValue.h"

#include <span>

namespace mx {

// The measures the statistics window shows, each named where it is asked for (the keypad's
// Ave and Sum fetch the mean and the sum).
enum class StatMeasureId {
    Count,
    Min,
    Max,
    Range,
    Centre,
    Sum,
    Mean,
    Variance,
    Deviation,
    EstimateS,
    Median,
    LowerQuartile,
    UpperQuartile,
    Iqr
};

// Where a measure's row stands: among the ten measures of the sample, or in the group of the
// order measures below them.
enum class StatMeasureGroup { Sample, Order };

// One measure of the statistics window as the window builds it: its label, its field, its
// "В ввод" button and how its value is read from Calculate's result.
struct StatMeasure
{
    StatMeasureId id;
    StatMeasureGroup group;
    const char* field;
    // The label's name in the interface text table, and its designed caption, which that
    // table replaces.
    const char* label;
    const char* caption;
    const char* button;
    // The value the field shows, read from the result it was written from.
    CalcValue (*value)(const SampleSummary& summary);
    // Kept current by the number of records (shown as a whole number in decimal) rather than
    // by Calculate.
    bool followsCount;
};

// The fourteen measures in the order of their rows, the ten of the sample first.
std::span<const StatMeasure> statMeasureTable();
const StatMeasure& statMeasure(StatMeasureId id);

} // namespace mx
