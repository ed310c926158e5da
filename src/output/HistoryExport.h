#pragma once

#include <QString>
#include <QStringList>

namespace mx {

// Writes the tape's lines, each followed by CR LF, in the system's locale encoding, to
// `path`, replacing it atomically: a failed save leaves any earlier file as it was and no
// partial file behind. Returns the system's error text, or an empty text on success.
QString saveHistoryFile(const QStringList& lines, const QString& path);

} // namespace mx
