#include "tablestore/RowPositions.h"
#include "tablestore/StoreError.h"
#include "tablestore/StoreTable.h"
#include "tablestore/TableRows.h"
#include "tablestore/Transaction.h"
#include "tablestore/TableSession.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlcipher/sqlite3.h>

#include <functional>
#include <limits>

#include <gtest/gtest.h>

using namespace mx;

namespace {

const QString kPassword = QStringLiteral("test password");

FieldList everyType()
{
    return {{QStringLiteral("Small"), FieldType::SmallInt},
            {QStringLiteral("N"), FieldType::Integer},
            {QStringLiteral("Real"), FieldType::Double},
            {QStringLiteral("Flag"), FieldType::Boolean},
            {QStringLiteral("Text"), FieldType::String, 10}};
}

class StoreTableTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        session.addPassword(kPassword);
        StoreTable::create(session, dir.path(), QStringLiteral("T"), everyType());
    }

    std::unique_ptr<StoreTable> openTable(bool exclusive = false)
    {
        auto t = std::make_unique<StoreTable>(session, dir.path(), QStringLiteral("T"));
        t->setExclusive(exclusive);
        t->open();
        return t;
    }

    QProcess* startHolder(const QStringList& args, const char* expect)
    {
        auto* p = new QProcess;
        p->start(QStringLiteral(MX_HOLDER_PATH), QStringList{dir.path(), QStringLiteral("T")} + args);
        EXPECT_TRUE(p->waitForStarted(5000));
        EXPECT_TRUE(p->waitForReadyRead(10000)) << p->readAllStandardError().toStdString();
        EXPECT_EQ(p->readAllStandardOutput().trimmed(), QByteArray(expect));
        return p;
    }

    static void kill(QProcess* p)
    {
        p->kill(); // SIGKILL: no clean-up in the holder
        p->waitForFinished(5000);
        delete p;
    }

    QTemporaryDir dir;
    TableSession session{QStringLiteral("TestSession")};
};

} // namespace

