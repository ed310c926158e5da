#pragma once

#include <cstddef>

namespace mx {

// True when every row of a table indexed by an enum stands at the index of its own id, so
// that looking a row up by its id is a plain index.
template <typename Table>
constexpr bool idsInOrder(const Table& table)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (static_cast<std::size_t>(table[i].id) != i)
            return false;
    return true;
}

} // namespace mx
