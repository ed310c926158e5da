#include "TableEditing.h"

#include "tablestore/StoreTable.h"

namespace mx {

void EnsureTableEdit(StoreTable& table)
{
    if (table.state() == RecordState::Browse)
        table.edit();
}

void PostTableIfEditing(StoreTable& table)
{
    if (table.state() != RecordState::Browse)
        table.post();
}

} // namespace mx
