#pragma once

#include "ReportTemplate.h"
#include "ReportVariables.h"
#include "engine/NumberText.h"

#include <QFont>
#include <QImage>

#include <functional>
#include <optional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace mx {

// One laid-out element of a prepared page, in millimetres from the page's top left corner.
struct PreparedItem
{
    ReportObject::Kind kind = ReportObject::Memo;
    QRectF rect;
    QString text; // one line of a memo, its variables substituted
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    QImage picture;
};

struct PreparedPage
{
    std::vector<PreparedItem> items;
};

// A report: its template, its variables and the per-page script, prepared into pages and
// drawn onto any painter (screen, printer, PDF, image). A stretching memo longer than a page
// continues on the next ones; a line is never cut in half.
class Report
{
public:
    explicit Report(ReportTemplate design = {}) : m_design(std::move(design)) {}

    ReportTemplate& design() { return m_design; }
    const ReportTemplate& design() const { return m_design; }
    ReportVariables& variables() { return m_variables; }

    // The separators with which a memo of a picture format reads and writes its numbers.
    void setNumbers(const NumberText& numbers) { m_numbers = numbers; }
    const NumberText& numbers() const { return m_numbers; }

    // The object of that name in any band (names compared without regard to case).
    ReportObject* findObject(const QString& name);

    // Run before each page header is laid out, with the page's number from 1.
    std::function<void(Report&, int page)> beforePageHeader;

    // Discards the pages of any earlier run and lays the report out again.
    void prepare();
    const std::vector<PreparedPage>& pages() const { return m_pages; }
    int pageCount() const { return int(m_pages.size()); }

    // Draws page `index` (from 0) with `pixelsPerMm` device pixels to the millimetre.
    void renderPage(QPainter& painter, int index, double pixelsPerMm) const;
    QImage pageImage(int index, double dotsPerInch) const;
    // Told after each page how many of how many are done; false cancels the export.
    using Progress = std::function<bool(int done, int total)>;
    // Every page to a PDF file, written beside it first and put in its place only when whole;
    // false when it cannot be written (`error` says why) or was cancelled (`error` empty).
    // Reads the prepared pages alone, so it may run on a worker thread while the report is
    // not prepared again.
    bool exportPdf(const QString& path, QString* error = nullptr,
                   const Progress& progress = {}) const;
    // Pages `from` to `to` (from 1; 0 for all) to a printer or any other paged device.
    void print(QPagedPaintDevice& device, int from = 0, int to = 0) const;

    // The first page from `fromPage` (0-based) on that shows the text, without regard to
    // case, and the item that holds it.
    struct Found
    {
        int page;
        QRectF rect;
    };
    std::optional<Found> find(const QString& text, int fromPage) const;

    // The font an object is drawn in: its family where installed, otherwise the closest the
    // system has; a fixed-pitch object always in a fixed-pitch face.
    static QFont resolveFont(const ReportObject& object);

private:
    ReportTemplate m_design;
    NumberText m_numbers;
    ReportVariables m_variables;
    std::vector<PreparedPage> m_pages;
};

} // namespace mx
