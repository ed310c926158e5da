#include "ContrastColour.h"

#include <cmath>
#include <optional>

namespace mx {

namespace {

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The colour of that lightness, as the screen gets it: 8 bits a channel.
QColor atLightness(double hue, double saturation, double lightness)
{
    return QColor(QColor::fromHslF(float(hue), float(saturation), float(lightness)).rgb());
}

// The lightness between `from` and `to` nearest to `from` whose shade passes, found by halving
// the interval: luminance grows with lightness at a fixed hue and saturation, so the shades
// that pass lie together at the `to` end. None when even the `to` end fails.
std::optional<double> nearestPassing(double hue, double saturation, double from, double to,
                                     const QColor& background, double minimum)
{
    auto passes = [&](double l) {
        return contrastRatio(atLightness(hue, saturation, l), background) >= minimum;
    };
    if (!passes(to))
        return std::nullopt;
    double near = from; // fails
    double far = to;    // passes
    for (int i = 0; i < 24; ++i) {
        const double mid = (near + far) / 2;
        (passes(mid) ? far : near) = mid;
    }
    return far;
}

} // namespace

double relativeLuminance(const QColor& colour)
{
    const QRgb rgb = colour.rgb();
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor shadeWithContrast(const QColor& colour, const QColor& background, double minimum)
{
    const QColor shown(colour.rgb());
    if (contrastRatio(shown, background) >= minimum)
        return shown;
    float h = 0;
    float s = 0;
    float l = 0;
    shown.getHslF(&h, &s, &l);
    h = std::max(h, 0.0f); // a grey has no hue (-1); any will do at saturation 0
    const std::optional<double> darker = nearestPassing(h, s, l, 0.0, background, minimum);
    const std::optional<double> lighter = nearestPassing(h, s, l, 1.0, background, minimum);
    if (darker && (!lighter || l - *darker <= *lighter - l))
        return atLightness(h, s, *darker);
    if (lighter)
        return atLightness(h, s, *lighter);
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

} // namespace mx
