#include "NumberFormats.h"

#include "CalcSettings.h"

namespace mx {

BuiltFormats buildNumberFormats(int decPos, bool digitGrouping)
{
    const QString integer = digitGrouping ? QStringLiteral("###,###,###,###,###,##0")
                                          : QStringLiteral("#################0");
    if (decPos == CalcSettings::kFloatingDecPos) {
        const QString floating = QStringLiteral("0.##########E+0000");
        return {floating, floating};
    }
    if (decPos >= 1 && decPos <= 10) {
        return {integer + QLatin1Char('.') + QString(decPos, QLatin1Char('#')),
                integer + QLatin1Char('.') + QString(decPos, QLatin1Char('0'))};
    }
    return {integer, integer};
}

} // namespace mx
