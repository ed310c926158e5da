#pragma once

#include <limits>

namespace mx {

// The calculator's value: the x87 80-bit extended type. Results, rounding residues and the
// overflow limits the users see all follow from its 64-bit mantissa.
using CalcValue = long double;

static_assert(std::numeric_limits<CalcValue>::digits == 64,
              "the calculator needs long double with a 64-bit mantissa (x86-64 extended)");
static_assert(std::numeric_limits<CalcValue>::is_iec559, "IEEE arithmetic is required");

} // namespace mx
