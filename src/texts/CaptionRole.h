#pragma once

namespace mx {

// The meanings a key's caption colour carries: red for memory, clearing and the arithmetic
// keys, fuchsia for functions, blue for entry and statistics, green for printing.
enum class CaptionRole { Red, Fuchsia, Blue, Green };

} // namespace mx
