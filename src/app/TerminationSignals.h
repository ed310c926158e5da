#pragma once

#include <QObject>

class QSocketNotifier;

namespace mx {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in a terminal) into an
// orderly end of the program, so that the windows close and the settings are saved as on
// File > Exit. The handler only writes to a pipe; the event loop does the rest.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace mx
