// Creates the data folder of the calculator: DIR/Data with the tables Classic (one record of
// start settings), Share (one record of zeros) and Stat (empty). Existing files are never
// overwritten.
#include "store/DataFolder.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("mirvalex-initdata: usage: mirvalex-initdata DIR\n", stderr);
        return 1;
    }
    const QString base = QString::fromLocal8Bit(argv[1]);
    const QString error = mx::createDataFolder(base);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "mirvalex-initdata: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("created %s\n", qPrintable(QDir(base).filePath(QStringLiteral("Data"))));
    return 0;
}
