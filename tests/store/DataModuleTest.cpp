#include "TestDoubles.h"
#include "store/TableEditing.h"
#include "store/TableSavedState.h"
#include "store/TdmMxData.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace mx;
using mx::test::RecordingMessages;

namespace {

const QString kAccessDenied = QStringLiteral(
    "Доступ запрещен.\r\rВозможно вы пытаетесь запустить вторую копию программы.\r\r"
    "Выполнение программы будет прервано.");

class DataModuleTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QProcess init;
        init.start(QStringLiteral(MX_INITDATA_PATH), {dir.path()});
        ASSERT_TRUE(init.waitForFinished(20000));
        ASSERT_EQ(init.exitCode(), 0) << init.readAllStandardError().toStdString();
    }

    QString data(const char* file) const { return dir.filePath(QStringLiteral("Data/") + file); }

    QTemporaryDir dir;
    RecordingMessages messages;
};

} // namespace

TEST_F(DataModuleTest, OpensTheThreeTablesOfAFreshDataFolder)
{
    TdmMxData dm(messages, defaultDataFileList(), dir.path());
    ASSERT_TRUE(dm.DataModuleCreate());
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dm.classic(), &dm.taClassic);
    EXPECT_EQ(dm.share(), &dm.taShare);
    EXPECT_EQ(dm.taClassic.cursor().recordCount(), 1);
    EXPECT_EQ(dm.taShare.cursor().recordCount(), 1);
    EXPECT_EQ(dm.taStat.cursor().recordCount(), 0);
    EXPECT_EQ(dm.taClassic.cursor().asString(QStringLiteral("DelStr")), "==== New Calculation =====");
}

// Every data folder ever written is encrypted with this key: a change to the password or
// its derivation would lock them all out.
TEST(DataModuleKeyTest, TheTablesKeyIsTheOneExistingDataFoldersUse)
{
    TableSession session(QStringLiteral("KeySession"));
    session.addPassword(TdmMxData::tablePassword());
    EXPECT_EQ(session.tableKey().toHex(),
              QByteArray("42f469cbdbabb30ab4c901a82824350d4a2e6c8b823ba5998739613579c5c63f"));
}

TEST_F(DataModuleTest, MissingFilesAreNamedInListOrderInOneMessage)
{
    QFile::remove(data("Share.Idx"));
    QFile::remove(data("Classic.Dat"));
    TdmMxData dm(messages, defaultDataFileList(), dir.path());
    EXPECT_FALSE(dm.DataModuleCreate());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              QStringLiteral("Файл не найден:\rData/Classic.Dat\rData/Share.Idx\r\r"
                             "Выполнение программы будет прервано."));
    EXPECT_EQ(messages.messages[0].kind, mkError);
    EXPECT_EQ(messages.messages[0].helpContext, 60000);
    EXPECT_FALSE(dm.taClassic.isOpen());
}

TEST_F(DataModuleTest, AFolderWithoutDataReportsAllFourFiles)
{
    QTemporaryDir empty;
    TdmMxData dm(messages, defaultDataFileList(), empty.path());
    EXPECT_FALSE(dm.DataModuleCreate());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.count(QStringLiteral("Data/")), 4);
}

TEST_F(DataModuleTest, MissingStatisticsFilesDenyAccess)
{
    QFile::remove(data("Stat.Dat"));
    TdmMxData dm(messages, defaultDataFileList(), dir.path());
    EXPECT_FALSE(dm.DataModuleCreate());
    EXPECT_EQ(messages.texts(), QStringList{kAccessDenied});
    EXPECT_EQ(dm.classic(), nullptr);
}

TEST_F(DataModuleTest, ASecondCopyIsDeniedAndTheFirstIsUnaffected)
{
    TdmMxData first(messages, defaultDataFileList(), dir.path());
    ASSERT_TRUE(first.DataModuleCreate());
    TdmMxData second(messages, defaultDataFileList(), dir.path());
    second.ssMain.lockRetryCount = 2;
    EXPECT_FALSE(second.DataModuleCreate());
    EXPECT_EQ(messages.texts(), QStringList{kAccessDenied});
    EXPECT_TRUE(first.taShare.isOpen());
    EnsureTableEdit(first.taShare);
    first.taShare.cursor().setValue(QStringLiteral("MainWinLeft"), 77);
    EXPECT_NO_THROW(PostTableIfEditing(first.taShare));
}

