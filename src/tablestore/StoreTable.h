#pragma once

#include "DescriptorLock.h"
#include "FieldDef.h"
#include "RecordCursor.h"
#include "StoreConnection.h"
#include "StoreError.h"

#include <QString>

#include <memory>

namespace mx {

class TableSession;

// One table of the store: the pair <Name>.Dat (the records, in an encrypted SQLCipher
// database) and <Name>.Idx (the descriptor: format version, field definitions and a check
// of the key) in the database's directory. An open table holds a lock on its descriptor for
// as long as it is open: shared opens coexist, an exclusive open excludes every other.
// It opens and closes the pair and hands out its record cursor, which has the current record;
// writes go to the cursor's record buffer and reach the file on post.
// Every failure throws StoreError.
class StoreTable
{
public:
    StoreTable(TableSession& session, const QString& directory, const QString& name);
    ~StoreTable();
    StoreTable(const StoreTable&) = delete;
    StoreTable& operator=(const StoreTable&) = delete;

    // Creates the two empty files of a table; refuses to overwrite either.
    static void create(TableSession& session, const QString& directory, const QString& name,
                       const FieldList& fields);

    const QString& name() const { return m_name; }
    QString datPath() const;
    QString idxPath() const;

    void setExclusive(bool exclusive) { m_exclusive = exclusive; }
    bool exclusive() const { return m_exclusive; }
    // A read-only table is opened for reading alone and fails at its first post. A table
    // opened for writing fails to open where its data file cannot be written.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    // Fields that the opened table must have, with these types (it may have more); a table
    // without one of them fails to open, so that no later read of a field can fail.
    void setRequiredFields(FieldList fields) { m_required = std::move(fields); }

    void open();
    void close();
    bool isOpen() const { return m_connection.isOpen(); }

    const FieldList& fields() const { return m_fields; }

    // The current record and its edit buffer.
    RecordCursor& cursor() { return m_cursor; }
    const RecordCursor& cursor() const { return m_cursor; }

    // Posts a record left in edit and writes what the store holds in memory to the files.
    void flush();

    // The open data file's connection, for row access and transactions on the same file.
    StoreConnection& connection() { return m_connection; }
    // Another keyed connection to the open table's data file, for work on a thread of its own
    // (a connection is never used by two threads). It takes over the faults injected into
    // connection() and not yet run into.
    std::unique_ptr<StoreConnection> openConnection();
    // The error of the connection's last failed statement, naming the table.
    StoreError storeError() const;

private:
    void requireOpen() const;
    void readDescriptor();
    void openDatabase();
    void checkRequiredFields() const;
    [[noreturn]] void fail(const QString& what,
                           StoreError::Cause cause = StoreError::Cause::Other,
                           const QString& file = QString()) const;

    TableSession& m_session;
    QString m_directory;
    QString m_name;
    bool m_exclusive = false;
    bool m_readOnly = false;
    FieldList m_required;

    // Reads change the connection's error state, also through const members.
    mutable StoreConnection m_connection;
    DescriptorLock m_lock;
    FieldList m_fields;
    RecordCursor m_cursor;
};

} // namespace mx
