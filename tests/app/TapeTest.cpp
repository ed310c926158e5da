#include "KeySequences.h"
#include "RunningShell.h"
#include "app/MainCommands.h"
#include "app/TapeMemo.h"
#include "app/TfmMxMain.h"
#include "engine/CalcCore.h"
#include "store/TfmMxOptions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <csignal>

#include <gtest/gtest.h>

using namespace mx;

namespace {

TapeMemo& tapeOf(test::RunningShell& app)
{
    return *app.window().meClsHistory;
}

// Number texts written with "." made with the separators the shell runs with.
QStringList local(test::RunningShell& app, QStringList texts)
{
    for (QString& t : texts)
        t.replace(QLatin1Char('.'), app.window().core().seps().decimal);
    return texts;
}

QString local(test::RunningShell& app, const char* text)
{
    return local(app, QStringList{QString::fromUtf8(text)}).front();
}

void replaceLine(TapeMemo& tape, int line, const QString& text)
{
    QTextCursor c(tape.document()->findBlockByNumber(line));
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.insertText(text);
}

void putCaret(TapeMemo& tape, int line, int column)
{
    QTextCursor c(tape.document()->findBlockByNumber(line));
    c.setPosition(c.position() + column);
    tape.setTextCursor(c);
}

// Sets "Сохранять историю" through the options dialog, as a user does.
void setKeepHistory(test::RunningShell& app, bool on)
{
    QTimer::singleShot(0, [on] {
        auto* dlg = qobject_cast<TfmMxOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        if (dlg->cbClsKeepHistory->isChecked() != on)
            dlg->cbClsKeepHistory->click();
        dlg->btOK->click();
    });
    app.commands().Tools_OptionsExecute();
}

QString tapeFile(const test::RunningShell& app)
{
    return app.baseDir() + QStringLiteral("/Data/Tape.Dat");
}

const char* const kChildDir = "MX_KEPT_TAPE_CHILD_DIR";

} // namespace

// The user's case: 12 + 30 + 7 =, 30 corrected to 31 in the tape, F9.
TEST(Recalculate, F9AppendsTheCorrectedCalculation)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().cbClsHistory->setChecked(true);
    app.type("12+30+7=");
    TapeMemo& tape = tapeOf(app);
    replaceLine(tape, 1, local(app, "    +                     31.00  "));
    putCaret(tape, 1, 10);
    tape.setFocus();
    QTest::keyClick(&tape, Qt::Key_F9);

    const QStringList cells = test::tapeCells(app.tape());
    ASSERT_EQ(cells.size(), 7 + 1 + 7);
    EXPECT_EQ(app.tape()[7], "---- Пересчёт строк 1-7 ----");
    EXPECT_EQ(cells.mid(8), local(app, test::expandedTape({"|12.00|  ", "+|31.00|  ", "=|43.00|  ",
                                                           "+|7.00|  ", "-", "=|50.00|  ", ""})));
    EXPECT_EQ(app.display(), "50");
    EXPECT_EQ(tape.textCursor().blockNumber(), 1) << "the caret stays";
    EXPECT_EQ(tape.verticalScrollBar()->value(), tape.verticalScrollBar()->maximum());
}

TEST(Recalculate, IsACommandOfTheToolsMenuAndOfTheTapesContextMenu)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    QAction* recalc = app.commands().Tools_Recalculate;
    EXPECT_EQ(recalc->text(), "Пересчитать");
    EXPECT_EQ(recalc->shortcut(), QKeySequence(Qt::Key_F9));
    auto* tools = app.window().menuBar()->findChild<QMenu*>(QStringLiteral("mnTools"));
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->actions().contains(recalc));

    // A refusal from the menu: the message names the line; nothing changes.
    app.click("5 C");
    const QStringList delimiter = app.tape();
    putCaret(tapeOf(app), 1, 0);
    recalc->trigger();
    ASSERT_EQ(app.messages.texts().size(), 1);
    EXPECT_TRUE(app.messages.texts()[0].contains(QStringLiteral("строка 2")))
        << app.messages.texts()[0].toStdString();
    EXPECT_EQ(app.tape(), delimiter);
}

