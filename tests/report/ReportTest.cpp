#include "app/HistoryReport.h"
#include "report/Report.h"
#include "report/ReportProperty.h"
#include "report/ReportVariables.h"

#include <QFont>
#include <QFontInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace mx {
namespace {

TEST(ReportVariablesTest, EvaluatesQuotedTextsAndIntegersAndSubstitutes)
{
    EXPECT_EQ(ReportVariables::evaluate(QStringLiteral("'Mirvalex  1.0 '")), QStringLiteral("Mirvalex  1.0 "));
    EXPECT_EQ(ReportVariables::evaluate(QStringLiteral("'It''s'")), QStringLiteral("It's"));
    EXPECT_EQ(ReportVariables::evaluate(QStringLiteral(" 10 ")).toInt(), 10);
    EXPECT_FALSE(ReportVariables::evaluate(QStringLiteral("'open")).isValid());
    EXPECT_FALSE(ReportVariables::evaluate(QStringLiteral("'a'b'")).isValid());

    ReportVariables v;
    v.set(QStringLiteral("AppName"), QStringLiteral("'Calc'"));
    v.setNow(QDateTime(QDate(2026, 12, 9), QTime(14, 5, 7)));
    EXPECT_EQ(v.substitute(QStringLiteral("[appname]: [PAGE#] of [TOTALPAGES#] [DATE] [TIME] [Missing] [open"), 2, 5),
              QStringLiteral("Calc: 2 of 5 09.12.2026 14:05:07  [open"));
}

class HistoryReportTest : public testing::Test
{
protected:
    void prepare(int tapeLines)
    {
        QStringList tape;
        for (int i = 0; i < tapeLines; ++i)
            tape << QStringLiteral("    +%1  ").arg(QStringLiteral("%1.00").arg(i + 1), 26);
        lines = tape;
        auto& v = report->variables();
        v.set(QStringLiteral("AppName"), QStringLiteral("'Mirvalex  1.0 '"));
        v.set(QStringLiteral("SiteName"), QStringLiteral("'mirvalex.example.org'"));
        v.set(QStringLiteral("PageHeader"), QStringLiteral("'История вычислений'"));
        v.set(QStringLiteral("PageHeaderFirstFontSize"), QStringLiteral("10"));
        v.set(QStringLiteral("PageHeaderNextFontSize"), QStringLiteral("8"));
        SetReportObjectProperty(*report, QStringLiteral("meHistory"), QStringLiteral("Memo"), tape,
                                [this](const QString& m) { messages << m; });
        report->prepare();
    }

    // The texts of a page's memos, in their order of placement.
    QStringList texts(int page) const
    {
        QStringList out;
        for (const PreparedItem& item : report->pages()[std::size_t(page)].items)
            if (item.kind == ReportObject::Memo)
                out << item.text;
        return out;
    }
    const PreparedItem* itemWithText(int page, const QString& text) const
    {
        for (const PreparedItem& item : report->pages()[std::size_t(page)].items)
            if (item.kind == ReportObject::Memo && item.text == text)
                return &item;
        return nullptr;
    }
    int lineCount(int page) const
    {
        int n = 0;
        for (const PreparedItem& item : report->pages()[std::size_t(page)].items)
            n += item.kind == ReportObject::Line;
        return n;
    }

