#pragma once

#include <QString>

namespace mx {

// What the calculator needs of its window. The main window implements it; tests record.
class CalcHost
{
public:
    virtual ~CalcHost() = default;
    virtual void beep() = 0;
    // Focus to the hidden parking control and key preview on.
    virtual void parkKeyFocus() = 0;
    // Caption of the last-operation indicator.
    virtual void showLastOp(const QString& caption) = 0;
};

} // namespace mx
