#pragma once

#include <QString>

namespace mx {

// Creates BASEDIR/Data with the three tables: Classic with one record of start settings,
// Share with one record of zeros and Stat empty. Existing files are never overwritten.
// Returns an empty text on success, otherwise what went wrong.
QString createDataFolder(const QString& baseDir);

} // namespace mx
