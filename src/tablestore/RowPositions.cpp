#include "RowPositions.h"

#include "StoreError.h"

#include <algorithm>
#include <limits>

namespace mx {

RowPositions::RowPositions(const TableRows& rows, int bucketSize)
    : m_rows(rows), m_bucketSize(std::max(bucketSize, 1))
{
}

void RowPositions::rebuild()
{
    restart();
    // The pass counts the rows as well (a million in about the time of a count and a half).
    try {
        m_rows.scanRowids(std::numeric_limits<qint64>::min(), [this](qint64 rowid) { count(rowid); });
    } catch (...) {
        m_state = State::Stale;
        throw;
    }
    m_state = State::Built;
}

void RowPositions::restart()
{
    m_state = State::Counting;
    m_buckets.clear();
    m_count = 0;
    m_lastRowid = 0;
}

bool RowPositions::extend(int limit)
{
    if (m_state == State::Built)
        return true;
    if (m_state == State::Stale)
        restart();
    // Counted so far: the rows up to m_lastRowid, so the next part starts after it (the
    // rowid before the first row for none).
    const qint64 after = m_count == 0 ? std::numeric_limits<qint64>::min() : m_lastRowid;
    const qint64 read = m_rows.scanRowids(after, [this](qint64 rowid) { count(rowid); }, limit);
    if (read < limit)
        m_state = State::Built;
    return complete();
}

void RowPositions::count(qint64 rowid)
{
    if (m_count % m_bucketSize == 0)
        m_buckets.push_back({rowid, m_count});
    ++m_count;
    m_lastRowid = rowid;
}

void RowPositions::ensureBuilt()
{
    if (m_state == State::Stale)
        rebuild();
}

qint64 RowPositions::sizeOf(std::size_t bucket) const
{
    const qint64 end = bucket + 1 < m_buckets.size() ? m_buckets[bucket + 1].start : m_count;
    return end - m_buckets[bucket].start;
}

std::size_t RowPositions::bucketOf(qint64 position) const
{
    const auto after = std::upper_bound(m_buckets.begin(), m_buckets.end(), position,
                                        [](qint64 p, const Bucket& b) { return p < b.start; });
    return std::size_t(after - m_buckets.begin()) - 1;
}

std::vector<TableRows::Row> RowPositions::rowsAt(qint64 position, int limit)
{
    ensureBuilt();
    if (position < 0 || position >= m_count || limit <= 0)
        return {};
    // The bucket's first rowid is the key; the rows of the bucket before the position (fewer
    // than a bucket holds) are read and dropped.
    const Bucket& bucket = m_buckets[bucketOf(position)];
    const qint64 skip = position - bucket.start;
    std::vector<TableRows::Row> rows = m_rows.rowsFrom(bucket.fromRowid, int(skip) + limit);
    rows.erase(rows.begin(), rows.begin() + std::min<qint64>(skip, qint64(rows.size())));
    return rows;
}

void RowPositions::addRun(qint64 rowid, qint64 n)
{
    while (n > 0) {
        if (m_buckets.empty() || sizeOf(m_buckets.size() - 1) >= m_bucketSize)
            m_buckets.push_back({rowid, m_count});
        const qint64 take = std::min(n, m_bucketSize - sizeOf(m_buckets.size() - 1));
        m_count += take;
        rowid += take;
        n -= take;
    }
    m_lastRowid = rowid - 1;
}

void RowPositions::appended(qint64 added)
{
    if (added <= 0)
        return;
    if (m_state != State::Built) {
        m_state = State::Stale; // an index not built yet reads the new rows when it is
        return;
    }
    try {
        // SQLite gives a row appended without a rowid the one after the table's largest, so
        // the new rows normally follow the last one without a gap: one read tells.
        const qint64 last = m_rows.maxRowid();
        if (last > m_lastRowid && last - m_lastRowid == added)
            addRun(m_lastRowid + 1, added);
        else
            m_rows.scanRowids(m_lastRowid, [this](qint64 rowid) { addRun(rowid, 1); });
    } catch (const StoreError&) {
        m_state = State::Stale;
    }
}

void RowPositions::mergeAround(std::size_t bucket)
{
    if (bucket > 0 && sizeOf(bucket - 1) + sizeOf(bucket) <= m_bucketSize) {
        m_buckets.erase(m_buckets.begin() + std::ptrdiff_t(bucket));
        --bucket;
    }
    if (bucket + 1 < m_buckets.size() && sizeOf(bucket) + sizeOf(bucket + 1) <= m_bucketSize)
        m_buckets.erase(m_buckets.begin() + std::ptrdiff_t(bucket) + 1);
}

void RowPositions::removed(qint64 position)
{
    if (m_state != State::Built || position < 0 || position >= m_count) {
        // Not built yet, or a report of a row it never counted: read the table again.
        m_state = State::Stale;
        return;
    }
    const std::size_t bucket = bucketOf(position);
    for (std::size_t b = bucket + 1; b < m_buckets.size(); ++b)
        --m_buckets[b].start;
    --m_count;
    if (m_count == 0) {
        clear();
        return;
    }
    mergeAround(bucket);
    if (position == m_count) {
        // The last row went: the next append follows the one before it.
        try {
            m_lastRowid = m_rows.maxRowid();
        } catch (const StoreError&) {
            m_state = State::Stale;
        }
    }
}

void RowPositions::clear()
{
    m_buckets.clear();
    m_count = 0;
    m_lastRowid = 0;
    m_state = State::Built;
}

} // namespace mx
