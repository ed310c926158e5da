#pragma once

#include <QByteArray>
#include <QString>

namespace mx {

// Replaces the contents of the file `path` with `bytes`, or creates it: the bytes go to a new
// temporary file beside the target, every write, the sync to disk and the close are checked,
// and only then is the temporary renamed over the target. On any failure the temporary is
// removed and the target keeps its old contents. A replaced file keeps its permissions; a
// link is followed, so that its target is replaced. Returns the system's error text for the
// failed step, or an empty text on success.
QString replaceFile(const QString& path, const QByteArray& bytes);

} // namespace mx
