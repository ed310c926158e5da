#pragma once

class QWidget;

namespace mx {

// Sets the Russian texts of a window, found by its object name ignoring case. A window the
// table does not know keeps its laid-out texts; so does a control the window lacks.
void ApplyInterfaceText(QWidget* window);

} // namespace mx
