#pragma once

#include "RecordRows.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace mx {

class StoreTable;

enum class RecordState { Browse, Edit, Insert };

// The current record of an open table with its edit buffer. It moves through the records in
// rowid order; edit and append fill the buffer, which reaches the file on post (or is dropped
// by cancel). Every failure throws StoreError naming the table.
class RecordCursor
{
public:
    explicit RecordCursor(StoreTable& table);

    RecordState state() const { return m_state; }

    // Browse to edit; on a table without a current record this starts a new one.
    void edit();
    void append();
    void post();
    void cancel();
    void deleteRecord();
    void emptyTable();

    qint64 recordCount() const;
    bool hasRecord() const { return m_rowid >= 0 || m_state == RecordState::Insert; }
    void first() { moveToEnd(true); }
    void last() { moveToEnd(false); }
    void next();
    void prior();
    bool eof() const { return m_eof; }

    // Field values of the current record; an empty (null) field reads as 0, "" or false.
    QVariant value(const QString& field) const;
    qint64 asInteger(const QString& field) const { return value(field).toLongLong(); }
    QString asString(const QString& field) const { return value(field).toString(); }
    bool asBoolean(const QString& field) const { return value(field).toBool(); }
    double asDouble(const QString& field) const { return value(field).toDouble(); }
    bool isNull(const QString& field) const { return value(field).isNull(); }
    // Only in edit or insert state. A text longer than its field is cut to its size.
    void setValue(const QString& field, const QVariant& value);

    // No current record and nothing in the buffer, as on a closed table.
    void reset();

private:
    int fieldIndex(const QString& field) const;
    void requireOpen() const;
    // Loads the record with the nearest rowid beyond `rowid` in the direction.
    bool loadRecord(bool forward, qint64 rowid);
    void clearBuffer();
    void moveToEnd(bool toFirst);
    [[noreturn]] void fail(const QString& what) const;

    StoreTable& m_table;
    RecordRows m_rows;
    std::vector<QVariant> m_buffer;
    std::vector<QVariant> m_saved; // the buffer as loaded, for cancel
    qint64 m_rowid = -1;
    bool m_eof = true;
    RecordState m_state = RecordState::Browse;
};

} // namespace mx
