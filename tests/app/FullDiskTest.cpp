// A full disk met for real: the data folder is a small tmpfs, mounted in the private mount
// namespace this test binary runs in (ctest starts it through unshare -m; where namespaces
// are not permitted the test is skipped), filled to the last byte, then freed again.
#include "RunningShell.h"
#include "TestDoubles.h"
#include "app/MainCommands.h"
#include "app/StatLink.h"
#include "app/TapeMemo.h"
#include "app/TfmMxMain.h"
#include "report/Report.h"
#include "engine/CalcCore.h"
#include "keypad/Keypad.h"
#include "stats/TfmMxStat.h"
#include "store/TdmMxData.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/mount.h>

using namespace mx;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FullDiskTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("MX_IN_MOUNT_NAMESPACE"))
            GTEST_SKIP() << "not started in a private mount namespace";
        // The data folder moves onto a tmpfs of 2 MiB mounted over it.
        data = QDir(app.baseDir()).filePath(QStringLiteral("Data"));
        std::vector<std::pair<QString, QByteArray>> files;
        for (const QString& name : QDir(data).entryList(QDir::Files))
            files.emplace_back(name, readAll(QDir(data).filePath(name)));
        const QByteArray where = QFile::encodeName(data);
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=2m") != 0)
            GTEST_SKIP() << "tmpfs cannot be mounted here";
        mounted = true;
        for (const auto& [name, bytes] : files) {
            QFile f(QDir(data).filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_EQ(f.write(bytes), bytes.size());
        }
        ASSERT_TRUE(app.start([this](TdmMxData& d) { module = &d; }));
    }

    void TearDown() override
    {
        if (mounted) {
            app.stop();
            ::umount2(QFile::encodeName(data).constData(), MNT_DETACH);
        }
    }

    // Writes a filler file until the file system has no byte left.
    void fill()
    {
        QFile filler(QDir(data).filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Append));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        const QByteArray byte(1, 'x');
        while (filler.write(byte) == 1 && filler.flush()) {
        }
    }
    void freeSpace() { QFile::remove(QDir(data).filePath(QStringLiteral("filler"))); }

    TfmMxStat* openStat()
    {
        if (!app.commands().stats().statWindow())
            app.window().button(KeyId::Sta)->click();
        return app.commands().stats().statWindow();
    }
    void enter(const char* number)
    {
        QLineEdit* line = openStat()->edNewNumber;
        line->clear();
        QTest::keyClicks(line, QLatin1String(number));
        QTest::keyClick(line, Qt::Key_Return);
    }

    test::RunningShell app;
    TdmMxData* module = nullptr;
    QString data;
    bool mounted = false;
};

} // namespace

TEST_F(FullDiskTest, AppendsSettingsAndExportFailWithAMessageAndGoOnOnceSpaceIsFreed)
{
    enter("1");
    ASSERT_EQ(module->taStat.cursor().recordCount(), 1);
    const QString history = QDir(data).filePath(QStringLiteral("History.txt"));
    app.window().meClsHistory->appendLine(QStringLiteral("old line"));
    ASSERT_TRUE(app.commands().File_SaveHistoryAsAccept(history));
    for (int i = 0; i < 3000; ++i)
        app.window().meClsHistory->appendLine(QStringLiteral("          1 234 567,89 +"));

    fill();
    enter("2");
    ASSERT_EQ(app.messages.messages.size(), 1u);
    EXPECT_TRUE(app.messages.texts()[0].startsWith(QStringLiteral("Числа не записаны.")));
    EXPECT_TRUE(app.messages.texts()[0].contains(QStringLiteral("нет свободного места")))
        << app.messages.texts()[0].toStdString();
    EXPECT_EQ(module->taStat.cursor().recordCount(), 1);

    EXPECT_FALSE(app.commands().File_SaveHistoryAsAccept(history));
    ASSERT_EQ(app.messages.messages.size(), 2u);
    EXPECT_EQ(readAll(history), QByteArray("old line\r\n"));
    EXPECT_EQ(QDir(data).entryList({QStringLiteral(".History*")}, QDir::Files | QDir::Hidden),
              QStringList());

    // Once space is freed, the same run goes on.
    freeSpace();
    enter("3");
    EXPECT_EQ(app.messages.messages.size(), 2u);
    EXPECT_EQ(module->taStat.cursor().recordCount(), 2);
    EXPECT_TRUE(app.commands().File_SaveHistoryAsAccept(history));

    // Settings at exit on a full disk: a message, and the program still ends.
    fill();
    app.window().core().settings.DecPos = 5;
    app.stop();
    // The statistics window's position fails as well; each failure is its own message.
    const QStringList atExit = app.messages.texts().mid(2);
    EXPECT_EQ(atExit.filter(QStringLiteral("не сохранен")).size(), atExit.size());
    EXPECT_EQ(atExit.filter(QStringLiteral("Настройки не сохранены.")).size(), 1);
    freeSpace();
    ASSERT_TRUE(app.start([this](TdmMxData& d) { module = &d; }));
    EXPECT_EQ(module->taStat.cursor().recordCount(), 2); // everything reported saved is there
}

