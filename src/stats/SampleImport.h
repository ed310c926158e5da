#pragma once

#include "BulkAppend.h"
#include "NumberColumn.h"
#include "SampleTask.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

namespace mx {

class StatSample;

// Import of a text or CSV file into the sample, all or none: the file is read whole, and its
// lines counted, on a worker thread, so that neither a large file nor a slow disk holds the
// event loop (meanwhile step() only waits a little for the worker); its column is then
// appended as a BulkAppend appends it. A file that cannot be read appends nothing and says
// so; a task dropped while the file is read stops the reading.
class SampleImport : public SampleTask
{
public:
    SampleImport(StatSample& sample, QString path, const NumberText& numbers);
    ~SampleImport() override;

    bool step() override;
    double progress() const override;
    QString stage() const override;
    // Not known until the file has been read; then the number of its lines.
    qint64 size() const override;
    bool waiting() const override;

private:
    static constexpr int kWaitMs = 10;

    // The worker's work; ends in m_column set, or m_failure.
    void read();

    StatSample& m_sample;
    QString m_path;
    QString m_name;
    NumberText m_numbers;
    std::unique_ptr<QThread> m_reader;
    std::atomic<bool> m_cancel{false};
    std::mutex m_mutex;
    std::condition_variable m_ended;
    // Under m_mutex until the worker has ended, then the UI thread's alone.
    bool m_done = false;
    std::optional<NumberColumn> m_column;
    QString m_failure;
    std::unique_ptr<BulkAppend> m_append;
};

} // namespace mx
