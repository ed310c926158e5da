#pragma once

namespace mx {

class StoreTable;

// Writers of a single-record table bracket their field writes with these two.
void EnsureTableEdit(StoreTable& table);
void PostTableIfEditing(StoreTable& table);

} // namespace mx
