#pragma once

#include "NumberColumn.h"
#include "SampleTask.h"
#include "StatSample.h"

#include <memory>

namespace mx {

// Appends a column of numbers (pasted, or a file's) to the sample, all or none: the whole
// column is read first, a slice of lines at a time, then written a slice of rows at a time
// in one transaction, committed by the last step. A bad line, or a store that refuses a
// row, appends nothing and says why; so does a task dropped before its end.
class BulkAppend : public SampleTask
{
public:
    // `context` begins every message (a file's name, or nothing); `noNumbers` is the
    // message for a column without any number.
    BulkAppend(StatSample& sample, NumberColumn column, QString context, QString noNumbers);

    bool step() override;
    double progress() const override;
    QString stage() const override;
    qint64 size() const override { return m_column.lineCount(); }

    qint64 appended() const { return m_appended; }

private:
    static constexpr int kLinesPerStep = 5000;
    static constexpr std::size_t kRowsPerStep = 10000;

    bool fail(const QString& message);

    StatSample& m_sample;
    NumberColumn m_column;
    QString m_context;
    QString m_noNumbers;
    std::vector<double> m_values;
    std::unique_ptr<StatSample::Batch> m_batch; // while writing
    std::size_t m_written = 0;
    qint64 m_appended = 0;
};

} // namespace mx
