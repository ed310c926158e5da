#pragma once

#include "WindowPlacement.h"

class QWidget;

namespace mx {

// Puts a top-level window, before it is shown, where its stored placement says: at the
// stored corner (modes 0 and 3) as long as a screen shows it, else centred on the screen, for
// a screen since disconnected would leave it out of reach; where the window system puts it
// (modes 1 and 2); centred (any other mode). A window never placed by the user (its corner at
// the origin) opens beside `neighbour`, on its right and within the screen, where one is given.
void restoreWindow(QWidget& window, const WindowPlacement& placement, const QWidget* neighbour = nullptr);

} // namespace mx
