#pragma once

#include "NumberColumn.h"
#include "SampleTask.h"
#include "StatSample.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace mx {

// Appends a column of numbers (pasted, or a file's) to the sample, all or none: the whole
// column is read first, a slice of lines at a time, then written on a worker thread through
// a connection of its own in one transaction, so that neither the writes nor the commit
// hold the event loop; meanwhile step() only waits a little for the worker. A bad line, or a
// store that refuses a row, appends nothing and says why; so does a task dropped before the
// worker has committed (a drop stops the worker and waits for its rollback).
class BulkAppend : public SampleTask
{
public:
    // `context` begins every message (a file's name, or nothing); `noNumbers` is the
    // message for a column without any number.
    BulkAppend(StatSample& sample, NumberColumn column, QString context, QString noNumbers);
    ~BulkAppend() override;

    bool step() override;
    double progress() const override;
    QString stage() const override;
    qint64 size() const override { return m_column.lineCount(); }
    bool waiting() const override { return m_writer != nullptr; }

    qint64 appended() const { return m_appended; }

private:
    static constexpr int kLinesPerStep = 5000;
    // The worker looks for a cancel between slices of rows.
    static constexpr std::size_t kRowsPerSlice = 10000;
    // How long one step waits for the worker before the event loop comes round again.
    static constexpr int kWaitMs = 10;

    bool fail(const QString& message);
    bool startWriting();
    // The worker's work; ends in m_failure set, or m_committed.
    void write();
    // Stops the worker and waits for it to end.
    void stopWorker();

    StatSample& m_sample;
    NumberColumn m_column;
    QString m_context;
    QString m_noNumbers;
    std::vector<double> m_values;
    std::unique_ptr<RowWriter> m_writer;
    std::unique_ptr<QThread> m_worker;
    std::atomic<std::size_t> m_written{0};
    std::atomic<bool> m_cancel{false};
    std::mutex m_mutex;
    std::condition_variable m_ended;
    // Under m_mutex until the worker has ended, then the UI thread's alone.
    bool m_done = false;
    bool m_committed = false;
    QString m_failure;
    qint64 m_appended = 0;
};

} // namespace mx
