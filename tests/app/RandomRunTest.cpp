#include "FaultWarnings.h"
#include "RunningShell.h"
#include "app/MainCommands.h"
#include "app/StatLink.h"
#include "app/TfmMxMain.h"
#include "dialogs/TfmMxMsg.h"
#include "engine/CalcCore.h"
#include "report/ReportPreview.h"
#include "stats/StatSample.h"
#include "stats/TfmMxStat.h"

#include <QAbstractButton>
#include <QDialog>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>

using namespace mx;
using mx::test::FaultWarnings;
using mx::test::RunningShell;

namespace {

// A user who does not know what the controls do: random keys and clicks over the main
// window, the statistics window (closed and opened again) and the print preview, with the
// program's own message dialogs answered as they come and the windows activated in turn.
class RandomRun
{
public:
    RandomRun(RunningShell& app, unsigned seed) : m_app(app), m_random(seed)
    {
        // The platform's print, page and file dialogs block until a person answers; reached
        // by the keyboard (Tab, then Space on Print), they are cancelled as they come.
        m_platformDialogs.setInterval(20);
        QObject::connect(&m_platformDialogs, &QTimer::timeout, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && !qobject_cast<TfmMxMsg*>(dialog))
                dialog->reject();
        });
        m_platformDialogs.start();
    }

    void run(int events)
    {
        for (int i = 0; i < events; ++i) {
            step();
            QCoreApplication::processEvents();
            // What the program's event loop does between two events.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    // The program's windows that a user can reach: the main window, the statistics window
    // and the preview while they are shown.
    std::vector<QWidget*> windows()
    {
        std::vector<QWidget*> out{&m_app.window()};
        if (TfmMxStat* stat = m_app.commands().stats().statWindow(); stat && stat->isVisible())
            out.push_back(stat);
        if (ReportPreview* preview = m_app.commands().preview(); preview && preview->isVisible())
            out.push_back(preview);
        return out;
    }

    void step()
    {
        const std::vector<QWidget*> shown = windows();
        QWidget* window = shown[std::size_t(below(int(shown.size())))];
        const int what = below(100);
        if (what < 40)
            typeKey(window);
        else if (what < 75)
            clickControl(window);
        else if (what < 85)
            clickGrid();
        else if (what < 92)
            activate(window);
        else if (what < 96)
            m_app.window().button(KeyId::Sta)->click();
        else
            openPreview();
    }

    void typeKey(QWidget* window)
    {
        static const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Return, {}},       {Qt::Key_Backspace, {}},    {Qt::Key_Escape, {}},
            {Qt::Key_Delete, {}},       {Qt::Key_Delete, Qt::ControlModifier},
            {Qt::Key_Tab, {}},          {Qt::Key_F2, {}},           {Qt::Key_Up, {}},
            {Qt::Key_Down, {}},         {Qt::Key_V, Qt::ControlModifier},
            {Qt::Key_R, Qt::ControlModifier}, {Qt::Key_Home, {}},   {Qt::Key_End, {}}};
        static const char text[] = "0123456789+-*/=.,ecipx( )";
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != window)
            target = window->focusWidget() ? window->focusWidget() : window;
        if (below(3) == 0) {
            const auto& [key, modifiers] = keys[below(int(std::size(keys)))];
            QTest::keyClick(target, key, modifiers);
        } else {
            QTest::keyClicks(target, QString(QLatin1Char(text[below(int(sizeof text) - 1)])));
        }
    }

    // A click on a visible, enabled control: a button, a check box, the slider, a line, the
    // tape, the grid. Buttons that open the platform's print and file dialogs are left out:
    // those block until a person answers.
    void clickControl(QWidget* window)
    {
        static const std::set<QString> blocking{"btPrint", "btSavePdf", "btPageSetup"};
        std::vector<QWidget*> targets;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible() || !w->isEnabled() || blocking.count(w->objectName()))
                continue;
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                qobject_cast<QSlider*>(w))
                targets.push_back(w);
            else if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
                targets.push_back(area->viewport());
        }
        if (targets.empty())
            return;
        QWidget* w = targets[std::size_t(below(int(targets.size())))];
        const QPoint at(1 + below(std::max(1, w->width() - 2)), 1 + below(std::max(1, w->height() - 2)));
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    }

    // A click, or a double click that opens the grid's editor, on a row of the sample.
    void clickGrid()
    {
        TfmMxStat* stat = m_app.commands().stats().statWindow();
        if (!stat || !stat->isVisible())
            return;
        QWidget* view = stat->dgStat->viewport();
        const QPoint at(20, 2 + below(std::max(1, view->height() - 4)));
        if (below(2) == 0)
            QTest::mouseDClick(view, Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(view, Qt::LeftButton, {}, at);
    }

    void activate(QWidget* window)
    {
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }

    void openPreview()
    {
        if (below(2) == 0)
            m_app.window().cbClsHistory->click();
        QPushButton* ph = m_app.window().button(KeyId::PH);
        if (ph->isVisible())
            QTest::mouseClick(ph, Qt::LeftButton);
    }

    RunningShell& m_app;
    std::mt19937 m_random;
    QTimer m_platformDialogs;
};

// The seed and the number of events may be changed for a longer run by hand:
// MX_RANDOM_SEED=7 MX_RANDOM_EVENTS=20000 mx_app_tests --gtest_filter=RandomRun.*
int fromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

TEST(RandomRun, KeysAndClicksOverEveryWindowLeaveTheProgramWorking)
{
    RunningShell app;
    ASSERT_TRUE(app.start());
    app.useRealDialogs();
    const int seed = fromEnvironment("MX_RANDOM_SEED", 17);
    const int events = fromEnvironment("MX_RANDOM_EVENTS", 3000);
    FaultWarnings warnings;
    RandomRun(app, unsigned(seed)).run(events);
    EXPECT_EQ(warnings.seen(), QStringList()) << "seed " << seed;
    std::fprintf(stderr, "random run: seed %d, %d events, %d dialogs\n", seed, events,
                 app.dialogsShown());

    // Still whole: the keypad computes from the keyboard, and an open statistics window
    // counts what its sample holds.
    if (QWidget* modal = QApplication::activeModalWidget())
        modal->close();
    app.window().activateWindow();
    QApplication::setActiveWindow(&app.window());
    app.window().button(KeyId::C)->click();
    app.type("12+3\r");
    EXPECT_EQ(app.window().core().edOp0.value(), 15)
        << "focus on " << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "nothing");
    if (TfmMxStat* stat = app.commands().stats().statWindow()) {
        stat->CheckRecordCount();
        EXPECT_EQ(stat->measureField(StatMeasureId::Count)->text(), QString::number(stat->sample().count()));
    }
}

} // namespace
