#pragma once

#include <QString>

class QTemporaryDir;

namespace mx::bench {

// A fresh data folder in `dir`, made by the program's own tool; its base directory.
QString makeDataFolder(QTemporaryDir& dir);
// Fills Stat with `count` numbers (0, 0.5, 1, ...) in one transaction, straight through
// SQLCipher.
void fillStat(const QString& base, int count);

} // namespace mx::bench
