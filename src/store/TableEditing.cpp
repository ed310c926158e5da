#include "TableEditing.h"

#include "tablestore/StoreTable.h"

namespace mx {

void EnsureTableEdit(StoreTable& table)
{
    if (table.cursor().state() == RecordState::Browse)
        table.cursor().edit();
}

void PostTableIfEditing(StoreTable& table)
{
    if (table.cursor().state() != RecordState::Browse)
        table.cursor().post();
}

} // namespace mx
