#include "Report.h"

#include "engine/NumberText.h"
#include "engine/PictureFormat.h"
#include "files/ReplaceFile.h"
#include "texts/WindowLook.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QBuffer>

#include <cmath>

namespace mx {

namespace {

constexpr double kMmPerInch = 25.4;

// Text is measured at this resolution, so that the layout does not depend on the screen.
constexpr double kLayoutDpi = 600;

const QPaintDevice& layoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dpm = int(std::lround(kLayoutDpi / kMmPerInch * 1000));
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        return image;
    }();
    return device;
}

double lineHeightMm(const QFont& font)
{
    return QFontMetricsF(font, &layoutDevice()).lineSpacing() * kMmPerInch / kLayoutDpi;
}

// A memo line that is a number, shown in the memo's picture format; other lines as they are.
QString formatted(const ReportObject& o, const QString& line, const NumberText& numbers)
{
    if (o.formatStr.isEmpty())
        return line;
    const NumberRead r = numbers.read(line);
    return r.ok() ? numbers.picture(r.value, o.formatStr) : line;
}

class Layout
{
public:
    Layout(Report& report, std::vector<PreparedPage>& pages) : m_report(report), m_pages(pages) {}

    void run()
    {
        const ReportTemplate& d = m_report.design();
        startPage();
        for (const ReportBand& band : d.bands)
            if (band.kind == ReportBand::MasterData)
                masterBand(band);
        finishPage();
    }

    // Page numbers are known only once every page is laid out.
    void substitute()
    {
        const int total = int(m_pages.size());
        for (std::size_t p = 0; p < m_pages.size(); ++p)
            for (PreparedItem& item : m_pages[p].items)
                if (item.kind == ReportObject::Memo)
                    item.text = m_report.variables().substitute(item.text, int(p) + 1, total);
    }

private:
    const ReportBand* band(ReportBand::Kind kind) const
    {
        for (const ReportBand& b : m_report.design().bands)
            if (b.kind == kind)
                return &b;
        return nullptr;
    }

    double footerTop() const
    {
        const ReportPage& p = m_report.design().page;
        const ReportBand* footer = band(ReportBand::PageFooter);
        return p.height - p.marginBottom - (footer ? footer->height : 0);
    }

    void startPage()
    {
        m_pages.emplace_back();
        const ReportPage& p = m_report.design().page;
        m_y = p.marginTop;
        const int number = int(m_pages.size());
        if (number == 1)
            if (const ReportBand* title = band(ReportBand::ReportTitle))
                placeBand(*title);
        if (m_report.beforePageHeader)
            m_report.beforePageHeader(m_report, number);
        if (const ReportBand* header = band(ReportBand::PageHeader))
            placeBand(*header);
    }

    void finishPage()
    {
        if (const ReportBand* footer = band(ReportBand::PageFooter)) {
            m_y = footerTop();
            placeBand(*footer);
        }
    }

    // A band of fixed height: every visible object at its place.
    void placeBand(const ReportBand& b)
    {
        for (const ReportObject& o : b.objects)
            if (o.visible)
                place(o, m_y, o.lines.join(QLatin1Char(' ')));
        m_y += b.height;
    }

    void place(const ReportObject& o, double bandTop, const QString& text,
               const QFont* font = nullptr)
    {
        const ReportPage& p = m_report.design().page;
        PreparedItem item;
        item.kind = o.kind;
        item.rect = o.rect.translated(p.marginLeft, bandTop);
        item.text = o.kind == ReportObject::Memo ? formatted(o, text, m_report.numbers()) : QString();
        item.font = font ? *font : Report::resolveFont(o);
        item.alignment = o.alignment;
        item.picture = o.picture;
        m_pages.back().items.push_back(std::move(item));
    }

    // The data band, printed once for the one record of its data set: its stretching memo
    // flows line by line over as many pages as it needs.
    void masterBand(const ReportBand& b)
    {
        const ReportObject* memo = nullptr;
        for (const ReportObject& o : b.objects) {
            if (!o.visible)
                continue;
            if (o.kind == ReportObject::Memo && o.stretch && !memo)
                memo = &o;
            else
                place(o, m_y, o.lines.join(QLatin1Char(' ')));
        }
        const double bandTop = m_y;
        if (!memo) {
            m_y += b.height;
            return;
        }
        const QFont font = Report::resolveFont(*memo);
        const double lineHeight = lineHeightMm(font);
        double y = bandTop + memo->rect.top();
        for (const QString& line : memo->lines) {
            if (y + lineHeight > footerTop() + 1e-9 && y > m_report.design().page.marginTop) {
                finishPage();
                startPage();
                y = m_y;
            }
            ReportObject one = *memo;
            one.rect = QRectF(memo->rect.left(), 0, memo->rect.width(), lineHeight);
            place(one, y, line, &font);
            y += lineHeight;
        }
        m_y = std::max(bandTop + b.height, y);
    }

    Report& m_report;
    std::vector<PreparedPage>& m_pages;
    double m_y = 0;
};

} // namespace

