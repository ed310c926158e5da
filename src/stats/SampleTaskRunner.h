#pragma once

#include "SampleTask.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace mx {

// Runs a window's SampleTask. A small one runs at once, to its end. A large one runs in
// slices from the event loop, a few tens of milliseconds at a time, so that the program
// keeps painting and answering; meanwhile the program's input is held as by a modal dialog,
// so that nothing changes the sample under the task, and a progress dialog with Cancel
// shows (at once for a task over kDialogAtOnce numbers, else once it has run for a while).
// A task of a size not yet known runs in slices, and shows its dialog at once when it learns
// that it is that large.
class SampleTaskRunner : public QObject
{
    Q_OBJECT

public:
    // Tasks up to this many numbers run at once; larger ones in slices.
    static constexpr qint64 kAtOnce = 20000;
    static constexpr qint64 kDialogAtOnce = 100000;

    // `window` owns the progress dialog; the runner itself belongs to whoever owns the
    // sample, and drops a running task (leaving nothing of it) when it goes.
    // `title` is the progress dialog's.
    explicit SampleTaskRunner(QWidget* window, QString title = QStringLiteral("Статистика"));
    ~SampleTaskRunner() override;

    bool busy() const { return m_task != nullptr; }
    // Runs `task`; `done` gets it once it has ended (well or with its error()), or null
    // when it was cancelled (and dropped, so that it left nothing behind).
    void run(std::unique_ptr<SampleTask> task, std::function<void(SampleTask*)> done);
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void turn();
    void finish(bool cancelled);

    QWidget* m_window;
    QString m_title;
    std::unique_ptr<SampleTask> m_task;
    std::function<void(SampleTask*)> m_done;
    QTimer m_timer;
    QPointer<QProgressDialog> m_dialog;
    bool m_inTurn = false;
};

} // namespace mx
