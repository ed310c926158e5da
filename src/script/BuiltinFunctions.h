#pragma once

#include "ScriptSymbols.h"

#include <vector>

namespace mx {

// The engine's own functions: Sin, Cos (radians), Exp, Ln, Sqrt, Int (truncated towards
// zero), Frac (X - Int(X)) and the constant pi.
const std::vector<ScriptFunction>& builtinFunctions();

} // namespace mx
