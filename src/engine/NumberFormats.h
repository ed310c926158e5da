#pragma once

#include <QString>

namespace mx {

struct BuiltFormats
{
    QString display; // fields: trailing decimal zeros dropped
    QString history; // tape: always DecPos decimals
};

// The display and tape formats for DecPos 0..10 (decimals) or 11 (floating form); any
// other DecPos gives the bare integer format.
BuiltFormats buildNumberFormats(int decPos, bool digitGrouping);

} // namespace mx
