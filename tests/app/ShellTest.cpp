#include "RunningShell.h"
#include "TestDoubles.h"
#include "app/FormFactory.h"
#include "app/FormulaEdit.h"
#include "app/FormulaFrame.h"
#include "app/HelpViewer.h"
#include "app/HelpWindow.h"
#include "app/QtTranslations.h"
#include "texts/ApplyInterfaceText.h"
#include "texts/InterfaceText.h"
#include "texts/LineBreaks.h"
#include "app/MainCommands.h"
#include "app/TapeMemo.h"
#include "app/TfmMxAbout.h"
#include "app/TfmMxMain.h"
#include "dialogs/TfmMxMsg.h"
#include "engine/CalcCore.h"
#include "keypad/Keypad.h"
#include "output/HistoryExport.h"
#include "store/TfmMxOptions.h"
#include "store/TdmMxData.h"

#include <QTranslator>
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QSlider>
#include <QTest>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMenu>
#include <QTemporaryDir>
#include <QDir>
#include <QTimer>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <functional>
#include <sys/resource.h>

#include <QPushButton>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace mx;

namespace {

QString shownText(QObject* o, InterfaceTextEntry::Kind kind)
{
    if (kind == InterfaceTextEntry::Hint)
        return static_cast<QWidget*>(o)->toolTip();
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(o))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(o))
        return g->title();
    if (auto* m = qobject_cast<QMenu*>(o))
        return m->title();
    if (auto* a = qobject_cast<QAction*>(o))
        return a->text();
    return QStringLiteral("<unknown control kind>");
}

} // namespace

TEST(InterfaceText, EveryWindowCarriesTheTextsOfItsTable)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    CalcSettings settings;
    TfmMxOptions options(settings, {}, {});
    TfmMxAbout about({});
    TfmMxMsg msg;
    QWidget* windows[] = {&app.window(), &options, &about, &msg};
    // Controls of windows that arrive with the formula frame and the statistics window.
    const QStringList later = {"gbClsFormula", "cbClsFrmlHistory", "cbClsFrmlResHistory",
                               "gbClsFrmlFuncList", "btClsRun", "btClsClear"};
    int checked = 0;
    for (const InterfaceTextEntry& e : interfaceTextTable()) {
        if (e.kind == InterfaceTextEntry::Help)
            continue; // shown by the window that explains the control, not applied to it
        for (QWidget* w : windows) {
            if (w->objectName() != QLatin1String(e.window))
                continue;
            const QString expected = withLineBreaks(QString::fromUtf16(e.text));
            if (*e.control == '\0') {
                EXPECT_EQ(w->windowTitle(), expected) << e.window;
                ++checked;
                continue;
            }
            QObject* o = w->findChild<QObject*>(QLatin1String(e.control));
            const QString control = QLatin1String(e.control);
            if (!o) {
                EXPECT_TRUE(later.contains(control) || (w == &app.window() && control == "lbAppName"))
                    << e.window << "." << e.control << " is missing";
                continue;
            }
            EXPECT_EQ(shownText(o, e.kind), expected) << e.window << "." << e.control;
            ++checked;
        }
    }
    EXPECT_GE(checked, 70);
    EXPECT_EQ(about.lbAppName->text(), "Mirvalex  1.0 ");
}

TEST(InterfaceText, WindowNamesCompareIgnoringCaseAndUnknownWindowsKeepTheirTexts)
{
    QWidget stat;
    stat.setObjectName(QStringLiteral("FMMXSTAT"));
    QLabel* label = new QLabel(QStringLiteral("x"), &stat);
    label->setObjectName(QStringLiteral("lbAvr"));
    ApplyInterfaceText(&stat);
    EXPECT_EQ(label->text(), "Среднее");
    EXPECT_EQ(stat.windowTitle(), "Статистика");

    QWidget other;
    other.setObjectName(QStringLiteral("fmSomething"));
    other.setWindowTitle(QStringLiteral("laid out"));
    ApplyInterfaceText(&other);
    ApplyInterfaceText(nullptr);
    EXPECT_EQ(other.windowTitle(), "laid out");
}

