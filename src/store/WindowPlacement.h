#pragma once

#include <optional>

namespace mx {

class StoreTable;

// Where a window was left, as the share table keeps it: its top-left corner in screen
// pixels, and for the main window a placement mode (0 and 3 at that corner, 1 and 2 where the
// window system puts it, any other centred on the screen).
struct WindowPlacement
{
    int left = 0;
    int top = 0;
    int mode = 0;
};

// The fields of the share table's record that keep one window's placement.
struct PlacementFields
{
    const char* left;
    const char* top;
    const char* mode; // nullptr: the window has no placement mode
};

inline constexpr PlacementFields kMainWindowPlacement{"MainWinLeft", "MainWinTop", "MainWinPosition"};
inline constexpr PlacementFields kStatWindowPlacement{"StatWinLeft", "StatWinTop", nullptr};

// The placement the share table's record holds; none when the table is missing or closed.
std::optional<WindowPlacement> readPlacement(const StoreTable* share, const PlacementFields& fields);
// Writes a window's corner into the record, which the caller has put into edit state; the
// mode, where there is one, becomes 0: at that corner next time.
void writePlacement(StoreTable& share, const PlacementFields& fields, int left, int top);

} // namespace mx
