#pragma once

#include "engine/NumberText.h"
#include "tablestore/RowPositions.h"
#include "tablestore/RowWriter.h"
#include "tablestore/TableRows.h"

#include <QAbstractTableModel>
#include <QTimer>

#include <limits>
#include <map>
#include <memory>
#include <span>
#include <vector>

namespace mx {

class StoreTable;

// The statistics sample: the field Number of the table Stat, one row per number in table
// order, as a one-column model for the window's grid. Rows are fetched a page at a time as
// the grid asks for them, so a sample of a million numbers opens at once; every change is
// posted at once. Edits in the grid are read like typed numbers; a text that is no number,
// or a number beyond the double range, is refused with a message through refused().
class StatSample : public QAbstractTableModel
{
    Q_OBJECT

public:
    // How the rows are counted (and where each page starts noted) when the sample opens: at
    // once, or, for the window, a part of a few milliseconds at a time from the event loop
    // after the first part, so that the grid shows its first page at once and the event loop
    // never waits for a million rows to be counted.
    enum class Opening { AtOnce, InSlices };

    // Throws StoreError when the first part cannot be read.
    StatSample(StoreTable& table, const NumberSeparators& seps, Opening opening = Opening::AtOnce,
               QObject* parent = nullptr);

    // While the rows are still being counted, count() and the grid's rows are the rows
    // counted so far, growing as the counting goes on (countChanged() tells each part); no
    // row beyond them is shown. A change of the sample first counts the rest at once.
    bool opening() const { return m_counting.isActive(); }
    // Counts the rest at once; throws StoreError (the counting can be tried again).
    void finishOpening();

    qint64 count() const { return m_count; }
    double valueAt(qint64 row) const;
    // Every value, in order, read in one pass.
    std::vector<double> values() const;
    // A large sample read a slice at a time: up to `limit` values of the rows after the row
    // `rowid` (kBeforeFirst for the start), added to `out`; the rowid of the last row read,
    // or `rowid` itself when no row follows.
    static constexpr qint64 kBeforeFirst = std::numeric_limits<qint64>::min();
    qint64 readAfter(qint64 rowid, int limit, std::vector<double>& out) const;

    // Appends at the end, all or none, in one transaction.
    void append(std::span<const double> values);

    // A long append made on a worker thread, so that neither its writes nor its commit hold
    // the event loop: a writer of the field through a connection of its own to the table's
    // file, opened here. While it writes nothing else may write to the sample's table; the
    // rows it has committed show in the sample through showAppended().
    std::unique_ptr<RowWriter> writer();
    // Shows `added` rows just written at the end of the table.
    void showAppended(qint64 added);

    void removeAt(qint64 row);
    void removeAll();

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void countChanged(qint64 count);
    void refused(const QString& message);
    // A read or write of the grid failed in the store; queued, so that the message never
    // opens inside the grid's painting or editing. A read failure is reported once until a
    // read succeeds again; the cells that could not be read show nothing.
    void storeFailed(const QString& message);

private:
    static constexpr int kPageSize = 256;
    static constexpr std::size_t kMaxPages = 64;

    // Up to a few milliseconds of counting; true once every row is counted. Throws StoreError.
    bool countPart();
    void countFromEventLoop();
    // Shows the rows counted since the last call.
    void showCounted();
    const TableRows::Row& rowAt(qint64 row) const;
    // Forgets the cached pages from the one holding `row` on.
    void forgetFrom(qint64 row);
    void reportStoreFailure(const QString& message);

    StoreTable& m_table;
    TableRows m_rows;
    // Where each page starts, so that a jump to any page reads it by key.
    mutable RowPositions m_positions;
    NumberText m_numbers;
    qint64 m_count = 0;
    mutable std::map<qint64, std::vector<TableRows::Row>> m_pages;
    mutable bool m_readFailureReported = false;
    QTimer m_counting;
};

} // namespace mx