TEST(InterfaceText, PointKeyShowsTheSystemSeparator)
{
    test::RunningShell app(NumberSeparators{QLatin1Char(','), QChar(0xA0)});
    ASSERT_TRUE(app.start());
    EXPECT_EQ(app.window().button(KeyId::Point)->text(), ",");
    EXPECT_EQ(app.window().button(KeyId::Point)->accessibleDescription(),
              ",, клавиши . или ,");
    app.type("1.5+1=");
    EXPECT_EQ(app.display(), "2,5");
}

TEST(Commands, ClearRunsCMCAndCHInThatOrder)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    Keypad& k = app.window().keypad();
    k.FormKeyPress(QLatin1Char('5'));
    k.press(KeyId::MS);
    k.FormKeyPress(QLatin1Char('+'));
    k.FormKeyPress(QLatin1Char('3'));
    app.commands().Tools_Clear->trigger();
    EXPECT_EQ(app.window().core().edOp0.value(), 0);
    EXPECT_EQ(app.window().core().edMem.value(), 0);
    EXPECT_FALSE(app.window().core().state.OpPending);
    // The delimiter and the "M=" line written by C and MC are gone with the tape.
    EXPECT_TRUE(app.tape().isEmpty());
}

TEST(Commands, MenusAndShortcuts)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    EXPECT_EQ(app.commands().Tools_Clear->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    EXPECT_EQ(app.commands().File_Print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_TRUE(app.commands().Tools_Options->isCheckable());
    EXPECT_EQ(app.commands().Help_Contents->text(), "Справка     F1");
    const QList<QMenu*> menus = app.window().menuBar()->findChildren<QMenu*>();
    QStringList titles;
    for (QAction* a : app.window().menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"Файл", "Сервис", "Справка"}));
}

TEST(Commands, OptionsDialogIsCheckedWhileOpenAndSettingsApplyAfter)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    bool checkedWhileOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TfmMxOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        checkedWhileOpen = app.commands().Tools_Options->isChecked();
        dlg->cbClsTotals->click();
        dlg->btOK->click();
    });
    app.commands().Tools_OptionsExecute();
    EXPECT_TRUE(checkedWhileOpen);
    EXPECT_FALSE(app.commands().Tools_Options->isChecked());
    EXPECT_FALSE(app.window().core().settings.Totals);
    EXPECT_FALSE(app.window().cbClsTotals->isChecked());
}

TEST(FormFactory, ShowFormFindsAnOpenWindowByItsNameWithBlanks)
{
    test::RecordingMessages messages;
    int created = 0;
    FormFactory forms(messages, {{QStringLiteral("fmMxAbout"), [&]() -> QWidget* {
                                      ++created;
                                      return new TfmMxAbout({});
                                  }}});
    EXPECT_TRUE(forms.ShowForm(QStringLiteral("fmMxAbout"), FormFactory::Modeless));
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(forms.ShowForm(QStringLiteral("  fmMxAbout "), FormFactory::Modeless));
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(messages.messages.empty());
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("fmMxAbout"))
            w->close();
}

TEST(FormFactory, UnknownAndUncreatableNamesAreReported)
{
    test::RecordingMessages messages;
    FormFactory forms(messages, {});
    EXPECT_FALSE(forms.FormDoCreate(QStringLiteral("fmNope"), FormFactory::Modeless));
    EXPECT_EQ(messages.texts(), (QStringList{"Utils FormDoCreate: Неизвестный fmNope",
                                             "Utils FormDoCreate: Не могу создать fmNope"}));
    EXPECT_EQ(messages.messages[0].kind, mkWarning);
    EXPECT_EQ(messages.messages[0].helpContext, 0);
    messages.messages.clear();
    EXPECT_FALSE(forms.ShowForm(QStringLiteral("FMMXSTAT"), FormFactory::Modeless));
    EXPECT_EQ(messages.texts(), QStringList{"Utils FormDoCreate: Не могу создать FMMXSTAT"});
}

