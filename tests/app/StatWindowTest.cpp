#include "FaultWarnings.h"
#include "RunningShell.h"
#include "app/MainCommands.h"
#include "app/StatLink.h"
#include "app/TfmMxMain.h"
#include "texts/Readout.h"
#include "engine/CalcCore.h"
#include "stats/SampleChart.h"
#include "stats/SampleTaskRunner.h"
#include "stats/StatSample.h"
#include "stats/TfmMxStat.h"
#include "store/TdmMxData.h"
#include "tablestore/StoreConnection.h"
#include "tablestore/StoreTable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>

using namespace mx;
using mx::test::RunningShell;
using Id = mx::StatMeasureId;

namespace {

class StatWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.start([this](TdmMxData& d) { data = &d; }));
        openStat();
    }

    void openStat()
    {
        app.window().button(KeyId::Sta)->click();
        ASSERT_NE(stat(), nullptr);
    }
    TfmMxStat* stat() { return app.commands().stats().statWindow(); }
    bool enabled(KeyId id) { return app.window().button(id)->isEnabled(); }
    // Types numbers into the entry field, each followed by Enter.
    void enter(std::initializer_list<const char*> numbers)
    {
        for (const char* n : numbers) {
            stat()->edNewNumber->setFocus();
            QTest::keyClicks(stat()->edNewNumber, QLatin1String(n));
            QTest::keyClick(stat()->edNewNumber, Qt::Key_Return);
        }
    }
    QString field(StatMeasureId id) { return stat()->measureField(id)->text(); }

    // Until every row of the column is written: its progress dialog shows its last step.
    void waitForAllRowsWritten()
    {
        for (int i = 0; i < 1000000 && stat()->busy(); ++i) {
            // A cancelled task's dialog may wait for its deletion beside the running one's.
            for (const auto* dialog : stat()->findChildren<QProgressDialog*>("dlgSampleProgress"))
                if (dialog->value() == dialog->maximum() - 1)
                    return;
            QCoreApplication::processEvents();
        }
    }

    RunningShell app;
    TdmMxData* data = nullptr;
};

TEST_F(StatWindowTest, StaOpensOneWindowAndTheKeysFollowIt)
{
    EXPECT_TRUE(stat()->isVisible());
    EXPECT_EQ(stat()->focusWidget(), stat()->edNewNumber);
    for (KeyId id : {KeyId::Ave, KeyId::Sum, KeyId::Dat})
        EXPECT_TRUE(enabled(id));
    TfmMxStat* first = stat();
    first->showMinimized();
    app.window().button(KeyId::Sta)->click();
    EXPECT_EQ(stat(), first);
    EXPECT_FALSE(first->isMinimized());
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows += w->objectName() == "fmMxStat" && w->isVisible();
    EXPECT_EQ(windows, 1);

    enter({"3"});
    QTest::keyClick(stat(), Qt::Key_Escape);
    EXPECT_FALSE(enabled(KeyId::Ave));
    EXPECT_FALSE(enabled(KeyId::Dat));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(stat(), nullptr);
    openStat();
    EXPECT_EQ(field(Id::Count), "1");
    EXPECT_EQ(field(Id::Mean), "0"); // measures are not kept
    EXPECT_TRUE(enabled(KeyId::Sum));
}

