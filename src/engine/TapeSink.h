#pragma once

#include <QString>
#include <QStringList>

namespace mx {

// Where tape lines go: the history memo in the window, a plain list in tests.
class TapeSink
{
public:
    virtual ~TapeSink() = default;
    virtual void appendLine(const QString& line) = 0;
    // Many lines at once, as one change of the tape.
    virtual void appendLines(const QStringList& lines)
    {
        for (const QString& line : lines)
            appendLine(line);
    }
    virtual void clearTape() = 0;
    virtual QStringList tapeLines() const = 0;
    // One line at a time, for readers of a few lines of a long tape.
    virtual qsizetype lineCount() const { return tapeLines().size(); }
    virtual QString line(qsizetype index) const { return tapeLines().value(index); }
};

// A tape held in memory.
class MemoryTape : public TapeSink
{
public:
    explicit MemoryTape(const QStringList& lines = {}) : m_lines(lines) {}

    void appendLine(const QString& line) override { m_lines.append(line); }
    void clearTape() override { m_lines.clear(); }
    QStringList tapeLines() const override { return m_lines; }
    qsizetype lineCount() const override { return m_lines.size(); }
    QString line(qsizetype index) const override { return m_lines.value(index); }

private:
    QStringList m_lines;
};

} // namespace mx
