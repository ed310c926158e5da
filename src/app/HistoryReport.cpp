#include "HistoryReport.h"

#include "report/Report.h"

#include <QPainter>

namespace mx {

namespace {

constexpr double kContentWidth = 180; // 210 mm less the margins 20 and 10

ReportObject memo(const char* name, const QString& text, QRectF rect, Qt::Alignment align)
{
    ReportObject o;
    o.kind = ReportObject::Memo;
    o.name = QLatin1String(name);
    o.lines = QStringList{text};
    o.rect = rect;
    o.alignment = align;
    return o;
}

ReportObject line(const char* name, double y)
{
    ReportObject o;
    o.kind = ReportObject::Line;
    o.name = QLatin1String(name);
    o.rect = QRectF(0, y, kContentWidth, 0);
    return o;
}

// The product's mark, 32 x 32: a keypad key with the letter M.
QImage productMark()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2a, 0x5d, 0xb0));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setPen(Qt::white);
    QFont f;
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("M"));
    return image;
}

} // namespace

std::shared_ptr<Report> makeHistoryReport()
{
    ReportTemplate t; // A4 portrait, margins 20/10/20/20 mm

    ReportBand title{ReportBand::ReportTitle, QStringLiteral("ReportTitle1"), 14, {}};
    ReportObject mark;
    mark.kind = ReportObject::Picture;
    mark.name = QStringLiteral("Picture1");
    mark.rect = QRectF(kContentWidth / 2 - 4.25, 0, 8.5, 8.5);
    mark.picture = productMark();
    title.objects.push_back(mark);
    title.objects.push_back(memo("Memo1", QStringLiteral("[AppName]"), {0, 2, 80, 6}, Qt::AlignLeft));
    title.objects.push_back(memo("Memo2", QStringLiteral("[SiteName]"), {100, 2, 80, 6}, Qt::AlignRight));
    ReportObject calcName = memo("Memo3", QStringLiteral("[CalcName]"), {50, 2, 80, 6}, Qt::AlignHCenter);
    calcName.visible = false;
    title.objects.push_back(calcName);
    title.objects.push_back(line("Line1", 11));

    ReportBand header{ReportBand::PageHeader, QStringLiteral("PageHeader1"), 10, {}};
    header.objects.push_back(line("PageTopLine", 0));
    header.objects.push_back(memo("lbPageHeader", QStringLiteral("[PageHeader]"), {0, 2, kContentWidth, 6}, Qt::AlignHCenter));

    ReportBand data{ReportBand::MasterData, QStringLiteral("MasterData1"), 6, {}};
    ReportObject history = memo("meHistory", QString(), {0, 0, kContentWidth, 5}, Qt::AlignRight);
    history.lines.clear();
    history.fontFamily = QStringLiteral("Courier New");
    history.fixedPitch = true;
    history.stretch = true;
    data.objects.push_back(history);

    ReportBand footer{ReportBand::PageFooter, QStringLiteral("PageFooter1"), 10, {}};
    footer.objects.push_back(line("Line2", 1));
    footer.objects.push_back(memo("Memo4", QStringLiteral("[DATE] [TIME]"), {0, 3, kContentWidth, 6}, Qt::AlignHCenter));
    footer.objects.push_back(memo("Memo5", QStringLiteral("[PAGE#] of [TOTALPAGES#]"), {100, 3, 80, 6}, Qt::AlignRight));

    t.bands = {title, header, data, footer};
    auto report = std::make_shared<Report>(std::move(t));
    report->beforePageHeader = [](Report& r, int page) {
        ReportObject* topLine = r.findObject(QStringLiteral("PageTopLine"));
        ReportObject* caption = r.findObject(QStringLiteral("lbPageHeader"));
        const QString size = page == 1 ? QStringLiteral("PageHeaderFirstFontSize")
                                       : QStringLiteral("PageHeaderNextFontSize");
        if (topLine)
            topLine->visible = page != 1;
        if (caption)
            caption->fontSize = double(r.variables().value(size).toLongLong());
    };
    return report;
}

} // namespace mx