TEST_F(StatWindowTest, TheSampleCaseAndTheKeypadTransfers)
{
    EXPECT_FALSE(stat()->btCalc->isEnabled());
    enter({"2", "4", "4", "4", "5", "5", "7", "9"});
    EXPECT_EQ(field(Id::Count), "8");
    EXPECT_TRUE(stat()->btCalc->isEnabled());
    stat()->btCalc->click();
    const std::pair<Id, const char*> shown[] = {
        {Id::Count, "8"},     {Id::Min, "2"},      {Id::Max, "9"},
        {Id::Range, "7"},     {Id::Centre, "5.5"}, {Id::Sum, "40"},
        {Id::Mean, "5"},      {Id::Variance, "4"}, {Id::Deviation, "2"},
        {Id::EstimateS, "2.1380899352994"}};
    for (const auto& [id, text] : shown)
        EXPECT_EQ(field(id), app.local(text)) << statMeasure(id).field;

    app.click("1 +");
    const QStringList tape = app.tape();
    const QString pending = app.window().core().state.PendingOp;
    app.window().button(KeyId::Ave)->click();
    EXPECT_EQ(app.display(), "5");
    app.window().button(KeyId::Sum)->click();
    EXPECT_EQ(app.display(), "40");
    // The transfers write the input alone: no tape line, the pending operation stays.
    EXPECT_EQ(app.tape(), tape);
    EXPECT_EQ(app.window().core().state.PendingOp, pending);

    // The exact measure goes over, whatever its field shows.
    app.window().tbClsDecPos->setValue(10);
    stat()->measureField(Id::EstimateS)->setFocus();
    stat()->transferButton(Id::EstimateS)->click();
    EXPECT_EQ(app.display(), app.local("2.1380899353"));
}

// Each "В ввод" copies the measure of its own row: a sample whose fourteen measures differ
// in the input's two decimals tells a button wired to another row's value.
TEST_F(StatWindowTest, EveryTransferCopiesTheMeasureItsRowShows)
{
    enter({"1", "2", "4", "12"});
    stat()->btCalc->click();
    const CalcCore& core = app.window().core();
    QStringList seen;
    for (const TfmMxStat::MeasureRow& row : stat()->measureRows()) {
        row.transfer->click();
        const NumberRead shown = core.numbers().read(row.field->text(), NumberRange::Extended);
        ASSERT_TRUE(shown.ok()) << row.measure->field;
        EXPECT_EQ(app.display(), core.edOp0.formatValue(shown.value)) << row.measure->field;
        seen << app.display();
    }
    seen.removeDuplicates();
    EXPECT_EQ(std::size_t(seen.size()), statMeasureTable().size());
}

TEST_F(StatWindowTest, AveAndSumOnAnEmptySampleWarnAndChangeNothing)
{
    app.click("7");
    app.window().button(KeyId::Ave)->click();
    app.window().button(KeyId::Sum)->click();
    EXPECT_EQ(app.messages.messages.size(), 2u);
    EXPECT_EQ(app.display(), "7");
    EXPECT_EQ(field(Id::Mean), "0");
}

TEST_F(StatWindowTest, NumbersAreStoredAsTypedAndOutOfRangeOnesRefused)
{
    stat()->edNewNumber->setText(app.local("1234.5678"));
    stat()->btAppend->click(); // the click takes the focus from the field first
    EXPECT_EQ(stat()->sample().valueAt(0), 1234.5678);
    EXPECT_EQ(stat()->edNewNumber->text(), app.local("1,234.5678"));
    EXPECT_EQ(stat()->edNewNumber->selectedText(), app.local("1,234.5678"));

    app.click("2 5");
    app.window().button(KeyId::Dat)->click();
    EXPECT_EQ(stat()->sample().valueAt(1), 25.0);
    app.click("C 1 0 x^y 4 0 0 ="); // 1E400: beyond a double
    app.window().button(KeyId::Dat)->click();
    // A group mark before fewer than three digits makes no number, in every locale.
    for (const char* refused : {"abc", "2,5"}) {
        stat()->edNewNumber->setText(app.local(refused));
        stat()->btAppend->click();
        EXPECT_EQ(stat()->edNewNumber->text(), app.local(refused)) << refused;
    }
    EXPECT_EQ(app.messages.messages.size(), 3u);
    EXPECT_EQ(app.messages.texts().back(), "Это не число: " + app.local("2,5"));
    EXPECT_EQ(stat()->sample().count(), 2);
    EXPECT_EQ(field(Id::Count), "2");
}

