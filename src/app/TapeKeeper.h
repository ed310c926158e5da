#pragma once

#include <QObject>
#include <QTimer>

namespace mx {

class KeptTape;
class MessagePort;
class StoreError;
class TapeMemo;

// Keeps the tape between runs while the setting "Сохранять историю" is on: its text goes to
// the store at most two seconds after a change and at exit, and comes back at the next start.
class TapeKeeper : public QObject
{
    Q_OBJECT

public:
    // Time from a change of the tape to its write; the write itself follows within it.
    static constexpr int kSaveDelayMs = 1500;

    TapeKeeper(KeptTape& store, TapeMemo& tape, MessagePort& messages);

    // At start: a kept tape is shown again, scrolled to its end; true when one is kept,
    // which is what the setting reads. An unreadable one is reported and dropped, and the
    // setting stays on, so that the tape of this run is kept in its place.
    bool restore();
    // The setting in force: on writes the tape at once and keeps it from then on; off
    // deletes the kept tape at once.
    void setKeeping(bool keep);
    bool keeping() const { return m_keeping; }
    // Writes the tape if it changed since its last write: when the delay ends, and at exit.
    void saveNow();

private:
    void tapeChanged();
    void report(const QString& what, const QString& reason);

    KeptTape& m_store;
    TapeMemo& m_tape;
    MessagePort& m_messages;
    QTimer m_timer;
    bool m_keeping = false;
    bool m_dirty = false;
    // A failed write is reported once, until a write succeeds again.
    bool m_failureShown = false;
};

} // namespace mx