TEST_F(DataModuleTest, ALockHeldByAnotherProcessDeniesAccess)
{
    QProcess holder;
    holder.start(QStringLiteral("flock"), {QStringLiteral("-x"), data("Share.Idx"),
                                            QStringLiteral("sleep"), QStringLiteral("30")});
    ASSERT_TRUE(holder.waitForStarted(5000));
    QThread::msleep(300);
    TdmMxData dm(messages, defaultDataFileList(), dir.path());
    EXPECT_FALSE(dm.DataModuleCreate());
    EXPECT_EQ(messages.texts(), QStringList{kAccessDenied});
    holder.kill();
    holder.waitForFinished();
}

TEST_F(DataModuleTest, SettingsAndPositionSurviveARun)
{
    {
        TdmMxData dm(messages, defaultDataFileList(), dir.path());
        ASSERT_TRUE(dm.DataModuleCreate());
        TableSavedState state(dm);
        CalcSettings s;
        state.loadSettings(s);
        EXPECT_EQ(s, CalcSettings());
        s.DecPos = 11;
        s.DigitGrouping = false;
        s.History = true;
        s.Radian = false;
        s.Totals = false;
        s.Formula = true;
        s.FrmlHistory = true;
        s.FrmlResHistory = true;
        s.DelStr = QStringLiteral("123456789012345678901234567890");
        state.save(s, 120, 240);
        EXPECT_FALSE(dm.ssMain.hasPassword());
    }
    TdmMxData dm(messages, defaultDataFileList(), dir.path());
    ASSERT_TRUE(dm.DataModuleCreate());
    TableSavedState state(dm);
    CalcSettings s;
    state.loadSettings(s);
    EXPECT_EQ(s.DecPos, 11);
    EXPECT_FALSE(s.DigitGrouping);
    EXPECT_TRUE(s.History && s.Formula && s.FrmlHistory && s.FrmlResHistory);
    EXPECT_FALSE(s.Radian || s.Totals);
    EXPECT_EQ(s.DelStr, QStringLiteral("12345678901234567890123456"));
    EXPECT_EQ(state.delimiter(), QStringLiteral("12345678901234567890123456"));
    const WindowPlacement p = state.loadPlacement();
    EXPECT_EQ(p.left, 120);
    EXPECT_EQ(p.top, 240);
    EXPECT_EQ(p.mode, 0);
}

TEST_F(DataModuleTest, EmptyFieldsAndAnEmptyShareFallBackToStartValues)
{
    {
        TdmMxData dm(messages, defaultDataFileList(), dir.path());
        ASSERT_TRUE(dm.DataModuleCreate());
        dm.taShare.cursor().emptyTable();
        EnsureTableEdit(dm.taClassic);
        for (const char* f : {"DecPos", "DelStr", "Totals"})
            dm.taClassic.cursor().setValue(QString::fromLatin1(f), QVariant());
        PostTableIfEditing(dm.taClassic);
    }
    TdmMxData dm(messages, defaultDataFileList(), dir.path());
    ASSERT_TRUE(dm.DataModuleCreate());
    TableSavedState state(dm);
    CalcSettings s;
    s.Totals = false;
    state.loadSettings(s);
    EXPECT_EQ(s.DecPos, 2);
    EXPECT_EQ(s.DelStr, CalcSettings().DelStr);
    EXPECT_FALSE(s.Totals); // an empty field keeps what the setting held
    const WindowPlacement p = state.loadPlacement();
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.mode, 0);
    state.save(s, 5, 6);
    EXPECT_EQ(dm.taShare.cursor().recordCount(), 1);
}

TEST_F(DataModuleTest, PiKeyStoresLastOp)
{
    TdmMxData dm(messages, defaultDataFileList(), dir.path());
    ASSERT_TRUE(dm.DataModuleCreate());
    TableSavedState state(dm);
    state.storeLastOp(QStringLiteral("pi"));
    EXPECT_EQ(dm.taClassic.cursor().asString(QStringLiteral("LastOp")), "pi");
    EXPECT_EQ(dm.taClassic.cursor().state(), RecordState::Browse);
}

TEST_F(DataModuleTest, InitDataRefusesToOverwrite)
{
    QProcess init;
    init.start(QStringLiteral(MX_INITDATA_PATH), {dir.path()});
    ASSERT_TRUE(init.waitForFinished(20000));
    EXPECT_NE(init.exitCode(), 0);
    TdmMxData dm(messages, defaultDataFileList(), dir.path());
    EXPECT_TRUE(dm.DataModuleCreate());
}
