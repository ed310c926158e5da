#pragma once

#include <QVariant>

#include <vector>

namespace mx {

class StoreConnection;
class StoreTable;

// Whole records of an open table, by rowid: the statements the record cursor runs, with the
// fields' values bound and read by their types (an empty field is a null value). Failures
// throw StoreError naming the table.
class RecordRows
{
public:
    struct Record
    {
        qint64 rowid = -1;
        std::vector<QVariant> values; // one per field, in field order
    };

    explicit RecordRows(StoreTable& table);

    // The record with the nearest rowid after `rowid` (or before it, `forward` false) into
    // `out`; false when there is none.
    bool nearest(qint64 rowid, bool forward, Record& out) const;
    // Writes a new record; its rowid.
    qint64 insert(const std::vector<QVariant>& values);
    void update(qint64 rowid, const std::vector<QVariant>& values);
    void remove(qint64 rowid);
    void removeAll();
    qint64 count() const;

private:
    StoreConnection& connection() const;
    // The fields' names, quoted, joined by commas.
    QString fieldList() const;
    [[noreturn]] void fail() const;

    StoreTable& m_table;
};

} // namespace mx
