#pragma once

#include "output/HistoryImport.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QThread;
class QWidget;

namespace mx {

class MessagePort;
class SampleTaskRunner;
class TapeMemo;

// Opens a saved tape: the file is read and decoded on a worker thread, then its lines are
// appended to the tape after a line naming the file, a slice at a time from the event loop
// (with the program's input held meanwhile, so that no other line comes between them). A
// refused file is reported with its name and cause and leaves the tape as it was, and so
// does an opening cancelled in its progress dialog.
class HistoryOpening : public QObject
{
    Q_OBJECT

public:
    // `showTape` shows the tape if it is hidden, before the lines arrive.
    HistoryOpening(TapeMemo& tape, MessagePort& messages, QWidget* window,
                   std::function<void()> showTape);
    ~HistoryOpening() override;

    // Starts opening `path`; false while another opening is under way.
    bool open(const QString& path);
    bool busy() const { return m_path.size() > 0; }

    // Lines appended per slice: a few milliseconds of the tape's work each.
    static constexpr qsizetype kSliceLines = 2000;

signals:
    // The opening has ended: `opened` when the lines are on the tape.
    void finished(bool opened);

private:
    void read();
    void append(const OpenedHistory& read);
    void end(bool opened);

    TapeMemo& m_tape;
    MessagePort& m_messages;
    std::function<void()> m_showTape;
    std::unique_ptr<SampleTaskRunner> m_runner;
    std::unique_ptr<QThread> m_reader;
    OpenedHistory m_read; // written by the reader, read once it has finished
    QString m_path;
};

} // namespace mx
