#pragma once

#include "CaptionRole.h"
#include "ContrastColour.h"

#include <QColor>
#include <QObject>
#include <QPalette>

#include <map>
#include <vector>

class QPushButton;

namespace mx {

// The contrast a key's caption colour is chosen for, a quarter above kTextContrast: the thin
// strokes of a small caption ("*", ",") are smoothed, and even their darkest (or lightest)
// pixels fall short of the caption colour by up to a fifth of its contrast.
inline constexpr double kCaptionContrast = 5.7;

// The one place that decides the keys' caption colours. Each role keeps its hue; its
// lightness is chosen against the ground the button really shows under its palette and
// style, to a contrast of at least kCaptionContrast, light, dark or high-contrast alike. The
// colours are chosen again whenever a button's palette, style or size or the desktop theme
// changes, so a theme switched while the program runs recolours the keys.
class CaptionColours : public QObject
{
public:
    explicit CaptionColours(QObject* parent = nullptr);

    // The role's designed colour: pure red, fuchsia and blue, and a middle green.
    static QColor designed(CaptionRole role);
    // The role's caption colour on `ground`: the designed colour where it reaches the
    // contrast, otherwise the nearest shade of its hue that does.
    static QColor resolve(CaptionRole role, const QColor& ground);
    // The darkest and the lightest of the ground a push button's style paints behind its
    // caption, in one colour group; the palette's button colour where the style paints none.
    struct Grounds
    {
        QColor darkest;
        QColor lightest;
    };
    static Grounds captionGround(const QPushButton* button, QPalette::ColorGroup group);
    // The role's caption colour with the contrast to every colour between the two grounds.
    static QColor resolve(CaptionRole role, const Grounds& grounds);

    // Colours the caption of `button` by `role`, now and on every later change. The active
    // and inactive captions take the role's colour; a disabled key keeps the palette's
    // disabled look.
    void assign(QPushButton* button, CaptionRole role);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(QPushButton* button);
    // The caption colour of `role` on `button` in `group`, looked up before it is computed:
    // the keys come in a few sizes on one style and palette, and reading the style's ground
    // means painting a bevel.
    QColor colourFor(const QPushButton* button, QPalette::ColorGroup group, CaptionRole role);

    // What the ground and so the colour depends on: the style, the button's size, flatness
    // and line height, the colour group and every colour of the palette but the caption's.
    using Key = std::vector<quint64>;
    std::map<Key, QColor> m_resolved;
    bool m_applying = false;
};

} // namespace mx
