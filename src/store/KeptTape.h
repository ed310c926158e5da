#pragma once

#include "tablestore/StoreTable.h"

#include <QString>

namespace mx {

class TableSession;

// The tape kept between runs: the table "Tape" of the data folder, encrypted like the
// others, made when it is first written. Its one record holds the tape's text, compressed; a
// table that exists means the user keeps the tape. Store failures and a kept text that
// cannot be unpacked throw StoreError.
class KeptTape
{
public:
    KeptTape(TableSession& session, const QString& directory);

    static const QString tableName;
    static FieldList fields();

    // Either file of the table is there.
    bool exists() const;
    // The kept text, opening the table (held exclusively for the run) when needed.
    QString load();
    // Replaces the kept text in one write, creating the table first where there is none.
    void save(const QString& text);
    // Closes the table and deletes its files; false when a file stays.
    bool remove();

private:
    void openOrCreate();

    TableSession& m_session;
    QString m_directory;
    StoreTable m_table;
};

} // namespace mx