TEST_F(StatWindowTest, DeletesFollowTheQuestionsAndTheCount)
{
    enter({"1", "2", "3"});
    stat()->dgStat->setCurrentIndex(stat()->sample().index(1, 0));
    app.messages.answer = mrNo;
    QTest::keyClick(stat()->dgStat, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(field(Id::Count), "3");
    app.messages.answer = mrYes;
    QTest::keyClick(stat()->dgStat, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(field(Id::Count), "2");
    EXPECT_EQ(stat()->sample().values(), (std::vector<double>{1, 3}));

    app.messages.answer = mrNo;
    stat()->btDelAll->click();
    EXPECT_EQ(app.messages.texts().back(), "Удалить все");
    EXPECT_EQ(field(Id::Count), "2");
    app.messages.answer = mrYes;
    stat()->btDelAll->click();
    EXPECT_EQ(field(Id::Count), "0");
    EXPECT_FALSE(stat()->btDelete->isEnabled());
    EXPECT_FALSE(stat()->btCalc->isEnabled());
}

// The grid stands for the table's cursor: one current record, always marked, that Удалить
// removes without a click on the grid first.
TEST_F(StatWindowTest, TheGridsCurrentRecordFollowsAppendsAndDeletes)
{
    auto current = [this] {
        const QModelIndexList marked = stat()->dgStat->selectionModel()->selectedRows();
        const int row = stat()->dgStat->currentIndex().row();
        return marked.size() == 1 && marked.front().row() == row ? row : -2;
    };
    EXPECT_EQ(current(), -2); // an empty sample has no current record
    enter({"1", "2", "3"});
    EXPECT_EQ(current(), 2);
    QTest::mouseClick(stat()->btDelete, Qt::LeftButton);
    EXPECT_EQ(stat()->sample().values(), (std::vector<double>{1, 2}));
    EXPECT_EQ(current(), 1); // the new last one

    enter({"4", "5"});
    const QRect second = stat()->dgStat->visualRect(stat()->sample().index(1, 0));
    QTest::mouseClick(stat()->dgStat->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseClick(stat()->btDelete, Qt::LeftButton);
    EXPECT_EQ(stat()->sample().values(), (std::vector<double>{1, 4, 5}));
    EXPECT_EQ(current(), 1); // the next one
    // A click beside the rows leaves the current record marked.
    QTest::mouseClick(stat()->dgStat->viewport(), Qt::LeftButton, {},
                      QPoint(20, stat()->dgStat->viewport()->height() - 4));
    QCoreApplication::processEvents();
    EXPECT_EQ(current(), 1);

    QGuiApplication::clipboard()->setText("7\n8\n");
    stat()->pasteNumbers(QGuiApplication::clipboard()->text());
    EXPECT_EQ(current(), 4);
    app.click("9");
    app.window().button(KeyId::Dat)->click();
    EXPECT_EQ(current(), 5);

    stat()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    openStat();
    EXPECT_EQ(current(), 0); // the first record after opening

    app.messages.answer = mrYes;
    stat()->btDelAll->click();
    EXPECT_EQ(current(), -2);
}

TEST_F(StatWindowTest, PastingAColumnAppendsAllOrNone)
{
    // A blank groups digits; it never splits a number into two rows.
    QGuiApplication::clipboard()->setText(app.local("1\n2.5\t3\n1 234.5\n"));
    stat()->edNewNumber->setFocus();
    QTest::keyClick(stat()->edNewNumber, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(stat()->sample().values(), (std::vector<double>{1, 2.5, 3, 1234.5}));
    EXPECT_EQ(field(Id::Count), "4");
    for (const char* column : {"4\nfive\n", "4\n2,5\n"}) {
        QGuiApplication::clipboard()->setText(app.local(column));
        stat()->dgStat->setFocus();
        QTest::keyClick(stat()->dgStat, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(stat()->sample().count(), 4) << column;
        ASSERT_FALSE(app.messages.messages.empty());
        EXPECT_TRUE(app.messages.texts().back().contains("Строка 2")) << column;
    }
    // An edit still open in the grid is written before the column, never beside its writer.
    QTableView* grid = stat()->dgStat;
    grid->setCurrentIndex(grid->model()->index(0, 0));
    grid->edit(grid->currentIndex());
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(app.local("7"));
    stat()->pasteNumbers(app.local("8\n"));
    EXPECT_EQ(stat()->sample().values(), (std::vector<double>{7, 2.5, 3, 1234.5, 8}));
    EXPECT_EQ(grid->indexWidget(grid->currentIndex()), nullptr);
}

TEST_F(StatWindowTest, OrderMeasuresAndThePictureFollowCalculate)
{
    enter({"1", "100", "2", "3", "4"});
    EXPECT_EQ(field(Id::Median), "0");
    EXPECT_TRUE(stat()->chart->picture().empty());
    stat()->btCalc->click();
    EXPECT_EQ(QStringList({field(Id::Median), field(Id::LowerQuartile), field(Id::UpperQuartile),
                           field(Id::Iqr)}),
              QStringList({"3", "2", "4", "2"}));
    const SamplePicture& p = stat()->chart->picture();
    EXPECT_EQ(p.n, 5);
    EXPECT_EQ(p.box.outliers, std::vector<double>{100});
    EXPECT_TRUE(stat()->chart->barText(p.bins() - 1).endsWith("100]: 1"))
        << qPrintable(stat()->chart->barText(p.bins() - 1));
    EXPECT_EQ(stat()->chart->barAt(QPoint(stat()->chart->width() / 2, 1)), -1); // above the bars

    app.click("5 +");
    stat()->transferButton(Id::Median)->click();
    EXPECT_EQ(app.display(), "3");
    EXPECT_EQ(app.window().core().state.PendingOp, "+");

    stat()->btCopyPicture->click();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), stat()->chart->size());
}

TEST_F(StatWindowTest, ALargePasteRunsInSlicesAndItsCancelAppendsNothing)
{
    QString column;
    for (int i = 0; i < 150000; ++i)
        column += QString::number(i) + QLatin1Char('\n');
    int turns = 0;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&turns] { ++turns; });
    heartbeat.start(0);

    stat()->pasteNumbers(column);
    ASSERT_TRUE(stat()->busy()); // still reading: the event loop goes on meanwhile
    QPointer<QProgressDialog> progress = stat()->findChild<QProgressDialog*>("dlgSampleProgress");
    ASSERT_FALSE(progress.isNull());
    EXPECT_TRUE(progress->isVisible()); // at once for a column this large
    auto* cancel = progress->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    EXPECT_FALSE(stat()->busy());
    EXPECT_EQ(stat()->sample().count(), 0);

    // The column is written off the event loop's thread: while a reader holds the file, the
    // commit waits and the event loop goes on; once the reader has gone, the commit ends.
    std::unique_ptr<StoreConnection> reader = data->taStat.openConnection();
    ASSERT_TRUE(reader->exec("BEGIN; SELECT count(*) FROM records;"));
    stat()->pasteNumbers(column);
    waitForAllRowsWritten();
    ASSERT_TRUE(stat()->busy());
    const int before = turns;
    for (int i = 0; i < 100000 && turns < before + 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_GE(turns, before + 3);
    EXPECT_TRUE(stat()->busy());
    EXPECT_EQ(stat()->sample().count(), 0);
    reader.reset();
    for (int i = 0; i < 100000 && stat()->busy(); ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(stat()->sample().count(), 150000);
    EXPECT_EQ(data->taStat.cursor().recordCount(), 150000);
    EXPECT_EQ(field(Id::Count), "150000");
    EXPECT_TRUE(app.messages.messages.empty());

    // The window closed while its commit waits: the column is rolled back, nothing crashes.
    reader = data->taStat.openConnection();
    ASSERT_TRUE(reader->exec("BEGIN; SELECT count(*) FROM records;"));
    stat()->pasteNumbers(column);
    waitForAllRowsWritten();
    ASSERT_TRUE(stat()->busy());
    stat()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(stat(), nullptr);
    reader.reset();
    EXPECT_EQ(data->taStat.cursor().recordCount(), 150000);
    EXPECT_TRUE(app.messages.messages.empty());
}

// A file is read on a worker thread and its column appended all or none, with the messages
// of old; a large one shows its progress once read, and its cancel appends nothing.
TEST_F(StatWindowTest, AnImportReadsItsFileOffTheEventLoopAndAppendsAllOrNone)
{
    const QDir folder(app.baseDir());
    const auto write = [&folder](const char* name, const QByteArray& text) {
        QFile file(folder.filePath(QLatin1String(name)));
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    };
    const auto import = [this, &folder](const char* name) {
        stat()->importFile(folder.filePath(QLatin1String(name)));
        for (int i = 0; i < 100000 && stat()->busy(); ++i)
            QCoreApplication::processEvents();
    };
    struct Case
    {
        const char* name;
        const char* file;
        const char* text; // nullptr: no such file
        std::vector<double> appended;
        const char* message;
    };
    const Case cases[] = {
        {"Numbers", "good.csv", "Number\n1\n2.5\n", {1, 2.5}, nullptr},
        {"NoSuchFile", "missing.csv", nullptr, {}, "Файл «missing.csv» не прочитан.\r\r"},
        {"ABadLine", "bad.csv", "3\nx\n", {}, "Файл «bad.csv».\rСтрока 2: «x» — не число."},
        {"NoNumbers", "empty.csv", "Number\n", {}, "Файл «empty.csv».\rВ файле нет чисел."},
    };
    for (const Case& c : cases) {
        app.messages.messages.clear();
        if (c.text) {
            ASSERT_TRUE(write(c.file, c.text)) << c.name;
        }
        const std::vector<double> before = stat()->sample().values();
        import(c.file);
        std::vector<double> expected = before;
        expected.insert(expected.end(), c.appended.begin(), c.appended.end());
        EXPECT_EQ(stat()->sample().values(), expected) << c.name;
        if (c.message) {
            ASSERT_EQ(app.messages.messages.size(), 1u) << c.name;
            EXPECT_TRUE(app.messages.texts().front().startsWith(QString::fromUtf8(c.message)))
                << c.name << ": " << qPrintable(app.messages.texts().front());
        } else {
            EXPECT_TRUE(app.messages.messages.empty()) << c.name;
        }
    }

    QByteArray large;
    for (int i = 0; i < 150000; ++i)
        large += QByteArray::number(i) + '\n';
    ASSERT_TRUE(write("large.csv", large));
    const qint64 count = stat()->sample().count();
    stat()->importFile(folder.filePath(QStringLiteral("large.csv")));
    ASSERT_TRUE(stat()->busy());
    QPointer<QProgressDialog> progress;
    for (int i = 0; i < 100000 && stat()->busy() && !(progress && progress->isVisible()); ++i) {
        QCoreApplication::processEvents();
        progress = stat()->findChild<QProgressDialog*>("dlgSampleProgress");
    }
    ASSERT_TRUE(progress && progress->isVisible()); // once the file is read: it is large
    auto* cancel = progress->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    EXPECT_FALSE(stat()->busy());
    EXPECT_EQ(stat()->sample().count(), count);
    EXPECT_EQ(field(Id::Count), QString::number(count));
}

// Enter in a cell's editor writes the cell and closes the editor at once: a click elsewhere
// that the window system delivers in the same pass finds no editor left to commit again.
TEST_F(StatWindowTest, EnterWritesAGridCellBeforeTheFocusMovesOn)
{
    enter({"5"});
    stat()->activateWindow();
    QApplication::setActiveWindow(stat());
    stat()->dgStat->setFocus();
    stat()->dgStat->edit(stat()->sample().index(0, 0));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, stat()->dgStat);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "7");

    mx::test::FaultWarnings warnings;
    QTest::keyClick(editor, Qt::Key_Return);
    stat()->edNewNumber->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(warnings.seen(), QStringList());
    EXPECT_EQ(stat()->sample().valueAt(0), 7.0);
}

TEST_F(StatWindowTest, ControlsAreNamedForAssistiveTechnology)
{
    EXPECT_EQ(stat()->edNewNumber->accessibleName(), "Новое число");
    EXPECT_EQ(stat()->dgStat->accessibleName(), "Выборка");
    const std::pair<Id, const char*> names[] = {{Id::Count, "Количество ( N )"},
                                                {Id::Mean, "Среднее"},
                                                {Id::Median, "Медиана"},
                                                {Id::LowerQuartile, "Нижний квартиль"},
                                                {Id::UpperQuartile, "Верхний квартиль"},
                                                {Id::Iqr, "Межквартильный размах"}};
    for (const auto& [id, name] : names) {
        EXPECT_EQ(stat()->measureField(id)->accessibleName(), QString::fromUtf8(name));
        EXPECT_EQ(stat()->transferButton(id)->accessibleName(), QStringLiteral("В ввод: ") + name);
    }
    EXPECT_EQ(stat()->btImport->accessibleName(), "Импорт...");
    EXPECT_EQ(stat()->btExport->accessibleName(), "Экспорт...");
    EXPECT_FALSE(stat()->chart->accessibleName().isEmpty());
    EXPECT_EQ(stat()->windowTitle(), "Статистика");
    QTest::keyClick(stat()->edNewNumber, Qt::Key_F1);
    ASSERT_EQ(app.messages.messages.size(), 1u);
    EXPECT_TRUE(app.messages.texts().front().contains("50000")); // no pages in the tests
}

TEST(StatWindowState, SampleAndPositionSurviveARestart)
{
    RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().button(KeyId::Sta)->click();
    TfmMxStat* stat = app.commands().stats().statWindow();
    ASSERT_NE(stat, nullptr);
    stat->edNewNumber->setText(app.local("6.25"));
    stat->btAppend->click();
    stat->move(120, 90);
    stat->close();
    ASSERT_TRUE(app.restart());
    app.window().button(KeyId::Sta)->click();
    stat = app.commands().stats().statWindow();
    ASSERT_NE(stat, nullptr);
    EXPECT_EQ(stat->pos(), QPoint(120, 90));
    EXPECT_EQ(stat->sample().values(), std::vector<double>{6.25});
    // The picture's panel, shown at first, stays hidden once hidden.
    EXPECT_TRUE(stat->pictureShown());
    const int wide = stat->width();
    stat->btPicture->click();
    EXPECT_FALSE(stat->pnPicture->isVisible());
    EXPECT_LT(stat->width(), wide);
    // Left open when the program ends: it closes with the main window, saving its position.
    stat->move(140, 100);
    ASSERT_TRUE(app.restart());
    app.window().button(KeyId::Sta)->click();
    EXPECT_EQ(app.commands().stats().statWindow()->pos(), QPoint(140, 100));
    EXPECT_FALSE(app.commands().stats().statWindow()->pictureShown());
}

// The C library's numeric locale, which the start of a Qt program takes from the
// environment, never reaches a statistics text: under a Russian locale the measures show
// with a decimal comma and digits grouped only before it.
TEST(StatWindowLocale, TheSampleOneTwoShowsSWithADecimalCommaUnderARussianLocale)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const bool russian = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr;
    struct Restore
    {
        const std::string& locale;
        ~Restore() { std::setlocale(LC_NUMERIC, locale.c_str()); }
    } restore{saved};
    ASSERT_TRUE(russian) << "ru_RU.UTF-8 is missing: tools/install-deps.sh generates it";

    RunningShell app(NumberSeparators{QLatin1Char(','), QChar(0x00A0)});
    ASSERT_TRUE(app.start());
    app.window().button(KeyId::Sta)->click();
    TfmMxStat* stat = app.commands().stats().statWindow();
    ASSERT_NE(stat, nullptr);
    for (const char* typed : {"1", "2"}) {
        stat->edNewNumber->setText(QLatin1String(typed));
        stat->btAppend->click();
    }
    stat->btCalc->click();
    EXPECT_EQ(stat->measureField(StatMeasureId::EstimateS)->text(), "0,707106781186548");
    EXPECT_EQ(stat->measureField(StatMeasureId::Centre)->text(), "1,5");

    // Typed with a decimal comma and appended by a click that takes the focus first.
    stat->edNewNumber->setText("1234,25");
    stat->btAppend->click();
    EXPECT_TRUE(app.messages.messages.empty());
    EXPECT_EQ(stat->sample().valueAt(2), 1234.25);
    EXPECT_EQ(stat->edNewNumber->text(), QString::fromUtf16(u"1\u00a0234,25"));
    stat->btCalc->click();
    EXPECT_EQ(stat->measureField(StatMeasureId::Sum)->text(), QString::fromUtf16(u"1\u00a0237,25"));
}

} // namespace

