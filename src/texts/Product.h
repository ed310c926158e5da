#pragma once

#include <QString>

namespace mx {

// The product's name, version, web site and support address, kept in one place (the build
// passes the version, the site and the address, which the package lists too).
QString productName();
QString productVersion();
// The name and version as the about dialog and the main window's caption show them.
QString productTitle();
QString productSite();
QString supportAddress();

} // namespace mx
