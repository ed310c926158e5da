#include "Product.h"

namespace mx {

QString productName()
{
    return QStringLiteral("Mirvalex");
}

QString productVersion()
{
    return QStringLiteral(MX_VERSION);
}

QString productTitle()
{
    return productName() + QStringLiteral("  ") + productVersion() + QLatin1Char(' ');
}

QString productSite()
{
    return QStringLiteral("https://mirvalex.example.org/");
}

QString supportAddress()
{
    return QStringLiteral("support@mirvalex.example.org");
}

} // namespace mx
