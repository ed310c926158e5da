#pragma once

#include "StoreConnection.h"

#include <QString>

#include <sqlcipher/sqlite3.h>

namespace mx {

// A prepared statement of the store, finalized with its scope. Its steps go through the
// connection, which may put an injected fault in their place.
class Statement
{
public:
    Statement(StoreConnection& connection, const QString& sql)
        : m_connection(connection), m_stmt(connection.prepare(sql))
    {
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_stmt != nullptr; }
    sqlite3_stmt* get() const { return m_stmt; }
    int step() { return m_connection.step(m_stmt); }
    void reset() { sqlite3_reset(m_stmt); }

private:
    StoreConnection& m_connection;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace mx
