// A second process for the table store tests:
//   holder DIR TABLE hold       open exclusively, print "ready", wait until killed
//   holder DIR TABLE post N     open, post N into field "N", print "posted", wait until killed
#include "tablestore/StoreError.h"
#include "tablestore/StoreTable.h"
#include "tablestore/TableSession.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4)
        return 2;
    mx::TableSession session(QStringLiteral("HolderSession"));
    session.addPassword(QStringLiteral("test password"));
    mx::StoreTable table(session, QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    table.setExclusive(true);
    try {
        table.open();
        if (QByteArray(argv[3]) == "post" && argc > 4) {
            table.cursor().edit();
            table.cursor().setValue(QStringLiteral("N"), QByteArray(argv[4]).toLongLong());
            table.cursor().post();
            std::puts("posted");
        } else {
            std::puts("ready");
        }
        std::fflush(stdout);
    } catch (const mx::StoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    for (;;)
        QThread::sleep(1);
}
