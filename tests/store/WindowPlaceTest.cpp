#include "store/WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

using namespace mx;

namespace {

// Where a window opens from its stored placement, beside a neighbour at (100, 50) or alone.
TEST(WindowPlaceTest, AStoredCornerOnAScreenIsKeptAndAnyOtherPlacedWithinReach)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    struct Case
    {
        const char* name;
        WindowPlacement stored;
        bool withNeighbour;
        std::optional<QPoint> expected; // none: centred on the screen
    };
    const Case cases[] = {
        {"CornerOnTheScreen", {30, 40, 0}, true, QPoint(30, 40)},
        {"ModeThreeAtTheCorner", {30, 40, 3}, false, QPoint(30, 40)},
        {"CornerOnNoScreen", {-5000, -5000, 0}, true, std::nullopt},
        {"CentredByItsMode", {30, 40, 4}, false, std::nullopt},
        {"NeverPlacedAlone", {0, 0, 0}, false, QPoint(0, 0)},
    };
    QWidget neighbour;
    neighbour.setGeometry(100, 50, 200, 100);
    for (const Case& c : cases) {
        QWidget window;
        window.resize(120, 80);
        window.move(7, 9);
        restoreWindow(window, c.stored, c.withNeighbour ? &neighbour : nullptr);
        const QPoint centred = screen->availableGeometry().center() - window.rect().center();
        EXPECT_EQ(window.pos(), c.expected.value_or(centred)) << c.name;
    }

    // Never placed by the user: on the neighbour's right, or as far right as the screen allows.
    QWidget window;
    window.resize(120, 80);
    restoreWindow(window, {}, &neighbour);
    EXPECT_EQ(window.pos(), QPoint(neighbour.frameGeometry().right() + 8, neighbour.y()));
    neighbour.move(screen->availableGeometry().right() - 150, 50);
    restoreWindow(window, {}, &neighbour);
    EXPECT_EQ(window.x(), screen->availableGeometry().right() - 120);
    // The window system places it (modes 1 and 2): it stays where it is.
    window.move(7, 9);
    restoreWindow(window, {30, 40, 1}, &neighbour);
    EXPECT_EQ(window.pos(), QPoint(7, 9));
}

} // namespace
