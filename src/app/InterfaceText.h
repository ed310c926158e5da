#pragma once

#include <QString>

#include <span>

class QWidget;

namespace mx {

// One run-time text of a window: the caption or the hint of a control, or the window's own
// caption when the control is empty.
struct InterfaceTextEntry
{
    enum Kind { Caption, Hint };
    const char* window;
    const char* control;
    Kind kind;
    const char16_t* text;
};

std::span<const InterfaceTextEntry> interfaceTextTable();

// Sets the Russian texts of a window, found by its object name ignoring case. A window the
// table does not know keeps its laid-out texts; so does a control the window lacks.
void ApplyInterfaceText(QWidget* window);

// The product's title, web site and support address, kept in one place.
QString productTitle();
QString productSite();
QString supportAddress();

} // namespace mx