TEST(HelpViewer, FindsPagesAndWarnsAboutMissingOnes)
{
    test::RecordingMessages messages;
    HelpViewer shipped(messages, {QStringLiteral(MX_SOURCE_DIR "/help")});
    for (int context : {0, 10000, 40000, 50000, 60000, 80000})
        EXPECT_FALSE(shipped.pageFor(context).isEmpty()) << context;
    HelpViewer none(messages, {});
    none.showContext(40000);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, mkWarning);

    // The page opens in the program's own window, whose links and Back stay inside it.
    shipped.showContext(40000);
    HelpWindow* help = shipped.window();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->brHelp->source().toLocalFile().endsWith("40000.html"));
    EXPECT_FALSE(help->btBack->isEnabled());
    help->btContents->click();
    EXPECT_TRUE(help->brHelp->source().toLocalFile().endsWith("index.html"));
    EXPECT_TRUE(help->btBack->isEnabled());
    help->btBack->click();
    EXPECT_TRUE(help->brHelp->source().toLocalFile().endsWith("40000.html"));
    shipped.showContext(50000); // the same window, another page
    EXPECT_EQ(shipped.window(), help);
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST(HistoryExport, WritesTheLinesExactlyWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History.txt"));
    const QStringList lines{QStringLiteral("      12.00  "), QString(),
                            QStringLiteral("==== Новый расчёт ====") + QString(40, QLatin1Char('x'))};
    ASSERT_EQ(saveHistoryFile(lines, path), QString());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), (lines[0] + "\r\n\r\n" + lines[2] + "\r\n").toUtf8());
}

TEST(HistoryExport, EmptyTapeGivesAnEmptyFileAndSavingAgainReplaces)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History.txt"));
    ASSERT_EQ(saveHistoryFile({QStringLiteral("old")}, path), QString());
    ASSERT_EQ(saveHistoryFile({}, path), QString());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().isEmpty());
}

TEST(HistoryExport, AnUnwritablePathIsReportedAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/History.txt"));
    EXPECT_FALSE(saveHistoryFile({QStringLiteral("x")}, path).isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    test::RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().meClsHistory->appendLine(QStringLiteral("kept"));
    EXPECT_FALSE(app.commands().File_SaveHistoryAsAccept(path));
    ASSERT_EQ(app.messages.messages.size(), 1u);
    EXPECT_EQ(app.messages.messages[0].kind, mkError);
    EXPECT_EQ(app.tape(), QStringList{"kept"});
}

TEST(HistoryExport, AWriteThatFailsHalfWayKeepsTheOldFileAndLeavesNoTemporary)
{
    // A file size limit makes the write fail after its first bytes, as a full disk does.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("History.txt"));
    ASSERT_EQ(saveHistoryFile({QStringLiteral("old")}, path), QString());
    const QStringList lines(2000, QStringLiteral("        1 234,56 +"));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString error = saveHistoryFile(lines, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(error.isEmpty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"History.txt"});
}

TEST(Clipboard, CtrlCCopiesTheInputWithoutGroupingAndChangesNothing)
{
    struct Row
    {
        const char* name;
        int decPos;
        bool grouping;
        const char* typed;
        const char* copied;
    };
    const Row rows[] = {
        {"Grouped", 2, true, "1234567.5", "1234567.5"},
        {"Ungrouped", 2, false, "1234567.5", "1234567.5"},
        {"Floating", 11, true, "12345+", "1.2345E+0004"},
        {"Negative", 2, true, "5-12345=", "-12340"},
    };
    for (const Row& r : rows) {
        test::RunningShell app;
        ASSERT_TRUE(app.start());
        app.window().tbClsDecPos->setValue(r.decPos);
        app.window().cbClsDigitGrouping->setChecked(r.grouping);
        app.type(r.typed);
        const QString shown = app.display();
        const QStringList tape = app.tape();
        QApplication::clipboard()->clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), app.local(r.copied)) << r.name;
        EXPECT_EQ(app.display(), shown) << r.name;
        EXPECT_EQ(app.tape(), tape) << r.name;
    }
}

