#include "SampleExport.h"

#include "engine/NumberData.h"
#include "StatSample.h"
#include "tablestore/StoreError.h"
#include "texts/QuotedText.h"

#include <QFileInfo>

#include <algorithm>

namespace mx {

SampleExport::SampleExport(const StatSample& sample, const QString& path)
    : m_sample(sample), m_file(path), m_size(sample.count()), m_lastRowid(StatSample::kBeforeFirst)
{
}

bool SampleExport::fail(const QString& reason)
{
    m_file.cancel();
    m_error = QStringLiteral("Выборка не сохранена в файл «%1».\r\r%2")
                  .arg(quotedText(QFileInfo(m_file.path()).fileName()), reason);
    return false;
}

bool SampleExport::failWriting()
{
    return fail(fileFaultText(m_file.fault()));
}

bool SampleExport::step()
{
    QByteArray text;
    if (!m_open) {
        if (!m_file.open())
            return failWriting();
        m_open = true;
        text = "Number\n";
    }
    std::vector<double> values;
    values.reserve(kSlice);
    try {
        m_lastRowid = m_sample.readAfter(m_lastRowid, kSlice, values);
    } catch (const StoreError& e) {
        return fail(QStringLiteral("Числа выборки не прочитаны.\r\r") + storeFailureText(e));
    }
    text.reserve(text.size() + qsizetype(values.size()) * 24);
    for (const double v : values) {
        text += numberDataText(v);
        text += '\n';
    }
    if (!m_file.write(text))
        return failWriting();
    m_written += qint64(values.size());
    if (values.size() == std::size_t(kSlice))
        return true;
    if (!m_file.commit())
        return failWriting();
    return false;
}

double SampleExport::progress() const
{
    return m_size > 0 ? std::min(1.0, double(m_written) / double(m_size)) : 1.0;
}

QString SampleExport::stage() const
{
    return QStringLiteral("Запись выборки в файл...");
}

} // namespace mx
