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
    return QStringLiteral(MX_SITE);
}

QString supportAddress()
{
    return QStringLiteral(MX_SUPPORT_ADDRESS);
}

} // namespace mx
