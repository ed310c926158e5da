#pragma once

#include <QChar>

namespace mx {

// Decimal and thousands separators used to show and type numbers. They come from the
// system locale in the program and are injected everywhere, so tests can choose them.
struct NumberSeparators
{
    QChar decimal = QLatin1Char('.');
    QChar thousands = QLatin1Char(',');

    static NumberSeparators fromSystemLocale();
};

} // namespace mx
