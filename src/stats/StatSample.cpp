#include "StatSample.h"

#include "tablestore/StoreError.h"
#include "tablestore/StoreTable.h"

#include <QElapsedTimer>

#include <climits>

namespace mx {

namespace {

// One part of the counting holds the event loop this long at most, apart from its last read.
constexpr qint64 kCountPartMs = 8;
constexpr int kRowidsPerRead = 8192;

} // namespace

StatSample::StatSample(StoreTable& table, const NumberSeparators& seps, Opening opening,
                       QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_rows(table, QStringLiteral("Number")),
      m_positions(m_rows, kPageSize), m_numbers(seps)
{
    // One pass over the rowids counts the rows and notes where each page starts.
    if (opening == Opening::AtOnce) {
        m_positions.rebuild();
        m_count = m_positions.count();
        return;
    }
    m_positions.restart();
    const bool counted = countPart();
    m_count = m_positions.count();
    m_counting.setInterval(0);
    connect(&m_counting, &QTimer::timeout, this, &StatSample::countFromEventLoop);
    if (!counted)
        m_counting.start();
}

bool StatSample::countPart()
{
    QElapsedTimer clock;
    clock.start();
    bool counted = m_positions.extend(kRowidsPerRead);
    while (!counted && clock.elapsed() < kCountPartMs)
        counted = m_positions.extend(kRowidsPerRead);
    return counted;
}

void StatSample::countFromEventLoop()
{
    try {
        if (countPart())
            m_counting.stop();
    } catch (const StoreError& e) {
        // The rows counted so far stay; a change of the sample tries the rest again.
        m_counting.stop();
        reportStoreFailure(QStringLiteral("Числа выборки не прочитаны.\r\r") + storeFailureText(e));
    }
    showCounted();
}

void StatSample::finishOpening()
{
    if (m_positions.complete()) {
        m_counting.stop();
        return;
    }
    m_counting.stop();
    while (!m_positions.extend(kRowidsPerRead * 16)) {
    }
    showCounted();
}

void StatSample::showCounted()
{
    const qint64 counted = m_positions.count();
    if (counted <= m_count)
        return;
    const int first = int(std::min<qint64>(m_count, INT_MAX));
    const int last = int(std::min<qint64>(counted - 1, INT_MAX));
    if (first < INT_MAX) {
        beginInsertRows(QModelIndex(), first, last);
        m_count = counted;
        endInsertRows();
    } else {
        m_count = counted;
    }
    emit countChanged(m_count);
}

const TableRows::Row& StatSample::rowAt(qint64 row) const
{
    const qint64 page = row / kPageSize;
    auto found = m_pages.find(page);
    if (found == m_pages.end()) {
        if (m_pages.size() >= kMaxPages)
            m_pages.clear();
        // Scrolling on reads the page after a known one by its last rowid; a jump reads the
        // page from the key of its position. Neither counts the rows before it.
        const auto before = m_pages.find(page - 1);
        std::vector<TableRows::Row> rows =
            before != m_pages.end() && !before->second.empty()
                ? m_rows.rowsAfter(before->second.back().rowid, kPageSize)
                : m_positions.rowsAt(page * kPageSize, kPageSize);
        found = m_pages.emplace(page, std::move(rows)).first;
        m_readFailureReported = false;
    }
    static const TableRows::Row none{-1, 0};
    const std::size_t i = std::size_t(row % kPageSize);
    return i < found->second.size() ? found->second[i] : none;
}

void StatSample::forgetFrom(qint64 row)
{
    m_pages.erase(m_pages.lower_bound(row / kPageSize), m_pages.end());
}

double StatSample::valueAt(qint64 row) const
{
    return rowAt(row).value;
}

std::vector<double> StatSample::values() const
{
    std::vector<double> out;
    out.reserve(std::size_t(m_count));
    m_rows.scan([&out](double v) { out.push_back(v); });
    return out;
}

qint64 StatSample::readAfter(qint64 rowid, int limit, std::vector<double>& out) const
{
    for (const TableRows::Row& row : m_rows.rowsAfter(rowid, limit)) {
        out.push_back(row.value);
        rowid = row.rowid;
    }
    return rowid;
}

void StatSample::append(std::span<const double> values)
{
    if (values.empty())
        return;
    finishOpening();
    m_rows.append(values); // throws before any row is shown when the store refuses
    showAppended(qint64(values.size()));
}

void StatSample::showAppended(qint64 added)
{
    if (added <= 0)
        return;
    if (!m_positions.complete()) {
        // Not reached through writer(), which counts the rest first; the rows just written
        // are counted with the rest.
        try {
            finishOpening();
        } catch (const StoreError& e) {
            reportStoreFailure(QStringLiteral("Числа выборки не прочитаны.\r\r") + storeFailureText(e));
        }
        return;
    }
    const int first = int(std::min<qint64>(m_count, INT_MAX));
    const int last = int(std::min<qint64>(m_count + added - 1, INT_MAX));
    forgetFrom(m_count);
    m_positions.appended(added);
    if (first < INT_MAX) {
        beginInsertRows(QModelIndex(), first, last);
        m_count += added;
        endInsertRows();
    } else {
        m_count += added;
    }
    emit countChanged(m_count);
}

std::unique_ptr<RowWriter> StatSample::writer()
{
    // The rows it writes are shown after the counted ones: every row before them is counted
    // first.
    finishOpening();
    return std::make_unique<RowWriter>(m_table, QStringLiteral("Number"));
}

void StatSample::removeAt(qint64 row)
{
    if (row < 0 || row >= m_count)
        return;
    finishOpening();
    const qint64 rowid = rowAt(row).rowid;
    if (rowid < 0)
        return;
    m_rows.remove(rowid);
    m_positions.removed(row);
    beginRemoveRows(QModelIndex(), int(row), int(row));
    forgetFrom(row);
    --m_count;
    endRemoveRows();
    emit countChanged(m_count);
}

void StatSample::removeAll()
{
    m_rows.removeAll();
    m_counting.stop();
    m_positions.clear();
    beginResetModel();
    m_pages.clear();
    m_count = 0;
    endResetModel();
    emit countChanged(m_count);
}

int StatSample::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(std::min<qint64>(m_count, INT_MAX));
}

int StatSample::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

void StatSample::reportStoreFailure(const QString& message)
{
    QMetaObject::invokeMethod(
        this, [this, message] { emit storeFailed(message); }, Qt::QueuedConnection);
}

QVariant StatSample::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    // Called from inside Qt's painting: a store error must not go further than here.
    try {
        return m_numbers.general(valueAt(index.row()));
    } catch (const StoreError& e) {
        if (!m_readFailureReported) {
            m_readFailureReported = true;
            const_cast<StatSample*>(this)->reportStoreFailure(
                QStringLiteral("Числа выборки не прочитаны.\r\r") + storeFailureText(e));
        }
        return {};
    }
}

bool StatSample::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    NumberRead p = m_numbers.read(text, NumberRange::Double);
    if (p.status == NumberRead::Empty)
        p = {NumberRead::Ok, 0}; // an emptied cell holds 0, as an empty record reads
    if (!p.ok()) {
        emit refused(NumberText::refusal(p.status, text));
        return false;
    }
    const qint64 row = index.row();
    // Called from inside Qt's editing: a store error must not go further than here. The row
    // keeps its old value, in the file and on screen.
    try {
        const qint64 rowid = rowAt(row).rowid;
        if (rowid < 0)
            return false;
        m_rows.update(rowid, double(p.value));
    } catch (const StoreError& e) {
        reportStoreFailure(QStringLiteral("Число не записано.\r\r") + storeFailureText(e));
        return false;
    }
    // The cached row itself takes the new value: its page stays valid.
    m_pages[row / kPageSize][std::size_t(row % kPageSize)].value = double(p.value);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    emit countChanged(m_count);
    return true;
}

Qt::ItemFlags StatSample::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant StatSample::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return QStringLiteral("Number");
    return section + 1;
}

} // namespace mx
