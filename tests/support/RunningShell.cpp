#include "RunningShell.h"

#include "CalcFixture.h"
#include "app/MainCommands.h"
#include "app/NumericEdit.h"
#include "app/TapeMemo.h"
#include "app/TfmMxMain.h"
#include "dialogs/TfmMxMsg.h"
#include "dialogs/WidgetMessagePort.h"
#include "store/DataFolder.h"
#include "store/TableEditing.h"
#include "store/TdmMxData.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace mx::test {

RunningShell::RunningShell(NumberSeparators seps) : m_seps(seps)
{
    const QString error = createDataFolder(m_dir.path());
    if (!error.isEmpty())
        throw std::runtime_error(error.toStdString());
}

RunningShell::RunningShell(const QString& baseDir)
    : m_seps(NumberSeparators::fromSystemLocale()), m_baseDir(baseDir)
{
}

RunningShell::~RunningShell() = default;

bool RunningShell::start(const std::function<void(TdmMxData&)>& beforeStart)
{
    m_shell = std::make_unique<AppShell>(messages, baseDir(), m_seps,
                                         QStringList{});
    if (beforeStart)
        beforeStart(m_shell->data());
    if (!m_shell->start())
        return false;
    m_shell->show();
    // On a desktop the window is activated once it is mapped; without a window manager
    // nobody else would.
    if (!QTest::qWaitForWindowExposed(m_shell->window()))
        return false;
    m_shell->window()->activateWindow();
    QApplication::setActiveWindow(m_shell->window());
    return QTest::qWaitForWindowActive(m_shell->window());
}

void RunningShell::useRealDialogs(int closeAfterMs)
{
    // A user answers the dialog in front, whichever routine opened it: a message queued
    // before another dialog opened may show on top of it, inside its event loop. So one
    // answerer looks for the front dialog every few milliseconds and presses Enter on a
    // dialog that has stood for `closeAfterMs`.
    m_answerer = std::make_unique<QTimer>();
    m_answerer->setInterval(std::max(closeAfterMs, 5));
    QObject::connect(m_answerer.get(), &QTimer::timeout, [this] {
        auto* front = qobject_cast<TfmMxMsg*>(QApplication::activeModalWidget());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TfmMxMsg*>(w); !front && d && d->isVisible())
                front = d;
        if (!front || front != m_seen) {
            m_seen = front; // seen for the first time: answered at the next turn
            return;
        }
        QCoreApplication::postEvent(front, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return,
                                                         Qt::NoModifier));
    });
    m_answerer->start();
    messages.show = [this](const QString& text, int kind, MsgButtons buttons, int help) {
        ++m_dialogsShown;
        WidgetMessagePort port;
        return port.ShowMsgDlg(text, kind, buttons, help);
    };
}

void RunningShell::stop()
{
    m_shell.reset();
}

bool RunningShell::restart()
{
    stop();
    return start();
}

TfmMxMain& RunningShell::window() const
{
    return *m_shell->window();
}

MainCommands& RunningShell::commands() const
{
    return *m_shell->commands();
}

void RunningShell::type(const char* text)
{
    for (const char* p = text; *p; ++p) {
        QWidget* target =
            QApplication::focusWidget() ? QApplication::focusWidget() : m_shell->window();
        if (*p == '\r')
            QTest::keyClick(target, Qt::Key_Return);
        else if (*p == '\b')
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClicks(target, QString(QLatin1Char(*p)));
    }
}

void RunningShell::click(const QString& sequence)
{
    for (KeyId id : keysOf(sequence))
        window().button(id)->click();
}

QString RunningShell::local(const QString& text) const
{
    QString out = text;
    for (QChar& c : out) {
        if (c == QLatin1Char('.'))
            c = m_seps.decimal;
        else if (c == QLatin1Char(','))
            c = m_seps.thousands;
    }
    return out;
}

QStringList RunningShell::local(const QStringList& lines) const
{
    QStringList out;
    for (const QString& line : lines)
        out << local(line);
    return out;
}

QString RunningShell::display() const
{
    return window().edOp0->text();
}

QStringList RunningShell::tape() const
{
    return window().meClsHistory->tapeLines();
}

void RunningShell::storeField(const QString& table, const QString& field, const QVariant& value)
{
    RecordingMessages quiet;
    TdmMxData data(quiet, defaultDataFileList(), baseDir());
    if (!data.DataModuleCreate())
        throw std::runtime_error("the data folder cannot be opened");
    StoreTable& t = table == QLatin1String("Share") ? data.taShare : data.taClassic;
    EnsureTableEdit(t);
    t.cursor().setValue(field, value);
    PostTableIfEditing(t);
}

} // namespace mx::test
