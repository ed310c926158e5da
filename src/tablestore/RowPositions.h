#pragma once

#include "TableRows.h"

#include <vector>

namespace mx {

// Where the rows of a large table stand, so that a page anywhere in it is read by key
// (WHERE rowid >= ? ORDER BY rowid LIMIT ?) at the same cost wherever it lies, without
// counting the rows before it. Rows are in rowid order; rowids are not dense, since a deleted
// row leaves a gap. The rows are cut into buckets of at most `bucketSize` consecutive rows,
// each a range of rowids with the position of its first row: a million rows in buckets of
// 256 take about 4,000 of them. It is built in one pass over the rowids, or a part at a time
// (the rows counted so far are read correctly meanwhile), and kept up to date by the caller's
// reports of appends and deletes. A report that needs a read the store refuses leaves the
// index to be built again at its next use; only reading throws.
class RowPositions
{
public:
    RowPositions(const TableRows& rows, int bucketSize);

    // Reads every rowid of the table once; throws StoreError.
    void rebuild();
    // The same a part at a time: restart() forgets the index, and each extend() reads up to
    // `limit` more rowids after the last one counted; true once every row is counted. Until
    // then count() and rowsAt() stand for the rows counted so far, and the reports of appends
    // and deletes leave the index to be built again. Throws StoreError.
    void restart();
    bool extend(int limit);
    bool complete() const { return m_state == State::Built; }
    // The number of rows, as counted by the last build and the reports since.
    qint64 count() const { return m_count; }
    // Up to `limit` rows from `position` on; throws StoreError.
    std::vector<TableRows::Row> rowsAt(qint64 position, int limit);

    // `added` rows were written at the end of the table.
    void appended(qint64 added);
    // The row at `position` was deleted.
    void removed(qint64 position);
    // Every row was deleted.
    void clear();

private:
    struct Bucket
    {
        qint64 fromRowid; // no row of the buckets before has this rowid or a larger one
        qint64 start;     // the position of its first row
    };

    enum class State { Stale, Counting, Built };

    void ensureBuilt();
    void count(qint64 rowid);
    qint64 sizeOf(std::size_t bucket) const;
    std::size_t bucketOf(qint64 position) const;
    // Adds `n` rows at the end, the first with `rowid` and each next one with the next rowid.
    void addRun(qint64 rowid, qint64 n);
    // Joins the bucket with a neighbour while the two fit in one.
    void mergeAround(std::size_t bucket);

    const TableRows& m_rows;
    qint64 m_bucketSize;
    std::vector<Bucket> m_buckets;
    qint64 m_count = 0;
    qint64 m_lastRowid = 0; // the last row's rowid; 0 for an empty table
    State m_state = State::Stale;
};

} // namespace mx
