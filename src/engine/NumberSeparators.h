#pragma once

#include <QChar>

class QLocale;

namespace mx {

// Decimal and thousands separators used to show and type numbers. They come from the
// system locale in the program and are injected everywhere, so tests can choose them.
struct NumberSeparators
{
    QChar decimal = QLatin1Char('.');
    QChar thousands = QLatin1Char(',');

    // The shell takes them once at start; the rest of the program receives them.
    static NumberSeparators fromSystemLocale();
    // A one-character decimal separator and a group mark different from it; where the
    // locale has none, "," groups for a "." and a no-break space for a ",".
    static NumberSeparators fromLocale(const QLocale& locale);
};

} // namespace mx
