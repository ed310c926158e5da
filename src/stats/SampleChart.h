#pragma once

#include "SamplePicture.h"

#include <QWidget>

#include <functional>

namespace mx {

// Paints a SamplePicture: the sample's N above a histogram, the box plot beneath it on the
// same scale (box from quartile to quartile, the median across it, whiskers, outliers as
// points) and the smallest and largest value under the ends of the scale. Hovering a bar
// shows its range and count. Numbers are written by the function it is given. On screen it
// is painted in the colours of its palette, its own hues resolved against the palette's ground.
class SampleChart : public QWidget
{
    Q_OBJECT

public:
    explicit SampleChart(std::function<QString(double)> numberText, QWidget* parent = nullptr);

    void setPicture(SamplePicture picture);
    const SamplePicture& picture() const { return m_picture; }

    // The bar under a point of the widget, or -1.
    int barAt(QPoint point) const;
    // "[a; b): 12": the bar's range, closed at the end for the last bar, and its count.
    QString barText(int bar) const;
    // The picture at the widget's size in black on white, as on paper, whatever the palette:
    // for the clipboard.
    QImage image() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The colours the picture is painted in.
    struct Colours
    {
        QColor ground;
        QColor text;
        QColor axis;
        QColor barFill;
        QColor barLine;
        QColor boxFill;
        QColor median;
    };
    // On screen: the palette's ground and text, the picture's own hues resolved against them.
    static Colours screenColours(const QPalette& palette);
    static Colours paperColours();

    // Where the parts go within a widget of this size.
    struct Frame
    {
        QRectF title;
        QRectF bars;
        QRectF box;
        QRectF scale;
    };
    Frame frame(QSizeF size) const;
    // The horizontal place of a value on the common scale of the bars and the box.
    double xOf(double value, const QRectF& area) const;
    void paint(QPainter& painter, QSizeF size, const Colours& colours) const;
    void paintBars(QPainter& painter, const QRectF& area, const Colours& colours) const;
    void paintBox(QPainter& painter, const QRectF& area, const Colours& colours) const;

    std::function<QString(double)> m_numberText;
    SamplePicture m_picture;
};

} // namespace mx
