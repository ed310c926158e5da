#include "HistoryOpening.h"

#include "TapeMemo.h"
#include "stats/SampleTaskRunner.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"
#include "texts/QuotedText.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace mx {

namespace {

// The opened lines appended to the tape a slice at a time.
class TapeAppendTask : public SampleTask
{
public:
    TapeAppendTask(TapeMemo& tape, QStringList lines) : m_tape(tape), m_lines(std::move(lines)) {}

    bool step() override
    {
        const qsizetype n = std::min(HistoryOpening::kSliceLines, m_lines.size() - m_done);
        m_tape.appendLines(m_lines.mid(m_done, n));
        m_done += n;
        return m_done < m_lines.size();
    }
    double progress() const override { return double(m_done) / double(m_lines.size()); }
    QString stage() const override { return QStringLiteral("Строки файла добавляются в историю"); }
    qint64 size() const override { return m_lines.size(); }

private:
    TapeMemo& m_tape;
    QStringList m_lines;
    qsizetype m_done = 0;
};

} // namespace

HistoryOpening::HistoryOpening(TapeMemo& tape, MessagePort& messages, QWidget* window,
                               std::function<void()> showTape)
    : m_tape(tape), m_messages(messages), m_showTape(std::move(showTape)),
      m_runner(std::make_unique<SampleTaskRunner>(window, QStringLiteral("Открыть историю")))
{
}

HistoryOpening::~HistoryOpening()
{
    if (m_reader)
        m_reader->wait();
}

bool HistoryOpening::open(const QString& path)
{
    if (busy() || path.isEmpty())
        return false;
    m_path = path;
    m_reader.reset(QThread::create([this] { m_read = readHistoryFile(m_path); }));
    connect(m_reader.get(), &QThread::finished, this, &HistoryOpening::read);
    m_reader->start();
    return true;
}

void HistoryOpening::read()
{
    m_reader->wait();
    m_reader.reset();
    const OpenedHistory read = std::move(m_read);
    m_read = {};
    if (read.fault != OpenedHistory::Fault::None) {
        m_messages.ShowMsgDlg(QStringLiteral("Файл не открыт: %1\r\r%2")
                                  .arg(quotedText(QDir::toNativeSeparators(m_path), 260),
                                       historyFaultText(read)),
                              mkError, mbOKOnly, hcTape);
        end(false);
        return;
    }
    append(read);
}

void HistoryOpening::append(const OpenedHistory& read)
{
    if (m_showTape)
        m_showTape();
    const qsizetype before = m_tape.lineCount();
    QStringList lines{openedHistoryHeader(QFileInfo(m_path).fileName())};
    lines += read.lines;
    m_runner->run(std::make_unique<TapeAppendTask>(m_tape, std::move(lines)),
                  [this, before](SampleTask* done) {
                      if (!done)
                          m_tape.truncateTape(before);
                      m_tape.scrollToEnd();
                      end(done != nullptr);
                  });
}

void HistoryOpening::end(bool opened)
{
    m_path.clear();
    emit finished(opened);
}

} // namespace mx