    std::shared_ptr<Report> report = makeHistoryReport();
    QStringList lines;
    QStringList messages;
};

TEST_F(HistoryReportTest, PaginatesTheTapeWithoutCuttingALine)
{
    for (const int tapeLines : {0, 1, 40, 500}) {
        prepare(tapeLines);
        const int pages = report->pageCount();
        EXPECT_GE(pages, 1);
        EXPECT_EQ(pages > 1, tapeLines > 40) << tapeLines; // forty lines fit one page
        QStringList printed;
        for (int p = 0; p < pages; ++p) {
            for (const PreparedItem& item : report->pages()[std::size_t(p)].items) {
                if (item.kind != ReportObject::Memo || !lines.contains(item.text))
                    continue;
                printed << item.text;
                EXPECT_LE(item.rect.bottom(), 297 - 20 - 10 + 1e-6) << "into the footer";
            }
            EXPECT_TRUE(texts(p).contains(QStringLiteral("%1 of %2").arg(p + 1).arg(pages)));
        }
        EXPECT_EQ(printed, lines) << tapeLines;
        EXPECT_TRUE(texts(0).contains(QStringLiteral("Mirvalex  1.0 ")));
        EXPECT_TRUE(texts(0).contains(QStringLiteral("mirvalex.example.org")));
        EXPECT_FALSE(texts(0).contains(QString())); // the hidden [CalcName] is not placed
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HistoryReportTest, TheFirstPageHeaderHasNoTopLineAndALargerFont)
{
    prepare(500);
    ASSERT_GE(report->pageCount(), 3);
    const QString header = QStringLiteral("История вычислений");
    EXPECT_EQ(itemWithText(0, header)->font.pointSizeF(), 10);
    EXPECT_EQ(itemWithText(1, header)->font.pointSizeF(), 8);
    EXPECT_EQ(itemWithText(2, header)->font.pointSizeF(), 8);
    // Page 1: the title's line and the footer's; later pages: the header's and the footer's.
    EXPECT_EQ(lineCount(0), 2);
    EXPECT_EQ(lineCount(1), 2);
    bool topLine = false;
    for (const PreparedItem& item : report->pages()[1].items)
        topLine |= item.kind == ReportObject::Line && item.rect.top() == 20;
    EXPECT_TRUE(topLine);
    // The tape keeps a fixed-pitch face.
    EXPECT_TRUE(QFontInfo(itemWithText(0, lines.at(0))->font).fixedPitch());
}

TEST(ReportPropertyTest, SetsPropertiesOrSaysWhyNot)
{
    auto report = makeHistoryReport();
    QStringList said;
    auto set = [&](const char* object, const char* property, const QVariant& value) {
        SetReportObjectProperty(*report, QLatin1String(object), QLatin1String(property), value,
                                [&](const QString& m) { said << m; });
    };
    set(" lbPageHeader ", "fontsize", 14);
    set("lbPageHeader", "FontStyle", QVariant::fromValue(QFont(QStringLiteral("Verdana"), 9, QFont::Bold)));
    set("meHistory", "MemoOneLine", QStringLiteral("only"));
    set("Memo1", "FormatStr", QStringLiteral("#,##0.00"));
    set("PageTopLine", "Left", 5);
    EXPECT_TRUE(said.isEmpty()) << qPrintable(said.join(u'|'));
    EXPECT_EQ(report->findObject(QStringLiteral("lbPageHeader"))->fontSize, 14);
    EXPECT_TRUE(report->findObject(QStringLiteral("lbPageHeader"))->bold);
    EXPECT_EQ(report->findObject(QStringLiteral("meHistory"))->lines, QStringList{QStringLiteral("only")});
    EXPECT_EQ(report->findObject(QStringLiteral("PageTopLine"))->rect.left(), 5);

    set("", "Memo", QStringList{});
    set("meHistory", " ", QStringList{});
    set("meHistory", "Memo", QVariant());
    set("nothing", "Memo", QStringList{});
    set("PageTopLine", "FontSize", 3); // a line has no font
    set("meHistory", "Colour", 3);
    EXPECT_EQ(said, (QStringList{"Нет свойства или значения", "Нет свойства или значения",
                                 "Нет свойства или значения", "Объект не найден\rnothing",
                                 "Свойство не найдено or Неизвестный тип\rPageTopLine.FontSize",
                                 "Свойство не найдено or Неизвестный тип\rmeHistory.Colour"}));
}

// The PDF holds the tape's lines in order, with their columns, as pdftotext reads them back.
TEST_F(HistoryReportTest, APdfHoldsTheTapeInOrderWithItsColumns)
{
    prepare(100);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("tape.pdf"));
    ASSERT_TRUE(report->exportPdf(pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000)) << "pdftotext is installed by the set-up";
    const QStringList out = QString::fromUtf8(text.readAllStandardOutput()).split(u'\n');
    // Each page is read on its own (pdftotext starts a page with a form feed): columns are
    // compared within a page.
    std::vector<int> pageOf;
    int page = 0;
    for (const QString& l : out) {
        page += int(l.count(u'\f'));
        pageOf.push_back(page);
    }
    qsizetype at = 0;
    std::map<int, qsizetype> column; // right edge of the tape's lines on each page
    for (const QString& line : lines) {
        const QString value = line.trimmed().mid(1).trimmed(); // "12.00"
        const QRegularExpression row(QStringLiteral("\\+\\s+") + QRegularExpression::escape(value) + u'$');
        while (at < out.size() && !out.at(at).contains(row))
            ++at;
        ASSERT_LT(at, out.size()) << "missing or out of order: " << qPrintable(line);
        const qsizetype right = out.at(at).size();
        const auto [known, fresh] = column.emplace(pageOf[std::size_t(at)], right);
        EXPECT_EQ(right, known->second) << "column moved: " << qPrintable(out.at(at));
        ++at;
    }
    EXPECT_GT(column.size(), 1u);
    EXPECT_TRUE(out.join(u'\n').contains(QStringLiteral("1 of %1").arg(report->pageCount())));
}

// The export writes beside the target and replaces it only when whole: a cancelled export
// leaves the earlier file as it was, and the progress is told every page.
TEST_F(HistoryReportTest, ACancelledPdfKeepsTheEarlierFile)
{
    prepare(200);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("tape.pdf"));
    ASSERT_TRUE(report->exportPdf(pdf));
    const QByteArray before = [&] {
        QFile f(pdf);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_TRUE(before.startsWith("%PDF"));
    std::vector<int> told;
    QString error = QStringLiteral("not cleared");
    const int pages = report->pageCount();
    EXPECT_FALSE(report->exportPdf(pdf, &error, [&told, pages](int done, int total) {
        told.push_back(done);
        EXPECT_EQ(total, pages);
        return done < 2;
    }));
    EXPECT_TRUE(error.isEmpty()) << "a cancel is no error";
    EXPECT_EQ(told, (std::vector<int>{1, 2}));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tape.pdf"});
}

} // namespace
} // namespace mx
