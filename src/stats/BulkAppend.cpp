#include "BulkAppend.h"

#include "tablestore/StoreError.h"

#include <algorithm>

namespace mx {

BulkAppend::BulkAppend(StatSample& sample, NumberColumn column, QString context, QString noNumbers)
    : m_sample(sample), m_column(std::move(column)), m_context(std::move(context)),
      m_noNumbers(std::move(noNumbers))
{
}

bool BulkAppend::fail(const QString& message)
{
    m_batch.reset(); // rolls back what was written
    m_values = {};
    m_error = m_context + message;
    return false;
}

bool BulkAppend::step()
{
    if (!m_batch) {
        if (m_column.read(kLinesPerStep, m_values))
            return true;
        if (!m_column.error().isEmpty())
            return fail(m_column.error() + QStringLiteral("\r\rНичего не добавлено."));
        if (m_values.empty())
            return fail(m_noNumbers);
    }
    try {
        if (!m_batch)
            m_batch = std::make_unique<StatSample::Batch>(m_sample);
        const std::size_t count = std::min(kRowsPerStep, m_values.size() - m_written);
        m_batch->add(std::span<const double>(m_values).subspan(m_written, count));
        m_written += count;
        if (m_written < m_values.size())
            return true;
        m_batch->commit();
    } catch (const StoreError& e) {
        return fail(QStringLiteral("Числа не записаны.\r\r") + storeFailureText(e));
    }
    m_batch.reset();
    m_appended = qint64(m_values.size());
    m_values = {};
    return false;
}

double BulkAppend::progress() const
{
    // Reading and writing take about as long as each other.
    if (!m_batch)
        return 0.5 * m_column.progress();
    return 0.5 + 0.5 * double(m_written) / double(std::max<std::size_t>(m_values.size(), 1));
}

QString BulkAppend::stage() const
{
    return m_batch ? QStringLiteral("Запись чисел в выборку...") : QStringLiteral("Чтение чисел...");
}

} // namespace mx