// A double-click on a number of the value column types it into the input register; the
// tape keeps its text and caret, and a double-click elsewhere selects a word as usual.
TEST(TapeNumber, DoubleClickReusesIt)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().cbClsHistory->setChecked(true);
    app.type("12+30=");
    TapeMemo& tape = tapeOf(app);
    putCaret(tape, 4, 0);
    const QStringList before = app.tape();

    const QTextBlock line = tape.document()->findBlockByNumber(1);
    QTextCursor at(line);
    at.setPosition(line.position() + int(line.text().indexOf(local(app, "30.00"))) + 2);
    QTest::mouseDClick(tape.viewport(), Qt::LeftButton, {}, tape.cursorRect(at).center());

    EXPECT_EQ(app.display(), "30");
    EXPECT_EQ(app.tape(), before);
    EXPECT_EQ(tape.textCursor().blockNumber(), 4);
    EXPECT_FALSE(tape.textCursor().hasSelection());
    app.type("+5=");
    EXPECT_EQ(app.display(), "35") << "the number is a new entry after =";

    QTextCursor sign(tape.document()->findBlockByNumber(1));
    sign.setPosition(sign.position() + 4);
    QTest::mouseDClick(tape.viewport(), Qt::LeftButton, {}, tape.cursorRect(sign).center());
    EXPECT_EQ(app.display(), "35");
}

TEST(KeptTape, OffByDefaultAFreshStartHasAnEmptyTape)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    EXPECT_FALSE(app.window().core().settings.KeepHistory);
    app.type("1+1=");
    ASSERT_TRUE(app.restart());
    EXPECT_TRUE(app.tape().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(tapeFile(app)));
}

TEST(KeptTape, OnTheTapeComesBackScrolledToItsEnd)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    setKeepHistory(app, true);
    EXPECT_TRUE(QFileInfo::exists(tapeFile(app))) << "written at once";
    app.window().cbClsHistory->setChecked(true);
    for (int i = 0; i < 40; ++i)
        app.click("12 + 30 =");
    // A no-break space, as the Russian group mark, survives the store.
    tapeOf(app).appendLine(QString::fromUtf8("                      1\u00a0234,50  "));
    const QStringList written = app.tape();
    ASSERT_EQ(written.size(), 201);

    ASSERT_TRUE(app.restart());
    EXPECT_EQ(app.tape(), written);
    EXPECT_TRUE(app.window().core().settings.KeepHistory);
    QApplication::processEvents();
    QScrollBar* bar = tapeOf(app).verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(app.messages.messages.empty());
}

TEST(KeptTape, SwitchedOffIsDeletedAtOnce)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    setKeepHistory(app, true);
    app.click("1 + 1 =");
    setKeepHistory(app, false);
    EXPECT_FALSE(QFileInfo::exists(tapeFile(app)));
    ASSERT_TRUE(app.restart());
    EXPECT_TRUE(app.tape().isEmpty());
    EXPECT_FALSE(app.window().core().settings.KeepHistory);
}

TEST(KeptTape, AnUnreadableOneIsReportedOnceAndDropped)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    setKeepHistory(app, true);
    app.click("1 + 1 =");
    app.stop();
    QFile damaged(tapeFile(app));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();

    ASSERT_TRUE(app.start());
    ASSERT_EQ(app.messages.texts().size(), 1);
    EXPECT_TRUE(app.messages.texts()[0].startsWith(
        QStringLiteral("Сохранённую историю прочитать нельзя, она удалена.")));
    EXPECT_TRUE(app.tape().isEmpty());
    EXPECT_TRUE(app.window().core().settings.KeepHistory);
    app.click("2 + 2 =");
    const QStringList written = app.tape();
    ASSERT_TRUE(app.restart());
    EXPECT_EQ(app.messages.texts().size(), 1) << "reported once";
    EXPECT_EQ(app.tape(), written);
}

// Run by the test below in a process of its own: changes the tape, waits two seconds and
// dies by SIGKILL, with no exit routine.
TEST(KeptTapeChild, ChangeThenKill)
{
    const QString dir = qEnvironmentVariable(kChildDir);
    if (dir.isEmpty())
        GTEST_SKIP() << "run by KeptTape.SurvivesAKillTwoSecondsAfterTheLastChange";
    test::RunningShell app(dir);
    ASSERT_TRUE(app.start());
    app.type("12+30=");
    QTest::qWait(2000);
    ::raise(SIGKILL);
}

TEST(KeptTape, SurvivesAKillTwoSecondsAfterTheLastChange)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    setKeepHistory(app, true);
    app.stop();

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildDir), app.baseDir());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=KeptTapeChild.ChangeThenKill")});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAllStandardOutput().toStdString();

    ASSERT_TRUE(app.start());
    EXPECT_EQ(test::tapeCells(app.tape()),
              local(app, test::expandedTape({"|12.00|  ", "+|30.00|  ", "-", "=|42.00|  ", ""})));
}
