#include "RunningShell.h"
#include "app/MainCommands.h"
#include "app/HelpViewer.h"
#include "app/HelpWindow.h"
#include "app/StatLink.h"
#include "app/TfmMxMain.h"
#include "dialogs/TfmMxMsg.h"
#include "report/ReportPreview.h"
#include "stats/TfmMxStat.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace mx;
using mx::test::RunningShell;

namespace {

// What a screen reader calls the control: its accessible name, or what Qt derives from its
// caption or its label.
QString spokenName(QWidget* w)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name).trimmed() : QString();
}

// A control a user reaches or operates: buttons, fields, grids, track bars, the menu bar,
// and anything else that takes the keyboard focus. The parts Qt builds inside a spin box, a
// combo box or a grid (its headers and corner button) speak for their owner, and scroll
// bars for what they scroll.
bool isControl(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p) ||
            qobject_cast<QAbstractItemView*>(p))
            return false;
    }
    if (qobject_cast<QScrollBar*>(w))
        return false;
    return w->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(w) ||
           qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
           qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
           qobject_cast<QSlider*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w) || qobject_cast<QMenuBar*>(w);
}

QString describe(QWidget* w)
{
    return QStringLiteral("%1 (%2)").arg(w->objectName(), QLatin1String(w->metaObject()->className()));
}

// Every visible control of the window (not of a window it owns) that has no name, or shares
// its name with another.
QStringList namingFaults(QWidget* window)
{
    QStringList faults;
    QHash<QString, QWidget*> named;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisibleTo(window) || !isControl(w))
            continue;
        const QString name = spokenName(w);
        if (name.isEmpty())
            faults << describe(w) + QStringLiteral(" has no name");
        else if (QWidget* other = named.value(name))
            faults << describe(w) + QStringLiteral(" is named \"%1\" as is ").arg(name) + describe(other);
        else
            named.insert(name, w);
    }
    // The commands of each menu, told apart by their texts.
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        QSet<QString> texts;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            const QString text = a->text().remove(u'&').trimmed();
            if (text.isEmpty() || texts.contains(text))
                faults << menu->objectName() + QStringLiteral(": command \"%1\"").arg(text);
            texts.insert(text);
        }
    }
    return faults;
}

class AccessibleNamesTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(app.start()); }

    // The faults of the modal dialog that `open` brings up, read while it shows; then it is
    // closed.
    QStringList modalFaults(const std::function<void()>& open)
    {
        QStringList faults = {QStringLiteral("no modal dialog showed")};
        QTimer::singleShot(0, [&faults] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                faults = namingFaults(dialog);
                dialog->close();
            }
        });
        open();
        return faults;
    }

    RunningShell app;
};

TEST_F(AccessibleNamesTest, EveryControlOfEveryWindowHasANameOfItsOwn)
{
    TfmMxMain& main = app.window();
    main.cbClsFormula->setChecked(true);
    main.cbClsHistory->setChecked(true);
    EXPECT_EQ(namingFaults(&main), QStringList()) << "main window";

    main.button(KeyId::Sta)->click();
    TfmMxStat* stat = app.commands().stats().statWindow();
    ASSERT_NE(stat, nullptr);
    EXPECT_EQ(namingFaults(stat), QStringList()) << "statistics window";

    EXPECT_EQ(modalFaults([&] { app.commands().Tools_Options->trigger(); }), QStringList())
        << "options dialog";
    EXPECT_EQ(modalFaults([&] { app.commands().Help_About->trigger(); }), QStringList())
        << "about dialog";

    TfmMxMsg msg;
    msg.setup(QStringLiteral("Сохранить?"), mkConfirmation,
              MsgButtons(mbYesNo | msgButtonSet(mbCancel)), hcMessages);
    msg.show();
    EXPECT_EQ(namingFaults(&msg), QStringList()) << "message dialog";

    HelpViewer help(app.messages, {QStringLiteral(MX_SOURCE_DIR "/help")});
    help.showContents();
    ASSERT_NE(help.window(), nullptr);
    EXPECT_EQ(namingFaults(help.window()), QStringList()) << "help window";

    app.click("1 + 2 =");
    app.commands().File_Print->trigger();
    ASSERT_NE(app.commands().preview(), nullptr);
    EXPECT_EQ(namingFaults(app.commands().preview()), QStringList()) << "print preview";
}

TEST_F(AccessibleNamesTest, TheStatisticsProgressDialogNamesItsControls)
{
    app.window().button(KeyId::Sta)->click();
    TfmMxStat* stat = app.commands().stats().statWindow();
    ASSERT_NE(stat, nullptr);
    QString column;
    for (int i = 0; i < 150000; ++i)
        column += QString::number(i) + QLatin1Char('\n');
    stat->pasteNumbers(column);
    auto* progress = stat->findChild<QProgressDialog*>("dlgSampleProgress");
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(namingFaults(progress), QStringList());
    progress->cancel();
}

} // namespace
