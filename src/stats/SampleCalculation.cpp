#include "SampleCalculation.h"

#include "StatSample.h"
#include "tablestore/StoreError.h"

#include <algorithm>

namespace mx {

SampleCalculation::SampleCalculation(const StatSample& sample)
    : m_sample(sample), m_size(sample.count()), m_lastRowid(StatSample::kBeforeFirst)
{
    m_values.reserve(std::size_t(std::max<qint64>(m_size, 0)));
}

bool SampleCalculation::step()
{
    // After the reading, one step for each part of the summary: each takes a few tens of
    // milliseconds over a million values.
    if (m_read) {
        switch (m_part++) {
        case 0:
            m_summary.measures = computeMeasures(m_values);
            return true;
        case 1: {
            std::vector<double> copy = m_values;
            m_summary.order = computeOrderMeasures(copy);
            return true;
        }
        default:
            m_summary.picture = computeSamplePicture(m_values, m_summary.order);
            m_values = {};
            return false;
        }
    }
    try {
        const std::size_t before = m_values.size();
        m_lastRowid = m_sample.readAfter(m_lastRowid, kSlice, m_values);
        m_read = m_values.size() - before < std::size_t(kSlice);
    } catch (const StoreError& e) {
        m_error = QStringLiteral("Числа выборки не прочитаны.\r\r") + storeFailureText(e);
        return false;
    }
    if (m_read && m_values.empty()) {
        m_error = QStringLiteral("Выборка пуста: добавьте числа, чтобы вычислить среднее и сумму.");
        return false;
    }
    return true;
}

double SampleCalculation::progress() const
{
    if (m_size <= 0)
        return 0;
    // Reading is most of the work; the summary is the last tenth.
    return std::min(1.0, 0.9 * double(m_values.size()) / double(m_size));
}

QString SampleCalculation::stage() const
{
    return QStringLiteral("Вычисление показателей...");
}

} // namespace mx
