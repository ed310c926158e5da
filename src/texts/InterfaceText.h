#pragma once

#include <QString>

#include <span>

namespace mx {

// One run-time text of a window: the caption or the hint of a control, the window's own
// caption when the control is empty, or the text a window shows to explain a control.
struct InterfaceTextEntry
{
    enum Kind { Caption, Hint, Help };
    const char* window;
    const char* control;
    Kind kind;
    const char16_t* text; // "\r" breaks lines
};

std::span<const InterfaceTextEntry> interfaceTextTable();

// The text of a window's control (window name without regard to case), with its line
// breaks; empty when the table has none.
QString interfaceText(const QString& window, const QString& control,
                      InterfaceTextEntry::Kind kind);

} // namespace mx
