#include "WindowPlace.h"

#include "texts/WindowLook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace mx {

namespace {

void placeBeside(QWidget& window, const QWidget& neighbour)
{
    const QRect beside = neighbour.frameGeometry();
    QPoint at(beside.right() + 8, beside.top());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        if (at.x() + window.width() > area.right())
            at.setX(std::max(area.left(), area.right() - window.width()));
    }
    window.move(at);
}

} // namespace

void restoreWindow(QWidget& window, const WindowPlacement& placement, const QWidget* neighbour)
{
    switch (placement.mode) {
    case 0:
    case 3: {
        const QPoint corner(placement.left, placement.top);
        if (corner == QPoint(0, 0) && neighbour)
            placeBeside(window, *neighbour);
        else if (QGuiApplication::screenAt(corner + QPoint(20, 20)))
            window.move(corner);
        else
            centreOnScreen(&window);
        break;
    }
    case 1:
    case 2:
        break; // the window system places the window
    default:
        centreOnScreen(&window);
        break;
    }
}

} // namespace mx
