#pragma once

#include "tablestore/StoreError.h"
#include "tablestore/StoreTable.h"
#include "tablestore/TableSession.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace mx {

class MessagePort;

// The four files that must exist before the tables are opened, relative to the current
// directory, in the order they are reported.
QStringList defaultDataFileList();

// Appends to `missing` each name of `names` that no file exists for; true when none is.
bool CheckFilesExist(const QStringList& names, QStringList& missing, const QString& baseDir);

// The data module: the store's session, the data folder and the three tables. Created
// before any window; a failure shows one message and the program ends having written
// nothing.
class TdmMxData
{
public:
    TdmMxData(MessagePort& messages, const QStringList& dataFileList,
              const QString& baseDir = QStringLiteral("."));
    ~TdmMxData();
    TdmMxData(const TdmMxData&) = delete;
    TdmMxData& operator=(const TdmMxData&) = delete;

    // What the file check and the opens found.
    struct Opening
    {
        bool filesFound = false;
        std::optional<StoreError> failure; // the open that failed, if any
    };
    // The file check, the password and the opens, showing nothing and touching no widget, so
    // that they may run on a thread of their own before any window exists.
    Opening openTables();
    // The one message for what openTables() found; true when the tables are open.
    bool reportOpening(const Opening& opening);
    // The file check, the password and the opens; false after the message was shown.
    bool DataModuleCreate() { return reportOpening(openTables()); }
    // The one message for a store that cannot be used at start-up; the program then ends.
    void ReportAccessDenied();
    // The message for a table that could not be opened: the access-denied one where a lock
    // held elsewhere may be the cause, else one that names the file and the cause.
    void ReportOpenFailure(const StoreError& error);

    TableSession ssMain{QStringLiteral("MainSession")};
    StoreTable taClassic;
    StoreTable taShare;
    StoreTable taStat;

    // The references the other parts use: set once all three tables are open.
    StoreTable* classic() const { return m_classicRef; }
    StoreTable* share() const { return m_shareRef; }

    const QStringList& MissingFileList() const { return m_missing; }
    // The folder of the tables.
    QString dataDirectory() const;

    // The password of the tables, built at run time.
    static QString tablePassword();

private:
    // The file check of the session's start; the missing names go to MissingFileList().
    bool ssMainStartup();
    void reportMissingFiles();
    QString displayedPath(const QString& file) const;
    static void ssMainPassword(TableSession& session, bool& retry);

    MessagePort& m_messages;
    QStringList m_dataFileList;
    QString m_baseDir;
    QStringList m_missing;
    StoreTable* m_classicRef = nullptr;
    StoreTable* m_shareRef = nullptr;
};

} // namespace mx