TEST(KeyDerivationTest, MatchesThePublishedPbkdf2Sha256Vectors)
{
    struct Row
    {
        const char* name;
        QByteArray password;
        QByteArray salt;
        int iterations;
        int length;
        QByteArray hex;
    };
    const Row rows[] = {
        {"one iteration, two blocks", "passwd", "salt", 1, 64,
         "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
         "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"},
        {"two iterations", "password", "salt", 2, 32,
         "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"},
        {"4096 iterations, a part of the second block", "password", "salt", 4096, 40,
         "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134af7ad98c1b458ce3f"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(deriveKeyPbkdf2(row.password, row.salt, row.iterations, row.length).toHex(),
                  row.hex)
            << row.name;
}

TEST_F(StoreTableTest, EveryFieldTypeRoundTripsThroughTheFile)
{
    {
        auto t = openTable();
        EXPECT_EQ(t->cursor().recordCount(), 0);
        t->cursor().append();
        t->cursor().setValue(QStringLiteral("Small"), -12345);
        t->cursor().setValue(QStringLiteral("N"), 2147483647);
        t->cursor().setValue(QStringLiteral("Real"), 0.1);
        t->cursor().setValue(QStringLiteral("Flag"), true);
        t->cursor().setValue(QStringLiteral("Text"), QStringLiteral("Привет"));
        t->cursor().post();
    }
    auto t = openTable();
    EXPECT_EQ(t->cursor().recordCount(), 1);
    EXPECT_EQ(t->cursor().asInteger(QStringLiteral("Small")), -12345);
    EXPECT_EQ(t->cursor().asInteger(QStringLiteral("n")), 2147483647);
    EXPECT_EQ(t->cursor().asDouble(QStringLiteral("Real")), 0.1);
    EXPECT_TRUE(t->cursor().asBoolean(QStringLiteral("Flag")));
    EXPECT_EQ(t->cursor().asString(QStringLiteral("Text")), QStringLiteral("Привет"));
}

// Every page SQLCipher writes gets a fresh IV, so any write changes the file's bytes.
TEST_F(StoreTableTest, APostThatChangesNoValueLeavesTheFileUntouched)
{
    auto readDat = [this] {
        QFile f(dir.filePath(QStringLiteral("T.Dat")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    auto t = openTable();
    RecordCursor& record = t->cursor();
    record.append();
    record.setValue(QStringLiteral("Small"), 7);
    record.setValue(QStringLiteral("Real"), 0.1);
    record.setValue(QStringLiteral("Text"), QStringLiteral("Один"));
    record.post();
    const QByteArray before = readDat();

    record.edit();
    record.setValue(QStringLiteral("Real"), 0.1);
    record.post();
    EXPECT_EQ(readDat(), before);
    EXPECT_EQ(record.state(), RecordState::Browse);

    record.edit();
    record.setValue(QStringLiteral("Flag"), true); // was empty
    record.post();
    EXPECT_NE(readDat(), before);
    t.reset();
    t = openTable();
    EXPECT_TRUE(t->cursor().asBoolean(QStringLiteral("Flag")));
    EXPECT_EQ(t->cursor().asString(QStringLiteral("Text")), QStringLiteral("Один"));
}

TEST_F(StoreTableTest, TextsAreCutToTheirSizeInCharacters)
{
    auto t = openTable();
    t->cursor().append();
    t->cursor().setValue(QStringLiteral("Text"), QStringLiteral("Абвгдеёжзийк"));
    t->cursor().post();
    EXPECT_EQ(t->cursor().asString(QStringLiteral("Text")), QStringLiteral("Абвгдеёжзи"));
    t->cursor().edit();
    t->cursor().setValue(QStringLiteral("Text"), QString::fromUtf8("😀😀😀😀😀😀😀😀😀😀😀"));
    t->cursor().post();
    EXPECT_EQ(t->cursor().asString(QStringLiteral("Text")).toUcs4().size(), 10);
}

TEST_F(StoreTableTest, EmptyFieldsReadAsZeroAndEditOnAnEmptyTableInserts)
{
    auto t = openTable();
    EXPECT_FALSE(t->cursor().hasRecord());
    t->cursor().edit();
    EXPECT_EQ(t->cursor().state(), RecordState::Insert);
    t->cursor().post();
    EXPECT_EQ(t->cursor().recordCount(), 1);
    EXPECT_TRUE(t->cursor().isNull(QStringLiteral("N")));
    EXPECT_EQ(t->cursor().asInteger(QStringLiteral("N")), 0);
    EXPECT_EQ(t->cursor().asString(QStringLiteral("Text")), "");
}

TEST_F(StoreTableTest, NavigationCancelDeleteAndEmpty)
{
    auto t = openTable();
    for (int i = 1; i <= 3; ++i) {
        t->cursor().append();
        t->cursor().setValue(QStringLiteral("N"), i);
        t->cursor().post();
    }
    t->cursor().first();
    EXPECT_EQ(t->cursor().asInteger(QStringLiteral("N")), 1);
    t->cursor().next();
    EXPECT_EQ(t->cursor().asInteger(QStringLiteral("N")), 2);
    t->cursor().edit();
    t->cursor().setValue(QStringLiteral("N"), 20);
    t->cursor().cancel();
    EXPECT_EQ(t->cursor().asInteger(QStringLiteral("N")), 2);
    t->cursor().deleteRecord();
    EXPECT_EQ(t->cursor().asInteger(QStringLiteral("N")), 3);
    t->cursor().next();
    EXPECT_TRUE(t->cursor().eof());
    t->cursor().last();
    t->cursor().prior();
    EXPECT_EQ(t->cursor().asInteger(QStringLiteral("N")), 1);
    EXPECT_EQ(t->cursor().recordCount(), 2);
    t->cursor().emptyTable();
    EXPECT_EQ(t->cursor().recordCount(), 0);
    EXPECT_THROW(t->cursor().setValue(QStringLiteral("N"), 1), StoreError);
    EXPECT_THROW(t->cursor().value(QStringLiteral("Missing")), StoreError);
}

TEST_F(StoreTableTest, CreateRefusesToOverwrite)
{
    EXPECT_THROW(StoreTable::create(session, dir.path(), QStringLiteral("T"), everyType()),
                 StoreError);
}

TEST_F(StoreTableTest, DataFileIsEncrypted)
{
    {
        auto t = openTable();
        t->cursor().append();
        t->cursor().setValue(QStringLiteral("Text"), QStringLiteral("secretword"));
        t->cursor().post();
    }
    QFile dat(dir.filePath(QStringLiteral("T.Dat")));
    ASSERT_TRUE(dat.open(QIODevice::ReadOnly));
    const QByteArray bytes = dat.readAll();
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains("secretword"));
    EXPECT_FALSE(bytes.contains("CREATE TABLE"));
}

TEST_F(StoreTableTest, WrongOrMissingPasswordFailsTheOpen)
{
    TableSession other(QStringLiteral("Other"));
    other.addPassword(QStringLiteral("not it"));
    StoreTable wrong(other, dir.path(), QStringLiteral("T"));
    EXPECT_THROW(wrong.open(), StoreError);

    TableSession none(QStringLiteral("None"));
    StoreTable unkeyed(none, dir.path(), QStringLiteral("T"));
    EXPECT_THROW(unkeyed.open(), StoreError);
}

TEST_F(StoreTableTest, PasswordEventSuppliesThePasswordOnce)
{
    TableSession lazy(QStringLiteral("Lazy"));
    int asked = 0;
    lazy.onPassword = [&](TableSession& s, bool& retry) {
        ++asked;
        s.addPassword(kPassword);
        retry = true;
    };
    StoreTable a(lazy, dir.path(), QStringLiteral("T"));
    a.open();
    a.close();
    a.open();
    EXPECT_EQ(asked, 1);
    lazy.forgetAllPasswords();
    EXPECT_FALSE(lazy.hasPassword());
}

TEST_F(StoreTableTest, DamagedForeignAndEmptyFilesFailTheOpen)
{
    const QString dat = dir.filePath(QStringLiteral("T.Dat"));
    const QString idx = dir.filePath(QStringLiteral("T.Idx"));
    struct Damage
    {
        const char* name;
        std::function<void()> apply;
    };
    QFile::copy(dat, dat + ".good");
    QFile::copy(idx, idx + ".good");
    auto restore = [&] {
        QFile::remove(dat);
        QFile::remove(idx);
        QFile::copy(dat + ".good", dat);
        QFile::copy(idx + ".good", idx);
    };
    auto writeFile = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    const Damage damages[] = {
        {"EmptyData", [&] { writeFile(dat, {}); }},
        {"GarbageData", [&] { writeFile(dat, QByteArray(8192, 'x')); }},
        {"TruncatedData", [&] { QFile::resize(dat, 100); }},
        {"EmptyDescriptor", [&] { writeFile(idx, {}); }},
        {"ForeignDescriptor", [&] { writeFile(idx, "{\"format\":\"other\"}"); }},
        {"MissingDescriptor", [&] { QFile::remove(idx); }},
    };
    for (const Damage& d : damages) {
        restore();
        d.apply();
        StoreTable t(session, dir.path(), QStringLiteral("T"));
        EXPECT_THROW(t.open(), StoreError) << d.name;
        EXPECT_FALSE(t.isOpen()) << d.name;
    }
    restore();
    EXPECT_NO_THROW(openTable());
}

TEST_F(StoreTableTest, ExclusiveOpenInAnotherProcessRefusesAfterRetries)
{
    QProcess* holder = startHolder({QStringLiteral("hold")}, "ready");
    QElapsedTimer timer;
    timer.start();
    StoreTable second(session, dir.path(), QStringLiteral("T"));
    EXPECT_THROW(second.open(), StoreError);
    // 15 retries 100 ms apart.
    EXPECT_GE(timer.elapsed(), 1400);
    StoreTable shared(session, dir.path(), QStringLiteral("T"));
    shared.setExclusive(false);
    EXPECT_THROW(shared.open(), StoreError);
    kill(holder);
    EXPECT_NO_THROW(second.open());
}

TEST_F(StoreTableTest, SharedOpensCoexistAndExcludeExclusive)
{
    auto a = openTable(false);
    auto b = openTable(false);
    EXPECT_TRUE(a->isOpen() && b->isOpen());
    session.lockRetryCount = 1;
    StoreTable c(session, dir.path(), QStringLiteral("T"));
    c.setExclusive(true);
    EXPECT_THROW(c.open(), StoreError);
}

TEST_F(StoreTableTest, APostSurvivesTheProcessBeingKilled)
{
    QProcess* writer = startHolder({QStringLiteral("post"), QStringLiteral("4242")}, "posted");
    kill(writer);
    auto t = openTable();
    EXPECT_EQ(t->cursor().recordCount(), 1);
    EXPECT_EQ(t->cursor().asInteger(QStringLiteral("N")), 4242);
}

TEST_F(StoreTableTest, ATableOnAReadOnlyFileSystemFailsToOpenForWriting)
{
    // The holder opens the table inside a mount namespace of its own, where the folder is
    // mounted read-only; where this machine allows no such namespace the test cannot run.
    QProcess probe;
    probe.start(QStringLiteral("unshare"), {QStringLiteral("-m"), QStringLiteral("true")});
    if (!probe.waitForFinished(5000) || probe.exitStatus() != QProcess::NormalExit ||
        probe.exitCode() != 0)
        GTEST_SKIP() << "no mount namespaces here";
    const QString script =
        QStringLiteral("mount --bind -o ro \"$1\" \"$1\" && exec \"$2\" \"$1\" T hold");
    QProcess holder;
    holder.start(QStringLiteral("unshare"),
                 {QStringLiteral("-m"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                  QStringLiteral("sh"), dir.path(), QStringLiteral(MX_HOLDER_PATH)});
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitCode(), 1);
    EXPECT_TRUE(holder.readAllStandardError().contains("read-only"));
}

TEST_F(StoreTableTest, ARequiredFieldMissingOrOfAnotherTypeFailsTheOpen)
{
    StoreTable t(session, dir.path(), QStringLiteral("T"));
    t.setRequiredFields({{QStringLiteral("N"), FieldType::Integer}});
    EXPECT_NO_THROW(t.open());
    t.close();
    t.setRequiredFields({{QStringLiteral("N"), FieldType::Double}});
    EXPECT_THROW(t.open(), StoreError);
    t.setRequiredFields({{QStringLiteral("Missing"), FieldType::Integer}});
    EXPECT_THROW(t.open(), StoreError);
    EXPECT_FALSE(t.isOpen());
}

namespace {

std::vector<double> numbers(const TableRows& rows)
{
    std::vector<double> out;
    rows.scan([&out](double v) { out.push_back(v); });
    return out;
}

} // namespace

TEST_F(StoreTableTest, ATransactionRollsBackOnAnyExceptionAndKeepsWhatWasCommitted)
{
    auto t = openTable(true);
    TableRows rows(*t, QStringLiteral("Real"));
    rows.append(std::vector<double>{1});
    try {
        Transaction txn(*t);
        rows.append(std::vector<double>{2, 3});
        rows.update(rows.rowsFrom(0, 1).front().rowid, 9);
        throw std::runtime_error("not the store's");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(numbers(rows), std::vector<double>{1});
    EXPECT_FALSE(t->connection().inTransaction());
    {
        Transaction txn(*t);
        rows.append(std::vector<double>{2});
        {
            // An inner guard undoes only its own rows.
            Transaction inner(*t);
            rows.append(std::vector<double>{5});
        }
        rows.append(std::vector<double>{3});
        txn.commit();
    }
    auto reopened = std::make_unique<StoreTable>(session, dir.path(), QStringLiteral("T"));
    t.reset();
    reopened->open();
    EXPECT_EQ(numbers(TableRows(*reopened, QStringLiteral("Real"))), (std::vector<double>{1, 2, 3}));
}

TEST_F(StoreTableTest, AFailedBulkAppendAppendsNothingAndTheTableGoesOn)
{
    auto t = openTable(true);
    TableRows rows(*t, QStringLiteral("Real"));
    rows.append(std::vector<double>{7});
    std::vector<double> many(1000);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = double(i);
    struct Case
    {
        const char* name;
        int code;
        int after;
        const char* reason;
    };
    const Case cases[] = {{"FullAtTheFirstRow", SQLITE_FULL, 0, "full"},
                          {"FullHalfWay", SQLITE_FULL, 500, "full"},
                          {"IoErrorAtTheLastRow", SQLITE_IOERR, 999, "I/O"}};
    for (const Case& c : cases) {
        t->connection().failNext(StoreAccess::Write, c.code, c.after);
        try {
            rows.append(many);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const StoreError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("T: "))) << c.name;
            EXPECT_TRUE(e.message().contains(QLatin1String(c.reason))) << c.name << e.what();
        }
        EXPECT_EQ(rows.count(), 1) << c.name;
        EXPECT_FALSE(t->connection().inTransaction()) << c.name;
    }
    t->connection().failNext(StoreAccess::Read, SQLITE_CORRUPT);
    EXPECT_THROW(rows.rowsFrom(0, 10), StoreError);
    EXPECT_EQ(rows.append(std::vector<double>{8, 9}).size(), 2u);
    EXPECT_EQ(numbers(rows), (std::vector<double>{7, 8, 9}));
}

// The index from positions to rowids against a plain vector, in buckets of 4 rows so that
// every step crosses buckets, empties and joins them.
TEST_F(StoreTableTest, RowPositionsFindEveryRowAfterAppendsAndDeletes)
{
    auto t = openTable(true);
    TableRows rows(*t, QStringLiteral("Real"));
    RowPositions positions(rows, 4);
    positions.rebuild();
    std::vector<double> model;
    double next = 0;
    const auto append = [&](int n) {
        std::vector<double> values;
        for (int i = 0; i < n; ++i)
            values.push_back(next++);
        rows.append(values);
        model.insert(model.end(), values.begin(), values.end());
        positions.appended(n);
    };
    const auto remove = [&](std::size_t at) {
        rows.remove(rows.rowsAfter(std::numeric_limits<qint64>::min(), int(at) + 1).back().rowid);
        model.erase(model.begin() + std::ptrdiff_t(at));
        positions.removed(qint64(at));
    };
    struct Step
    {
        const char* name;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"Append", [&] { append(30); }},
        {"DeleteAtTheStart", [&] { remove(0); }},
        {"DeleteInTheMiddle", [&] { for (int i = 0; i < 6; ++i) remove(9); }},
        {"DeleteAtTheEnd", [&] { remove(model.size() - 1); remove(model.size() - 1); }},
        {"AppendAfterDeletingTheLast", [&] { append(5); }},
        {"PasteInOneTransaction",
         [&] {
             std::vector<double> values(11);
             Transaction txn(*t);
             for (double& v : values)
                 v = next++;
             rows.append(values);
             txn.commit();
             model.insert(model.end(), values.begin(), values.end());
             positions.appended(11);
         }},
        {"AppendWithAGapTheIndexDidNotSee",
         [&] {
             // Rows written, the first deleted again before the index hears of them.
             std::vector<double> values{-1, next, next + 1, next + 2, next + 3, next + 4};
             next += 5;
             rows.remove(rows.append(values).front());
             model.insert(model.end(), values.begin() + 1, values.end());
             positions.appended(5);
         }},
        {"AppendWhileTheStoreRefusesReads",
         [&] {
             t->connection().failNext(StoreAccess::Read, SQLITE_IOERR);
             append(2);
         }},
        {"DeleteAll", [&] { rows.removeAll(); model.clear(); positions.clear(); }},
        {"AppendToTheEmptiedTable", [&] { append(9); }},
    };
    for (const Step& step : steps) {
        step.act();
        // The index kept up to date, one built afresh (with gaps in the rowids or not), and one
        // built three rows at a time, which reads every row counted so far meanwhile.
        RowPositions fresh(rows, 4);
        fresh.rebuild();
        RowPositions sliced(rows, 4);
        sliced.restart();
        while (!sliced.extend(3)) {
            ASSERT_LE(sliced.count(), qint64(model.size())) << step.name;
            const qint64 last = sliced.count() - 1;
            const std::vector<TableRows::Row> page = sliced.rowsAt(last, 1);
            ASSERT_EQ(page.size(), 1u) << step.name << " (sliced) " << last;
            ASSERT_EQ(page.front().value, model[std::size_t(last)]) << step.name << " (sliced) " << last;
        }
        for (RowPositions* index : {&positions, &fresh, &sliced}) {
            const char* which = index == &fresh ? " (fresh) " : index == &sliced ? " (sliced) " : " ";
            for (std::size_t at = model.size(); at-- > 0;) {
                const std::vector<TableRows::Row> page = index->rowsAt(qint64(at), 3);
                ASSERT_EQ(page.size(), std::min<std::size_t>(3, model.size() - at)) << step.name << which << at;
                for (std::size_t i = 0; i < page.size(); ++i)
                    ASSERT_EQ(page[i].value, model[at + i]) << step.name << which << at + i;
            }
            EXPECT_EQ(index->count(), qint64(model.size())) << step.name << which;
            EXPECT_TRUE(index->rowsAt(qint64(model.size()), 3).empty()) << step.name << which;
        }
    }
}
