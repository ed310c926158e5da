#include "files/FileFault.h"
#include "files/ReplaceFile.h"
#include "texts/QuotedText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace mx;

TEST(QuotedText, ControlCharactersShowAndLongTextsEndInAnEllipsis)
{
    const struct
    {
        const char* name;
        QString text;
        int max;
        QString shown;
    } rows[] = {
        {"Plain", QStringLiteral("12,5"), 40, QStringLiteral("12,5")},
        {"NulAndLineBreaks", QString::fromUtf16(u"12\0 34\n5\r", 9), 40,
         QString::fromUtf16(u"12\u2400 34\u240a5\u240d")},
        {"TabAndDelete", QString::fromUtf16(u"a\tb\x7f"), 40, QString::fromUtf16(u"a\u2409b\u2421")},
        {"BidiOverrideAndLineSeparator", QString::fromUtf16(u"1\u202e2\u2028"), 40,
         QString::fromUtf16(u"1\ufffd2\ufffd")},
        {"CutAtTheLimit", QStringLiteral("1234567890"), 5, QString::fromUtf16(u"1234\u2026")},
        {"ExactlyTheLimit", QStringLiteral("12345"), 5, QStringLiteral("12345")},
        {"PairNotSplitByTheCut", QString::fromUtf16(u"123\U0001F600xyz"), 5,
         QString::fromUtf16(u"123\u2026")},
        {"LoneSurrogate", QString(QChar(0xd800)) + QLatin1Char('1'), 40,
         QString::fromUtf16(u"\ufffd1")},
    };
    for (const auto& r : rows)
        EXPECT_EQ(quotedText(r.text, r.max), r.shown) << r.name;
}

TEST(FileFault, TheCauseComesFromThePathBeforeALeftOverErrno)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = dir.filePath(QStringLiteral("file.csv"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const struct
    {
        const char* name;
        QString path;
        bool writing;
        int savedErrno;
        FileFault fault;
    } rows[] = {
        {"ReadMissing", dir.filePath(QStringLiteral("none.csv")), false, 0, FileFault::Missing},
        {"WriteIntoAMissingFolder", dir.filePath(QStringLiteral("none/a.csv")), true, 0,
         FileFault::Missing},
        {"FolderInPlaceOfAFile", folder, false, 0, FileFault::NotAFile},
        {"FullDiskByErrno", file, true, ENOSPC, FileFault::DiskFull},
        {"ReadOnlyByErrno", file, true, EROFS, FileFault::ReadOnly},
        {"LeftOverNotFoundIgnoredForAFileThatIsThere", file, true, ENOENT, FileFault::Io},
        {"UnknownCodeReadsAsInputOutput", file, false, EINVAL, FileFault::Io},
    };
    for (const auto& r : rows)
        EXPECT_EQ(fileFaultOf(r.path, r.writing, r.savedErrno), r.fault) << r.name;

    // Every cause has a Russian sentence; a message names the file safely.
    for (FileFault fault : {FileFault::Other, FileFault::Locked, FileFault::Missing,
                            FileFault::Damaged, FileFault::NotAFile, FileFault::ReadOnly,
                            FileFault::DiskFull, FileFault::NoAccess, FileFault::Io})
        EXPECT_FALSE(fileFaultText(fault).contains(QRegularExpression(QStringLiteral("[A-Za-z]"))));
    EXPECT_EQ(fileFailureMessage(QStringLiteral("Файл «%1» не прочитан."),
                                 QString::fromUtf16(u"/tmp/a\nb.csv"), FileFault::Missing),
              QString::fromUtf16(u"Файл «a\u240ab.csv» не прочитан.\r\rФайл не найден."));
}

TEST(ReplacingFile, ADroppedFileLeavesTheTargetAndNoTemporary)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.csv"));
    ASSERT_EQ(replaceFile(path, "old"), QString());
    {
        ReplacingFile file(path);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("new, never committed"));
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.csv"});
    EXPECT_EQ(replaceFile(dir.path(), "x"), fileFaultText(FileFault::NotAFile));
}
