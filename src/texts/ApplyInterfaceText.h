#pragma once

class QString;
class QWidget;

namespace mx {

// Sets the Russian texts of a window, found by its object name ignoring case. A window the
// table does not know keeps its laid-out texts; so does a control the window lacks.
void ApplyInterfaceText(QWidget* window);

// Gives a control a hint as the table's hints are given: the pop-up text, shown for as long
// as every hint, and for a control a screen reader cannot name otherwise, its description.
void applyHint(QWidget* control, const QString& text);

} // namespace mx
