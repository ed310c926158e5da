#include "SampleTaskRunner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QWidget>
#include <QWindow>

namespace mx {

namespace {

// One turn of slices stays below this, so that the event loop comes round in time.
constexpr qint64 kTurnMs = 20;
constexpr int kDialogAfterMs = 400;
constexpr int kProgressSteps = 1000;

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

SampleTaskRunner::SampleTaskRunner(QWidget* window, QString title)
    : m_window(window), m_title(std::move(title))
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &SampleTaskRunner::turn);
}

SampleTaskRunner::~SampleTaskRunner()
{
    if (m_task)
        qApp->removeEventFilter(this);
    delete m_dialog.data();
}

void SampleTaskRunner::run(std::unique_ptr<SampleTask> task, std::function<void(SampleTask*)> done)
{
    if (m_task)
        return;
    const qint64 size = task->size();
    if (size != SampleTask::kUnknownSize && size <= kAtOnce) {
        while (task->step()) {
        }
        done(task.get());
        return;
    }
    m_task = std::move(task);
    m_done = std::move(done);
    qApp->installEventFilter(this);
    auto* dialog = new QProgressDialog(m_task->stage(), QStringLiteral("Отмена"), 0,
                                       kProgressSteps, m_window);
    dialog->setObjectName(QStringLiteral("dlgSampleProgress"));
    dialog->setWindowTitle(m_title);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(size > kDialogAtOnce ? 0 : kDialogAfterMs);
    dialog->setValue(0);
    connect(dialog, &QProgressDialog::canceled, this, &SampleTaskRunner::cancel);
    m_dialog = dialog;
    // The dialog's own timer for showing itself would wait behind the turns' zero timer.
    if (size > kDialogAtOnce)
        dialog->show();
    m_timer.start();
}

void SampleTaskRunner::turn()
{
    // A modal progress dialog's setValue() runs the event loop itself, which would start
    // the next turn inside this one and so on to the task's end: turns never nest.
    if (!m_task || m_inTurn)
        return;
    const QScopedValueRollback<bool> inTurn(m_inTurn, true);
    if (m_dialog && m_dialog->wasCanceled()) {
        cancel();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    bool more = true;
    while (more && clock.elapsed() < kTurnMs) {
        more = m_task->step();
        // Waiting on for a worker would hold the event loop for nothing.
        if (m_task->waiting())
            break;
    }
    if (!more) {
        finish(false);
        return;
    }
    if (m_dialog) {
        if (!m_dialog->isVisible() && m_task->size() > kDialogAtOnce)
            m_dialog->show();
        m_dialog->setLabelText(m_task->stage());
        m_dialog->setValue(int(m_task->progress() * (kProgressSteps - 1)));
    }
}

void SampleTaskRunner::cancel()
{
    if (m_task)
        finish(true);
}

void SampleTaskRunner::finish(bool cancelled)
{
    m_timer.stop();
    qApp->removeEventFilter(this);
    if (m_dialog)
        m_dialog->deleteLater();
    m_dialog = nullptr;
    std::unique_ptr<SampleTask> task = std::move(m_task);
    std::function<void(SampleTask*)> done = std::move(m_done);
    if (cancelled)
        task.reset(); // dropped before the callback: nothing of it is left
    done(task.get());
}

bool SampleTaskRunner::eventFilter(QObject* watched, QEvent* event)
{
    // Input reaches the progress dialog alone while a task runs, as with a modal dialog
    // (which the dialog is, once shown).
    if (m_task && isInput(event->type())) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        const bool toDialog = m_dialog && (watched == m_dialog->windowHandle() ||
                                           (widget && (widget == m_dialog || m_dialog->isAncestorOf(widget))));
        if (!toDialog)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mx
