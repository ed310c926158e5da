// Store failures as a user meets them: damaged data files at start, and reads and writes
// that fail during a run, driven through the real start routine and the real windows.
#include "RunningShell.h"
#include "TestDoubles.h"
#include "app/MainCommands.h"
#include "app/StatLink.h"
#include "app/TfmMxMain.h"
#include "keypad/Keypad.h"
#include "stats/StatSample.h"
#include "stats/TfmMxStat.h"
#include "store/TdmMxData.h"
#include "tablestore/TableRows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QScrollBar>
#include <QTest>

#include <sqlcipher/sqlite3.h>

#include <functional>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace mx;

namespace {

const QString kEnd = QStringLiteral("\r\rВыполнение программы будет прервано.");
const QString kAccessDenied = QStringLiteral(
    "Доступ запрещен.\r\rВозможно вы пытаетесь запустить вторую копию программы.\r\r"
    "Выполнение программы будет прервано.");

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile::remove(path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A descriptor of the table with one field's size replaced.
QByteArray withSize(const QByteArray& descriptor, const char* size)
{
    QByteArray d = descriptor;
    const qsizetype at = d.indexOf("\"size\"");
    const qsizetype colon = d.indexOf(':', at);
    const qsizetype end = d.indexOf('\n', colon);
    return d.replace(colon + 1, end - colon - 1, QByteArray(" ") + size);
}

} // namespace

TEST(StoreFaults, ADamagedDataFileEndsTheStartWithAMessageNamingIt)
{
    struct Damage
    {
        const char* name;
        // Damages the file; false where the damage may leave a table SQLite still reads.
        std::function<bool(const QString& path)> apply;
    };
    const Damage damages[] = {
        {"Truncated", [](const QString& p) {
             QFile::resize(p, QFileInfo(p).size() / 2);
             return !p.endsWith(QLatin1String(".Dat"));
         }},
        {"Zeroed", [](const QString& p) {
             writeBytes(p, QByteArray(QFileInfo(p).size(), '\0'));
             return true;
         }},
        {"RandomBytes", [](const QString& p) {
             QByteArray bytes(QFileInfo(p).size(), '\0');
             QRandomGenerator random(7);
             for (char& c : bytes)
                 c = char(random.bounded(256));
             writeBytes(p, bytes);
             return true;
         }},
        {"Directory", [](const QString& p) {
             QFile::remove(p);
             QDir().mkpath(p);
             return true;
         }},
        {"LinkToDevZero", [](const QString& p) {
             QFile::remove(p);
             QFile::link(QStringLiteral("/dev/zero"), p);
             return true;
         }},
        {"Fifo", [](const QString& p) {
             QFile::remove(p);
             ::mkfifo(QFile::encodeName(p).constData(), 0600);
             return true;
         }},
        {"AbsurdFieldSize", [](const QString& p) {
             if (!p.endsWith(QLatin1String(".Idx")))
                 return false;
             writeBytes(p, withSize(readBytes(p), "1e300"));
             return true;
         }},
        {"NegativeFieldSize", [](const QString& p) {
             if (!p.endsWith(QLatin1String(".Idx")))
                 return false;
             writeBytes(p, withSize(readBytes(p), "-5"));
             return true;
         }},
    };
    for (const char* file : {"Classic.Dat", "Classic.Idx", "Share.Dat", "Share.Idx", "Stat.Dat",
                             "Stat.Idx"}) {
        for (const Damage& d : damages) {
            const std::string row = std::string(file) + " " + d.name;
            test::RunningShell app;
            const QString relative = QStringLiteral("Data/") + QLatin1String(file);
            const bool mustFail = d.apply(QDir(app.baseDir()).filePath(relative));
            const bool started = app.start();
            if (started) {
                EXPECT_FALSE(mustFail) << row;
                continue;
            }
            ASSERT_EQ(app.messages.messages.size(), 1u) << row;
            const test::RecordedMessage& m = app.messages.messages[0];
            EXPECT_NE(m.text, kAccessDenied) << row;
            EXPECT_TRUE(m.text.contains(relative)) << row << " " << m.text.toStdString();
            EXPECT_TRUE(m.text.endsWith(kEnd)) << row;
            EXPECT_EQ(m.kind, mkError) << row;
            EXPECT_EQ(m.helpContext, hcMessages) << row;
        }
    }
}

namespace {

// The program running with its statistics window open on a sample of 300 numbers, and a hold
// on the data module to inject store faults.
class StoreFaultRun
{
public:
    StoreFaultRun()
    {
        const bool started = app.start([this](TdmMxData& d) { data = &d; });
        EXPECT_TRUE(started);
        std::vector<double> numbers(300);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            numbers[i] = double(i + 1);
        TableRows(data->taStat, QStringLiteral("Number")).append(numbers);
        app.window().button(KeyId::Sta)->click();
        stat()->show();
        QApplication::processEvents();
    }

    TfmMxStat* stat() { return app.commands().stats().statWindow(); }
    qint64 stored() { return data->taStat.cursor().recordCount(); }
    double storedAt(qint64 row)
    {
        return TableRows(data->taStat, QStringLiteral("Number"))
            .rowsAfter(StatSample::kBeforeFirst, int(row) + 1)
            .back()
            .value;
    }