namespace {

// The statistics window opened from the keypad, with the program's own modal dialogs.
class StatWindowDialogs : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.start());
        app.useRealDialogs();
        app.window().button(KeyId::Sta)->click();
        stat = app.commands().stats().statWindow();
        ASSERT_NE(stat, nullptr);
    }

    RunningShell app;
    TfmMxStat* stat = nullptr;
};

// Удалить with no click on the grid, and the grid's own delete confirmed in the real
// dialog by Enter (its default button, Yes).
TEST_F(StatWindowDialogs, DeleteRemovesTheMarkedRecordAndCtrlDeleteAsksFirst)
{
    for (const char* n : {"5", "6", "7"}) {
        QTest::keyClicks(stat->edNewNumber, QLatin1String(n));
        QTest::keyClick(stat->edNewNumber, Qt::Key_Return);
    }
    QTest::mouseClick(stat->btDelete, Qt::LeftButton);
    EXPECT_EQ(stat->measureField(StatMeasureId::Count)->text(), "2");
    EXPECT_EQ(stat->sample().values(), (std::vector<double>{5, 6}));
    stat->dgStat->setFocus();
    QTest::keyClick(stat->dgStat, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(app.dialogsShown(), 1);
    EXPECT_EQ(app.messages.texts(), QStringList{"Удалить запись?"});
    EXPECT_EQ(stat->sample().values(), std::vector<double>{5});
}

// A refused grid edit is committed when the editor loses the focus, here to the main
// window's activation; its message is a real modal dialog, closed by a posted key.
TEST_F(StatWindowDialogs, ARefusedGridEditCommittedOnActivationIsReportedAfterTheCommit)
{
    stat->edNewNumber->setText("5");
    stat->btAppend->click();
    stat->activateWindow();
    QApplication::setActiveWindow(stat);
    stat->dgStat->setFocus();
    stat->dgStat->edit(stat->sample().index(0, 0));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(editor, stat->dgStat);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "abc");

    app.window().activateWindow();
    QApplication::setActiveWindow(&app.window());
    QTest::qWait(50);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app.dialogsShown(), 1);
    EXPECT_EQ(stat->sample().valueAt(0), 5.0);
    app.window().activateWindow();
    QApplication::setActiveWindow(&app.window());
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(app.window().lbForSetFocus));
}

} // namespace

// The menu command opens the window with the focus in its entry field; an append says the
// count, Calculate a summary, and a transfer the input it has changed.
TEST_F(StatWindowTest, TheMenuOpensItAndAScreenReaderHearsCountSummaryAndTransfer)
{
    stat()->close();
    QApplication::processEvents();
    app.commands().Tools_Statistics->trigger();
    ASSERT_NE(stat(), nullptr);
    EXPECT_EQ(stat()->focusWidget(), stat()->edNewNumber);
    EXPECT_EQ(app.commands().Tools_Statistics->shortcut(), QKeySequence("Ctrl+T"));
    Announcer& said = app.window().announcer();
    enter({"2", "4"});
    EXPECT_EQ(said.lastSaid(), "Количество ( N ): 2");
    stat()->btCalc->click();
    EXPECT_TRUE(said.lastSaid().startsWith("Количество ( N ): 2; Среднее: 3;")) << said.lastSaid().toStdString();
    stat()->transferButton(Id::Max)->click();
    EXPECT_EQ(said.lastSaid(), app.display());
    EXPECT_EQ(app.display(), "4");
}