ReportObject* Report::findObject(const QString& name)
{
    for (ReportBand& band : m_design.bands)
        for (ReportObject& o : band.objects)
            if (o.name.compare(name, Qt::CaseInsensitive) == 0)
                return &o;
    return nullptr;
}

QFont Report::resolveFont(const ReportObject& o)
{
    QFont font;
    if (o.fixedPitch) {
        font = fixedPitchFont();
    } else {
        font = QFont(o.fontFamily);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSizeF(o.fontSize > 0 ? o.fontSize : 10);
    font.setBold(o.bold);
    font.setItalic(o.italic);
    return font;
}

void Report::prepare()
{
    m_pages.clear();
    Layout layout(*this, m_pages);
    layout.run();
    layout.substitute();
}

void Report::renderPage(QPainter& painter, int index, double pixelsPerMm) const
{
    if (index < 0 || index >= pageCount())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const PreparedItem& item : m_pages[std::size_t(index)].items) {
        const QRectF r(item.rect.left() * pixelsPerMm, item.rect.top() * pixelsPerMm,
                       item.rect.width() * pixelsPerMm, item.rect.height() * pixelsPerMm);
        switch (item.kind) {
        case ReportObject::Line:
            painter.setPen(QPen(Qt::black, std::max(1.0, 0.25 * pixelsPerMm)));
            painter.drawLine(QPointF(r.left(), r.top()), QPointF(r.right(), r.top()));
            break;
        case ReportObject::Picture:
            if (!item.picture.isNull()) {
                const QSizeF size = QSizeF(item.picture.size()).scaled(r.size(), Qt::KeepAspectRatio);
                painter.drawImage(QRectF(r.center() - QPointF(size.width() / 2, size.height() / 2), size),
                                  item.picture);
            }
            break;
        case ReportObject::Memo: {
            painter.setFont(item.font);
            painter.setPen(Qt::black);
            // Placed by hand rather than aligned by the painter, which would drop trailing
            // blanks: a tape line's suffix keeps its columns.
            const QFontMetricsF metrics(item.font, painter.device());
            const double width = metrics.horizontalAdvance(item.text);
            double x = r.left();
            if (item.alignment & Qt::AlignRight)
                x = r.right() - width;
            else if (item.alignment & Qt::AlignHCenter)
                x = r.center().x() - width / 2;
            painter.drawText(QPointF(x, r.top() + metrics.ascent()), item.text);
            break;
        }
        }
    }
    painter.restore();
}

QImage Report::pageImage(int index, double dotsPerInch) const
{
    const double ppm = dotsPerInch / kMmPerInch;
    QImage image(int(std::ceil(m_design.page.width * ppm)), int(std::ceil(m_design.page.height * ppm)),
                 QImage::Format_RGB32);
    const int dpm = int(std::lround(dotsPerInch / kMmPerInch * 1000));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderPage(painter, index, ppm);
    return image;
}

void Report::print(QPagedPaintDevice& device, int from, int to) const
{
    const int first = from > 0 ? from - 1 : 0;
    const int last = to > 0 ? std::min(to, pageCount()) - 1 : pageCount() - 1;
    QPainter painter(&device);
    if (!painter.isActive())
        return;
    // The painter's origin is the paper's corner: the printer's margins are the report's.
    const double ppm = device.logicalDpiX() / kMmPerInch;
    for (int i = first; i <= last; ++i) {
        if (i > first)
            device.newPage();
        renderPage(painter, i, ppm);
    }
}

bool Report::exportPdf(const QString& path, QString* error, const Progress& progress) const
{
    if (error)
        error->clear();
    const QString failed = QStringLiteral("История не сохранена в файл PDF «%1».");
    // Found before the pages are drawn: a file that cannot be written at all.
    ReplacingFile file(path);
    if (!file.open()) {
        if (error)
            *error = fileFailureMessage(failed, path, file.fault());
        return false;
    }
    // The document is made in memory and written whole; a Qt file device would report a
    // full disk as a success on some file systems and leave an empty file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QSizeF(m_design.page.width, m_design.page.height),
                                 QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setCreator(QStringLiteral("Mirvalex"));
    QPainter painter(&writer);
    if (!painter.isActive()) {
        if (error)
            *error = fileFailureMessage(failed, path, FileFault::Other);
        return false;
    }
    const double ppm = writer.resolution() / kMmPerInch;
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        renderPage(painter, i, ppm);
        if (progress && !progress(i + 1, pageCount())) {
            painter.end();
            return false;
        }
    }
    painter.end();
    // A failed write leaves the target as it was.
    const bool written = file.write(pdf.data()) && file.commit();
    if (!written && error)
        *error = fileFailureMessage(failed, path, file.fault());
    return written;
}

std::optional<Report::Found> Report::find(const QString& text, int fromPage) const
{
    if (text.isEmpty())
        return std::nullopt;
    for (int p = std::max(fromPage, 0); p < pageCount(); ++p)
        for (const PreparedItem& item : m_pages[std::size_t(p)].items)
            if (item.kind == ReportObject::Memo && item.text.contains(text, Qt::CaseInsensitive))
                return Found{p, item.rect};
    return std::nullopt;
}

} // namespace mx
