#include "CaptionColours.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace mx {

namespace {

constexpr const char* kRoleProperty = "captionRole";

struct RoleColour
{
    CaptionRole role;
    QRgb designed;
};

constexpr RoleColour kRoles[] = {
    {CaptionRole::Red, qRgb(0xff, 0x00, 0x00)},
    {CaptionRole::Fuchsia, qRgb(0xff, 0x00, 0xff)},
    {CaptionRole::Blue, qRgb(0x00, 0x00, 0xff)},
    {CaptionRole::Green, qRgb(0x00, 0x80, 0x00)},
};

} // namespace

CaptionColours::CaptionColours(QObject* parent) : QObject(parent) {}

QColor CaptionColours::designed(CaptionRole role)
{
    for (const RoleColour& r : kRoles) {
        if (r.role == role)
            return QColor(r.designed);
    }
    return QColor(Qt::black);
}

QColor CaptionColours::resolve(CaptionRole role, const QColor& ground)
{
    return shadeWithContrast(designed(role), ground, kCaptionContrast);
}

CaptionColours::Grounds CaptionColours::captionGround(const QPushButton* button,
                                                      QPalette::ColorGroup group)
{
    const QColor fallback = button->palette().color(group, QPalette::Button);
    if (button->width() <= 0 || button->height() <= 0)
        return {fallback, fallback};
    // The bevel alone, as the style paints it for this button: styles lighten or shade the
    // palette's colour and run a gradient down the button (Fusion lightens a dark one by a
    // fifth and more at the top).
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Sunken);
    option.state |= QStyle::State_Raised | QStyle::State_Enabled;
    if (group == QPalette::Active)
        option.state |= QStyle::State_Active;
    else
        option.state &= ~QStyle::State_Active;
    option.palette.setCurrentColorGroup(group);
    if (button->isFlat())
        option.features |= QStyleOptionButton::Flat;
    QImage image(button->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        button->style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, button);
    }
    // Down the middle, over the height of a line of the caption.
    const int half = (button->fontMetrics().height() + 1) / 2;
    const int x = image.width() / 2;
    Grounds grounds{QColor(), QColor()};
    for (int y = std::max(0, image.height() / 2 - half);
         y <= std::min(image.height() - 1, image.height() / 2 + half); ++y) {
        const QColor c = image.pixelColor(x, y);
        if (c.alpha() != 255)
            return {fallback, fallback};
        if (!grounds.darkest.isValid() || relativeLuminance(c) < relativeLuminance(grounds.darkest))
            grounds.darkest = c;
        if (!grounds.lightest.isValid() || relativeLuminance(c) > relativeLuminance(grounds.lightest))
            grounds.lightest = c;
    }
    return grounds.darkest.isValid() ? grounds : Grounds{fallback, fallback};
}

QColor CaptionColours::resolve(CaptionRole role, const Grounds& grounds)
{
    // Against one end of the gradient, then the other: the second step only moves the shade
    // further the same way, away from both.
    const QColor first = resolve(role, grounds.darkest);
    return shadeWithContrast(first, grounds.lightest, kCaptionContrast);
}

void CaptionColours::assign(QPushButton* button, CaptionRole role)
{
    button->setProperty(kRoleProperty, int(role));
    button->installEventFilter(this);
    apply(button);
}

bool CaptionColours::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::ThemeChange:
        // A style or theme may paint other grounds with the same palette.
        m_resolved.clear();
        [[fallthrough]];
    case QEvent::PaletteChange:
    case QEvent::Resize: // the style's gradient spans the button's height
        if (auto* button = qobject_cast<QPushButton*>(watched); button && !m_applying)
            apply(button);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

QColor CaptionColours::colourFor(const QPushButton* button, QPalette::ColorGroup group,
                                 CaptionRole role)
{
    const QPalette& palette = button->palette();
    Key key{quint64(reinterpret_cast<quintptr>(button->style())), quint64(button->width()),
            quint64(button->height()), quint64(button->fontMetrics().height()),
            quint64(button->isFlat()), quint64(group), quint64(role)};
    for (int r = 0; r < QPalette::NColorRoles; ++r) {
        if (r != QPalette::ButtonText)
            key.push_back(palette.color(group, QPalette::ColorRole(r)).rgba64());
    }
    const auto known = m_resolved.find(key);
    if (known != m_resolved.end())
        return known->second;
    const QColor colour = resolve(role, captionGround(button, group));
    m_resolved.emplace(std::move(key), colour);
    return colour;
}

void CaptionColours::apply(QPushButton* button)
{
    const QVariant role = button->property(kRoleProperty);
    if (!role.isValid())
        return;
    QPalette palette = button->palette();
    bool changed = false;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QColor colour = colourFor(button, group, CaptionRole(role.toInt()));
        changed = changed || palette.color(group, QPalette::ButtonText) != colour;
        palette.setColor(group, QPalette::ButtonText, colour);
    }
    // A button that already has its colours (a resize of the same size class, a theme that
    // left the ground as it was) keeps its palette, and no change ripples through it again.
    if (!changed)
        return;
    m_applying = true;
    button->setPalette(palette);
    m_applying = false;
}

} // namespace mx
