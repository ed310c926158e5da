#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QSlider;
class QWidget;

namespace mx {

// "Courier New" where installed, otherwise the system's fixed-pitch face, otherwise any
// installed fixed-pitch family, so that columns of digits stay aligned; a pixel size of 0
// keeps the face's default size.
QFont fixedPitchFont(int pixelSize = 0);

// `font` at the given pixel size. A window resolves its fixed-pitch face once and sizes it
// for each control with this, since each resolution asks the font database again.
QFont withPixelSize(QFont font, int pixelSize);

// Centres a top-level window on the primary screen.
void centreOnScreen(QWidget* window);

// Labels under a decimal-places track bar (positions 0 to 11): 0, 2, ..., 10 under their
// marks, named namePrefix + position where a prefix is given, and `floatLabel` under
// position 11. The labels go into the track bar's parent, `top` pixels from its top.
void addDecPosTickLabels(QSlider* trackBar, QLabel* floatLabel, int top,
                         const QString& namePrefix = QString());

// Lays those labels out by the widths of their shown texts in their font, once the
// interface text is applied: each number centred under its mark, the float caption after
// "10" with a blank's room between them, and the track bar shortened where needed so that
// the caption ends at `right` (in the parent's coordinates) at the latest.
void fitDecPosTickLabels(QSlider* trackBar, QLabel* floatLabel, int right);

} // namespace mx
