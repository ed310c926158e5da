#pragma once

#include <QColor>

namespace mx {

// The contrast that text needs against its ground to be read by most people with low
// vision (WCAG 2, level AA for normal text).
inline constexpr double kTextContrast = 4.5;

// The relative luminance of an sRGB colour as WCAG 2 defines it, from 0 (black) to 1 (white),
// of the 8-bit colour a screen shows.
double relativeLuminance(const QColor& colour);

// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter of the two: 1 for equal colours, 21 for black
// on white.
double contrastRatio(const QColor& a, const QColor& b);

// A shade of `colour` with at least `minimum` contrast to `background`: the same hue and
// saturation, the lightness moved as little as it takes, darker or lighter, whichever is
// nearer. `colour` itself where it has the contrast already. Where no shade of the hue reaches
// it (a mid-grey ground and a high minimum), the end of the lightness scale with the most
// contrast. The result is opaque and exact in 8 bits, as painted.
QColor shadeWithContrast(const QColor& colour, const QColor& background, double minimum);

} // namespace mx
