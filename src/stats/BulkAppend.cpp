#include "BulkAppend.h"

#include "tablestore/StoreError.h"

#include <algorithm>
#include <chrono>

namespace mx {

BulkAppend::BulkAppend(StatSample& sample, NumberColumn column, QString context, QString noNumbers)
    : m_sample(sample), m_column(std::move(column)), m_context(std::move(context)),
      m_noNumbers(std::move(noNumbers))
{
}

BulkAppend::~BulkAppend()
{
    stopWorker();
    // Committed before the stop came: the rows are in the table, so the sample shows them.
    if (m_committed && m_appended == 0)
        m_sample.showAppended(qint64(m_values.size()));
}

void BulkAppend::stopWorker()
{
    if (!m_worker)
        return;
    m_cancel.store(true);
    m_writer->stop(); // a commit waiting for a lock gives up at once
    m_worker->wait();
    m_worker.reset();
    m_writer.reset();
}

bool BulkAppend::fail(const QString& message)
{
    stopWorker();
    m_values = {};
    m_error = m_context + message;
    return false;
}

bool BulkAppend::startWriting()
{
    try {
        m_writer = m_sample.writer();
    } catch (const StoreError& e) {
        return fail(QStringLiteral("Числа не записаны.\r\r") + storeFailureText(e));
    }
    m_worker.reset(QThread::create([this] { write(); }));
    m_worker->start();
    return true;
}

void BulkAppend::write()
{
    QString failure;
    bool committed = false;
    try {
        m_writer->begin();
        const std::span<const double> values(m_values);
        for (std::size_t at = 0; at < values.size() && !m_cancel.load();) {
            const std::size_t count = std::min(kRowsPerSlice, values.size() - at);
            m_writer->append(values.subspan(at, count));
            at += count;
            m_written.store(at);
        }
        if (!m_cancel.load()) {
            m_writer->commit();
            committed = true;
        }
    } catch (const StoreError& e) {
        failure = QStringLiteral("Числа не записаны.\r\r") + storeFailureText(e);
    } catch (...) { // nothing may leave the thread; no memory, most likely
        failure = QStringLiteral("Числа не записаны: не хватает памяти.");
    }
    if (!committed)
        m_writer->rollback(); // here, not on the event loop's thread
    const std::lock_guard lock(m_mutex);
    m_failure = failure;
    m_committed = committed;
    m_done = true;
    m_ended.notify_all();
}

bool BulkAppend::step()
{
    if (!m_writer) {
        if (m_column.read(kLinesPerStep, m_values))
            return true;
        if (!m_column.error().isEmpty())
            return fail(m_column.error() + QStringLiteral("\r\rНичего не добавлено."));
        if (m_values.empty())
            return fail(m_noNumbers);
        return startWriting();
    }
    {
        std::unique_lock lock(m_mutex);
        if (!m_ended.wait_for(lock, std::chrono::milliseconds(kWaitMs), [this] { return m_done; }))
            return true;
    }
    m_worker->wait();
    m_worker.reset();
    m_writer.reset();
    if (!m_committed)
        return fail(m_failure);
    m_appended = qint64(m_values.size());
    m_sample.showAppended(m_appended);
    m_values = {};
    return false;
}

double BulkAppend::progress() const
{
    // Reading and writing take about as long as each other.
    if (!m_writer)
        return 0.5 * m_column.progress();
    return 0.5 + 0.5 * double(m_written.load()) / double(std::max<std::size_t>(m_values.size(), 1));
}

QString BulkAppend::stage() const
{
    return m_writer ? QStringLiteral("Запись чисел в выборку...") : QStringLiteral("Чтение чисел...");
}

} // namespace mx
