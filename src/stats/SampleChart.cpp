#include "SampleChart.h"

#include "texts/ContrastColour.h"

#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>

namespace mx {

namespace {

constexpr double kMargin = 8;
constexpr double kBoxHeight = 36;
// The picture's own hues, as on paper.
const QColor kBarFill(120, 160, 210);
const QColor kBarLine(60, 90, 140);
const QColor kBoxFill(235, 225, 160);
const QColor kMedian(180, 30, 30);
// Lines and shapes that carry meaning need 3:1 against what they stand on (WCAG's contrast
// for graphics); a filled area only needs to stand out from the ground.
constexpr double kLineContrast = 3.0;
constexpr double kFillContrast = 1.5;

QColor blend(const QColor& from, const QColor& to, double share)
{
    auto mix = [share](int a, int b) { return int(a + (b - a) * share + 0.5); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()));
}

} // namespace

SampleChart::SampleChart(std::function<QString(double)> numberText, QWidget* parent)
    : QWidget(parent), m_numberText(std::move(numberText))
{
    setObjectName(QStringLiteral("pbSampleChart"));
    setAccessibleName(QStringLiteral("Гистограмма и диаграмма размаха"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize SampleChart::sizeHint() const
{
    return {400, 360};
}

void SampleChart::setPicture(SamplePicture picture)
{
    m_picture = std::move(picture);
    const BoxPlot& b = m_picture.box;
    setAccessibleDescription(
        m_picture.empty()
            ? QString()
            : QStringLiteral("N = %1, интервалов %2; медиана %3, квартили %4 и %5, выбросов %6")
                  .arg(m_picture.n)
                  .arg(m_picture.bins())
                  .arg(m_numberText(b.median), m_numberText(b.lowerQuartile),
                       m_numberText(b.upperQuartile))
                  .arg(b.outlierCount));
    update();
}

SampleChart::Frame SampleChart::frame(QSizeF size) const
{
    const double line = fontMetrics().height();
    const QRectF inner(kMargin, kMargin, std::max(1.0, size.width() - 2 * kMargin),
                       std::max(1.0, size.height() - 2 * kMargin));
    Frame f;
    f.title = QRectF(inner.left(), inner.top(), inner.width(), line);
    f.scale = QRectF(inner.left(), inner.bottom() - line, inner.width(), line);
    f.box = QRectF(inner.left(), f.scale.top() - 4 - kBoxHeight, inner.width(), kBoxHeight);
    const double barsTop = f.title.bottom() + 6;
    f.bars = QRectF(inner.left(), barsTop, inner.width(), std::max(1.0, f.box.top() - 8 - barsTop));
    return f;
}

double SampleChart::xOf(double value, const QRectF& area) const
{
    const long double range = (long double)m_picture.max - m_picture.min;
    if (!(range > 0))
        return area.center().x();
    return area.left() + double(((long double)value - m_picture.min) / range) * area.width();
}

int SampleChart::barAt(QPoint point) const
{
    if (m_picture.empty())
        return -1;
    const QRectF bars = frame(size()).bars;
    if (point.y() < bars.top() || point.y() > bars.bottom() || point.x() < bars.left() ||
        point.x() > bars.right())
        return -1;
    if (m_picture.bins() == 1)
        return 0;
    // Bars are equally wide: the point's share of the width names the bar.
    const double share = (point.x() - bars.left()) / bars.width();
    return std::clamp(int(share * m_picture.bins()), 0, m_picture.bins() - 1);
}

QString SampleChart::barText(int bar) const
{
    if (bar < 0 || bar >= m_picture.bins())
        return QString();
    const std::size_t i = std::size_t(bar);
    const bool last = bar == m_picture.bins() - 1;
    return QStringLiteral("[%1; %2%3: %4")
        .arg(m_numberText(m_picture.edges[i]), m_numberText(m_picture.edges[i + 1]),
             last ? QStringLiteral("]") : QStringLiteral(")"))
        .arg(m_picture.counts[i]);
}

bool SampleChart::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int bar = barAt(help->pos());
        if (bar >= 0)
            QToolTip::showText(help->globalPos(), barText(bar), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

SampleChart::Colours SampleChart::screenColours(const QPalette& palette)
{
    Colours c;
    c.ground = palette.color(QPalette::Base);
    c.text = palette.color(QPalette::Text);
    c.axis = shadeWithContrast(palette.color(QPalette::Mid), c.ground, kLineContrast);
    c.barLine = shadeWithContrast(kBarLine, c.ground, kLineContrast);
    c.barFill = shadeWithContrast(kBarFill, c.ground, kFillContrast);
    // The box is a pale tint of its hue on a light ground and a dim one on a dark ground, so
    // that the median and the outline keep their contrast on it.
    c.boxFill = relativeLuminance(c.ground) > 0.4 ? kBoxFill : blend(c.ground, kBoxFill, 0.3);
    c.median = shadeWithContrast(kMedian, c.boxFill, kLineContrast);
    return c;
}

SampleChart::Colours SampleChart::paperColours()
{
    return {Qt::white, Qt::black, Qt::gray, kBarFill, kBarLine, kBoxFill, kMedian};
}

void SampleChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, size(), screenColours(palette()));
}

QImage SampleChart::image() const
{
    QImage out(size(), QImage::Format_RGB32);
    QPainter painter(&out);
    paint(painter, size(), paperColours());
    return out;
}

void SampleChart::paint(QPainter& painter, QSizeF size, const Colours& colours) const
{
    painter.fillRect(QRectF(QPointF(0, 0), size), colours.ground);
    painter.setFont(font());
    painter.setPen(colours.text);
    const Frame f = frame(size);
    if (m_picture.empty()) {
        painter.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("Гистограмма и диаграмма размаха появятся\nпосле «Вычислить»."));
        return;
    }
    painter.drawText(f.title, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("N = %1").arg(m_numberText(double(m_picture.n))));
    painter.drawText(f.title, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("наибольший столбец: %1").arg(m_picture.largestCount));
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintBars(painter, f.bars, colours);
    paintBox(painter, f.box, colours);
    painter.setPen(colours.text);
    painter.drawText(f.scale, Qt::AlignLeft | Qt::AlignVCenter, m_numberText(m_picture.min));
    painter.drawText(f.scale, Qt::AlignRight | Qt::AlignVCenter, m_numberText(m_picture.max));
}

void SampleChart::paintBars(QPainter& painter, const QRectF& area, const Colours& colours) const
{
    painter.setPen(QPen(colours.axis, 1));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    const int bins = m_picture.bins();
    const double width = area.width() / bins;
    painter.setPen(QPen(colours.barLine, 1));
    painter.setBrush(colours.barFill);
    for (int i = 0; i < bins; ++i) {
        const qint64 count = m_picture.counts[std::size_t(i)];
        if (count == 0)
            continue;
        // A bar of one value is at least a pixel high, so that no value disappears.
        const double height =
            std::max(1.0, area.height() * double(count) / double(m_picture.largestCount));
        painter.drawRect(QRectF(area.left() + i * width, area.bottom() - height, width, height));
    }
}

void SampleChart::paintBox(QPainter& painter, const QRectF& area, const Colours& colours) const
{
    const BoxPlot& b = m_picture.box;
    const double mid = area.center().y();
    const double q1 = xOf(b.lowerQuartile, area);
    const double q3 = xOf(b.upperQuartile, area);
    const double low = xOf(b.lowerWhisker, area);
    const double high = xOf(b.upperWhisker, area);
    const double boxTop = area.top() + area.height() * 0.2;
    const double boxBottom = area.bottom() - area.height() * 0.2;

    painter.setPen(QPen(colours.text, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(low, mid), QPointF(q1, mid));
    painter.drawLine(QPointF(q3, mid), QPointF(high, mid));
    const double cap = area.height() * 0.15;
    painter.drawLine(QPointF(low, mid - cap), QPointF(low, mid + cap));
    painter.drawLine(QPointF(high, mid - cap), QPointF(high, mid + cap));
    painter.setBrush(colours.boxFill);
    painter.drawRect(QRectF(QPointF(q1, boxTop), QPointF(std::max(q3, q1 + 1), boxBottom)));
    painter.setPen(QPen(colours.median, 2));
    const double median = xOf(b.median, area);
    painter.drawLine(QPointF(median, boxTop), QPointF(median, boxBottom));

    painter.setPen(QPen(colours.text, 1));
    painter.setBrush(Qt::NoBrush);
    for (const double x : b.outliers)
        painter.drawEllipse(QPointF(xOf(x, area), mid), 2.5, 2.5);
}

} // namespace mx
