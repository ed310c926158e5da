#pragma once

#include "SampleSummary.h"
#include "SampleTask.h"

namespace mx {

class StatSample;

// Calculate over the stored sample: its values read in slices by rowid, then the summary
// in one go (a few tens of milliseconds for a million values).
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
    std::vector<double> m_values;
    SampleSummary m_summary;
};

} // namespace mx
