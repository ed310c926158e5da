#include "WindowPlacement.h"

#include "tablestore/StoreTable.h"

namespace mx {

std::optional<WindowPlacement> readPlacement(const StoreTable* share, const PlacementFields& fields)
{
    if (!share || !share->isOpen())
        return std::nullopt;
    const RecordCursor& record = share->cursor();
    WindowPlacement p;
    p.left = int(record.asInteger(QString::fromLatin1(fields.left)));
    p.top = int(record.asInteger(QString::fromLatin1(fields.top)));
    if (fields.mode)
        p.mode = int(record.asInteger(QString::fromLatin1(fields.mode)));
    return p;
}

void writePlacement(StoreTable& share, const PlacementFields& fields, int left, int top)
{
    RecordCursor& record = share.cursor();
    record.setValue(QString::fromLatin1(fields.left), left);
    record.setValue(QString::fromLatin1(fields.top), top);
    if (fields.mode)
        record.setValue(QString::fromLatin1(fields.mode), 0);
}

} // namespace mx
