#include "NumberSeparators.h"

#include <QLocale>

namespace mx {

NumberSeparators NumberSeparators::fromSystemLocale()
{
    return fromLocale(QLocale::system());
}

NumberSeparators NumberSeparators::fromLocale(const QLocale& locale)
{
    NumberSeparators seps;
    const QString dec = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (dec.size() == 1)
        seps.decimal = dec.front();
    if (group.size() == 1 && group.front() != seps.decimal)
        seps.thousands = group.front();
    else if (seps.decimal == QLatin1Char(','))
        seps.thousands = QChar(0x00A0);
    return seps;
}

} // namespace mx
