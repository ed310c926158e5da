#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace mx {

// A report's design as data: the page, its bands and their named objects. Positions and
// sizes are in millimetres, a band's objects relative to the band's top left corner.
struct ReportObject
{
    enum Kind { Memo, Line, Picture };
    Kind kind = Memo;
    QString name;
    QRectF rect;
    bool visible = true;
    // Memos: lines of text with [Variable] references, the font (family and point size),
    // the horizontal alignment; a stretching memo grows to the height of its text.
    QStringList lines;
    QString fontFamily = QStringLiteral("Verdana");
    double fontSize = 10;
    bool bold = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool stretch = false;
    // A picture format for memo lines that are numbers ("#,##0.00"); empty shows them as is.
    QString formatStr;
    // For a memo whose lines are a tape's columns: a fixed-pitch face whatever the family.
    bool fixedPitch = false;
    QImage picture;
};

struct ReportBand
{
    enum Kind { ReportTitle, PageHeader, MasterData, PageFooter };
    Kind kind = MasterData;
    QString name;
    double height = 10;
    std::vector<ReportObject> objects;
};

struct ReportPage
{
    // A4 portrait by default.
    double width = 210;
    double height = 297;
    double marginLeft = 20;
    double marginRight = 10;
    double marginTop = 20;
    double marginBottom = 20;
};

struct ReportTemplate
{
    ReportPage page;
    std::vector<ReportBand> bands;
};

} // namespace mx
