#include "SampleImport.h"

#include "files/FileFault.h"
#include "texts/QuotedText.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>

namespace mx {

namespace {

// The reading looks for a cancel between blocks of this size.
constexpr qint64 kBlockBytes = 1 << 20;

} // namespace

SampleImport::SampleImport(StatSample& sample, QString path, const NumberText& numbers)
    : m_sample(sample), m_path(std::move(path)), m_name(quotedText(QFileInfo(m_path).fileName())),
      m_numbers(numbers)
{
}

SampleImport::~SampleImport()
{
    m_cancel.store(true);
    if (m_reader)
        m_reader->wait();
}

void SampleImport::read()
{
    QString failure;
    std::optional<NumberColumn> column;
    try {
        QFile file(m_path);
        // A pipe or a device is never opened: reading it could wait for ever.
        if (!QFileInfo(m_path).isFile()) {
            failure = fileFaultText(fileFaultOf(m_path, false, 0));
        } else if (!file.open(QIODevice::ReadOnly)) {
            failure = fileFaultText(fileFaultOf(m_path, false, errno));
        } else {
            QByteArray text;
            text.reserve(file.size());
            while (!m_cancel.load() && !file.atEnd()) {
                const QByteArray block = file.read(kBlockBytes);
                if (block.isEmpty())
                    break;
                text += block;
            }
            if (file.error() != QFileDevice::NoError)
                failure = fileFaultText(fileFaultOf(m_path, false, errno));
            else if (!m_cancel.load())
                column.emplace(std::move(text), NumberColumn::Source::File, m_numbers);
        }
    } catch (...) { // nothing may leave the thread; no memory, most likely
        failure = QStringLiteral("Не хватает памяти.");
    }
    const std::lock_guard lock(m_mutex);
    m_column = std::move(column);
    m_failure = failure;
    m_done = true;
    m_ended.notify_all();
}

bool SampleImport::step()
{
    if (m_append) {
        if (m_append->step())
            return true;
        m_error = m_append->error();
        return false;
    }
    if (!m_reader) {
        m_reader.reset(QThread::create([this] { read(); }));
        m_reader->start();
    }
    {
        std::unique_lock lock(m_mutex);
        if (!m_ended.wait_for(lock, std::chrono::milliseconds(kWaitMs), [this] { return m_done; }))
            return true;
    }
    m_reader->wait();
    m_reader.reset();
    if (!m_column) {
        m_error = QStringLiteral("Файл «%1» не прочитан.\r\r%2").arg(m_name, m_failure);
        return false;
    }
    m_append = std::make_unique<BulkAppend>(m_sample, std::move(*m_column),
                                            QStringLiteral("Файл «%1».\r").arg(m_name),
                                            QStringLiteral("В файле нет чисел."));
    m_column.reset();
    return true;
}

double SampleImport::progress() const
{
    return m_append ? m_append->progress() : 0.0;
}

QString SampleImport::stage() const
{
    return m_append ? m_append->stage() : QStringLiteral("Чтение чисел...");
}

bool SampleImport::waiting() const
{
    return m_reader != nullptr || (m_append && m_append->waiting());
}

qint64 SampleImport::size() const
{
    return m_append ? m_append->size() : kUnknownSize;
}

} // namespace mx
