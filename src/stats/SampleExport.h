#pragma once

#include "SampleTask.h"

#include "files/ReplaceFile.h"

namespace mx {

class StatSample;

// Writes the sample to a CSV file: the header "Number", then one number per line, each as
// the shortest text that reads back to the same double, "." as decimal separator (a file
// is data, read by other programs in any locale). The file is written beside its target
// and replaces it only when complete: a failed or dropped export leaves the old file.
class SampleExport : public SampleTask
{
public:
    SampleExport(const StatSample& sample, const QString& path);

    bool step() override;
    double progress() const override;
    QString stage() const override;
    qint64 size() const override { return m_size; }

    qint64 written() const { return m_written; }

private:
    static constexpr int kSlice = 20000;

    bool fail(const QString& reason);
    // A failed open, write or commit of the file, named by its cause.
    bool failWriting();

    const StatSample& m_sample;
    ReplacingFile m_file;
    qint64 m_size;
    qint64 m_lastRowid;
    qint64 m_written = 0;
    bool m_open = false;
};

} // namespace mx