TEST(Clipboard, CtrlVTypesANumberAndRefusesText)
{
    test::RunningShell app(NumberSeparators{QLatin1Char(','), QChar(0xA0)});
    ASSERT_TRUE(app.start());
    app.type("2+");
    QApplication::clipboard()->setText(QStringLiteral(" 1 000,5 "));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(app.display(), QStringLiteral("1\u00A0000,5"));
    EXPECT_EQ(app.tape().size(), 1);
    QApplication::clipboard()->setText(QStringLiteral("not a number"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(app.display(), QStringLiteral("1\u00A0000,5"));
    EXPECT_EQ(app.messages.texts(), QStringList{"Это не число: not a number"});
    app.type("=");
    EXPECT_EQ(app.display(), QStringLiteral("1\u00A0002,5"));
}

TEST(Clipboard, AFocusedTapeCopiesItsOwnSelection)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().cbClsHistory->setChecked(true);
    app.type("7=");
    app.window().meClsHistory->setFocus();
    app.window().meClsHistory->selectAll();
    QTest::keyClick(app.window().meClsHistory, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().contains(app.local("7.00")));
    EXPECT_EQ(app.display(), "7");
}

// The program itself, ended by SIGTERM as a logout ends it: it saves its state as File > Exit
// does. The placement mode 1 that the store holds before the run is written back as 0.
TEST(Termination, SigtermEndsTheProgramAndSavesItsState)
{
    test::RunningShell folder; // a data folder of its own, with the program not started
    folder.storeField(QStringLiteral("Share"), QStringLiteral("MainWinPosition"), 1);
    QProcess program;
    program.setWorkingDirectory(folder.baseDir());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(MX_BINARY_DIR "/src/mirvalex"), {});
    ASSERT_TRUE(program.waitForStarted());
    // Running once it holds its tables' locks, as /proc/locks lists them (looking takes no
    // lock that could get in the program's way).
    const QString pid = QString::number(program.processId());
    bool locked = false;
    for (int i = 0; i < 200 && !locked; ++i) {
        QThread::msleep(50);
        QFile locks(QStringLiteral("/proc/locks"));
        if (locks.open(QIODevice::ReadOnly))
            for (const QByteArray& line : locks.readAll().split('\n'))
                locked |= line.contains("FLOCK") && line.split(' ').contains(pid.toLatin1());
    }
    ASSERT_TRUE(locked);
    ::kill(pid_t(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    test::RecordingMessages quiet;
    TdmMxData data(quiet, defaultDataFileList(), folder.baseDir());
    ASSERT_TRUE(data.DataModuleCreate());
    EXPECT_EQ(data.taShare.cursor().asInteger(QStringLiteral("MainWinPosition")), 0);
}

TEST(Clipboard, PastingNothingOrNoTextIntoTheTapeChangesNothing)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().cbClsHistory->setChecked(true);
    app.type("2+3=");
    const QStringList tape = app.tape();
    TapeMemo* memo = app.window().meClsHistory;
    memo->setFocus();
    struct Row
    {
        const char* name;
        std::function<void()> fill;
    };
    const Row rows[] = {
        {"Cleared", [] { QApplication::clipboard()->clear(); }},
        {"OnlyAnImage", [] {
             auto* data = new QMimeData;
             data->setImageData(QImage(4, 4, QImage::Format_RGB32));
             QApplication::clipboard()->setMimeData(data);
         }},
    };
    for (const Row& r : rows) {
        r.fill();
        QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::mouseClick(memo->viewport(), Qt::MiddleButton);
        EXPECT_EQ(app.tape(), tape) << r.name;
    }
}

TEST(Clipboard, AHugePasteIntoTheFormulaLineStopsAtItsLimit)
{
    test::RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().cbClsFormula->setChecked(true);
    FormulaEdit* line = app.window().gbClsFormula->edClsFormula;
    line->setFocus();
    line->setText(QStringLiteral("1+"));
    line->end(false);
    for (const QString& pasted : {QString(10'000'000, QLatin1Char('7')), QString(1'000'000, QChar(0))}) {
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(line->text().size(), FormulaEdit::kMaxLength);
        // Control characters are shown as the one line shows them: as blanks.
        EXPECT_EQ(line->text().mid(2, 3), pasted.at(0).isPrint() ? pasted.left(3) : QStringLiteral("   "));
        line->setText(QStringLiteral("1+"));
        line->end(false);
    }
    QApplication::clipboard()->clear();
}

namespace {

// Qt's own buttons and menus speak the user's language where the system has Qt's
// translations; with none for the locale nothing is installed.
TEST(QtTexts, QtsOwnTextsFollowTheUsersLanguage)
{
    const struct
    {
        const char* locale;
        QString cancel;
    } rows[] = {{"ru_RU", QStringLiteral("Отмена")}, {"C", QStringLiteral("Cancel")}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.locale);
        std::unique_ptr<QTranslator> translator(
            installQtTranslations(*QCoreApplication::instance(), QLocale(row.locale)));
        EXPECT_EQ(translator != nullptr, row.cancel != "Cancel");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), row.cancel);
    }
}

} // namespace