namespace {

struct WriterCase
{
    const char* name;
    const char* file;
    // Writes `path`, returning the message the user was shown.
    QString (*write)(test::RunningShell& app, const QString& path);
};

QString lastMessage(test::RunningShell& app)
{
    return app.messages.texts().isEmpty() ? QString() : app.messages.texts().back();
}

const WriterCase kWriters[] = {
    {"HistoryExport", "история.txt",
     [](test::RunningShell& app, const QString& path) {
         app.commands().File_SaveHistoryAsAccept(path);
         return lastMessage(app);
     }},
    {"SampleExport", "выборка.csv",
     [](test::RunningShell& app, const QString& path) {
         app.window().button(KeyId::Sta)->click();
         TfmMxStat* stat = app.commands().stats().statWindow();
         stat->btAppendClick();
         for (int i = 0; i < 100000 && stat->busy(); ++i)
             QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
         stat->exportFile(path);
         for (int i = 0; i < 100000 && stat->busy(); ++i)
             QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
         return lastMessage(app);
     }},
    {"Pdf", "история.pdf",
     [](test::RunningShell& app, const QString& path) {
         QString error;
         app.commands().frRepClassic().prepare();
         const bool ok = app.commands().frRepClassic().exportPdf(path, &error);
         return ok ? QStringLiteral("written") : error;
     }},
};

class FileWriterOnAFullOrReadOnlyDisk : public FullDiskTest,
                                        public testing::WithParamInterface<std::tuple<WriterCase, bool>>
{
};

} // namespace

// Over an existing file on a full disk and on a read-only one, every writer keeps the old
// file and names the file and the cause in Russian, with no text of the system.
TEST_P(FileWriterOnAFullOrReadOnlyDisk, KeepsTheOldFileAndNamesTheCause)
{
    const auto& [writer, readOnly] = GetParam();
    const QString out = QDir(app.baseDir()).filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));
    const QByteArray where = QFile::encodeName(out);
    ASSERT_EQ(::mount("tmpfs", where.constData(), "tmpfs", 0, "size=256k"), 0);
    const QString path = QDir(out).filePath(QString::fromUtf8(writer.file));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    if (readOnly) {
        ASSERT_EQ(::mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    } else {
        QFile filler(QDir(out).filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
        }
        while (filler.write("x", 1) == 1 && filler.flush()) {
        }
    }

    for (int i = 0; i < 400; ++i)
        app.window().meClsHistory->appendLine(QStringLiteral("          1 234 567,89 +"));

    const QString message = writer.write(app, path);
    EXPECT_EQ(readAll(path), QByteArray("old"));
    ::umount2(where.constData(), MNT_DETACH);
    ASSERT_TRUE(message.contains(QString::fromUtf8(writer.file))) << message.toStdString();
    EXPECT_TRUE(message.contains(readOnly ? QStringLiteral("защищены от записи")
                                          : QStringLiteral("нет свободного места")))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QRegularExpression(QStringLiteral("[A-Za-z]{4,}"))))
        << message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    FullDisk, FileWriterOnAFullOrReadOnlyDisk,
    testing::Combine(testing::ValuesIn(kWriters), testing::Bool()),
    [](const auto& row) {
        return std::string(std::get<0>(row.param).name) +
               (std::get<1>(row.param) ? "ReadOnly" : "Full");
    });
