#pragma once

#include <QString>

namespace mx {

// What the keypad's setting handlers need the window to show.
class KeypadView
{
public:
    virtual ~KeypadView() = default;
    // The tape with its two keys shown or hidden, the window widened or narrowed to suit.
    virtual void ApplyHistoryLayout() = 0;
    virtual void setTrigCaptions(const QString& sin, const QString& cos, const QString& tg) = 0;
};

} // namespace mx