    test::RunningShell app;
    TdmMxData* data = nullptr;
};

} // namespace

TEST(StoreFaults, AFailedReadOrWriteDuringARunIsAMessageAndTheProgramGoesOn)
{
    struct Case
    {
        const char* name;
        const char* table;
        StoreAccess access;
        int code;
        std::function<void(StoreFaultRun&)> act;
        const char* said; // what failed
        const char* cause;
        qint64 count;     // numbers stored afterwards
    };
    const Case cases[] = {
        {"AppendATypedNumber", "Stat", StoreAccess::Write, SQLITE_FULL,
         [](StoreFaultRun& r) {
             QTest::keyClicks(r.stat()->edNewNumber, QStringLiteral("5"));
             QTest::keyClick(r.stat()->edNewNumber, Qt::Key_Return);
         },
         "Числа не записаны.", "На диске нет свободного места.", 300},
        {"DeleteOne", "Stat", StoreAccess::Write, SQLITE_IOERR,
         [](StoreFaultRun& r) {
             r.stat()->dgStat->setCurrentIndex(r.stat()->dgStat->model()->index(0, 0));
             r.stat()->btDelete->click();
         },
         "Число не удалено.", "Ошибка ввода-вывода", 300},
        {"DeleteAll", "Stat", StoreAccess::Write, SQLITE_READONLY,
         [](StoreFaultRun& r) {
             r.app.messages.answer = mrYes;
             r.stat()->btDelAll->click();
         },
         "Числа не удалены.", "защищены от записи", 300},
        {"GridPaintsAPageThatCannotBeRead", "Stat", StoreAccess::Read, SQLITE_CORRUPT,
         [](StoreFaultRun& r) {
             QAbstractItemModel* m = r.stat()->dgStat->model();
             r.stat()->dgStat->scrollTo(m->index(299, 0));
             r.stat()->dgStat->viewport()->repaint();
         },
         "Числа выборки не прочитаны.", "Файл поврежден", 300},
        {"GridEditCannotBeWritten", "Stat", StoreAccess::Write, SQLITE_FULL,
         [](StoreFaultRun& r) {
             QAbstractItemModel* m = r.stat()->dgStat->model();
             EXPECT_FALSE(m->setData(m->index(0, 0), QStringLiteral("77"), Qt::EditRole));
             EXPECT_EQ(r.storedAt(0), 1.0);
         },
         "Число не записано.", "На диске нет свободного места.", 300},
        {"StatisticsPositionAtClose", "Share", StoreAccess::Write, SQLITE_FULL,
         [](StoreFaultRun& r) {
             r.stat()->close();
             QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         },
         "Положение окна не сохранено.", "На диске нет свободного места.", 300},
    };
    for (const Case& c : cases) {
        StoreFaultRun run;
        ASSERT_NE(run.stat(), nullptr) << c.name;
        StoreTable& table = QLatin1String(c.table) == QLatin1String("Stat") ? run.data->taStat
                                                                          : run.data->taShare;
        table.connection().failNext(c.access, c.code);
        c.act(run);
        QApplication::processEvents(); // queued reports from inside the grid
        // One error message (a question asked before it aside).
        std::vector<test::RecordedMessage> errors;
        for (const test::RecordedMessage& m : run.app.messages.messages)
            if (m.kind == mkError)
                errors.push_back(m);
        ASSERT_EQ(errors.size(), 1u) << c.name;
        const test::RecordedMessage& m = errors[0];
        EXPECT_TRUE(m.text.startsWith(QString::fromUtf8(c.said))) << c.name << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(QString::fromUtf8(c.cause))) << c.name << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(QLatin1String(c.table))) << c.name;
        EXPECT_EQ(run.stored(), c.count) << c.name;
        // The fault was passing: the same tables go on working without a restart.
        TableRows(run.data->taStat, QStringLiteral("Number")).append(std::vector<double>{1});
        EXPECT_EQ(run.stored(), c.count + 1) << c.name;
    }
}

TEST(StoreFaults, AFailedSaveAtExitSaysSoAndStillSavesTheOtherTable)
{
    test::RunningShell app;
    TdmMxData* data = nullptr;
    ASSERT_TRUE(app.start([&data](TdmMxData& d) { data = &d; }));
    app.window().move(40, 50);
    const int left = app.window().x();
    data->taClassic.connection().failNext(StoreAccess::Write, SQLITE_FULL);
    app.stop();
    ASSERT_EQ(app.messages.texts().size(), 1);
    EXPECT_TRUE(app.messages.texts()[0].startsWith(QStringLiteral("Настройки не сохранены.")));
    EXPECT_TRUE(app.messages.texts()[0].contains(QStringLiteral("Classic")));
    ASSERT_TRUE(app.start([&data](TdmMxData& d) { data = &d; }));
    EXPECT_EQ(data->taShare.cursor().asInteger(QStringLiteral("MainWinLeft")), left);
}
