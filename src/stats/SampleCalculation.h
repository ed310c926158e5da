#pragma once

#include "SampleSummary.h"
#include "SampleTask.h"

#include <vector>

namespace mx {

class StatSample;

// Calculate over the stored sample: its values read in slices by rowid, then the summary
// (the measures, the order measures on a copy, the picture) a part at a time.
class SampleCalculation : public SampleTask
{
public:
    explicit SampleCalculation(const StatSample& sample);

    bool step() override;
    double progress() const override;
    QString stage() const override;
    qint64 size() const override { return m_size; }

    // Once step() has returned false without error().
    const SampleSummary& summary() const { return m_summary; }

private:
    static constexpr int kSlice = 65536;

    const StatSample& m_sample;
    qint64 m_size;
    qint64 m_lastRowid;
    bool m_read = false;
    int m_part = 0; // of the summary, once read
    std::vector<double> m_values;
    SampleSummary m_summary;
};

} // namespace mx
