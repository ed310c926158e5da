#pragma once

#include "ScriptSymbols.h"

#include <cstdint>
#include <vector>

namespace mx {

// A compiled script: a small stack program, run without parsing again.
struct Instruction
{
    enum class Op : std::uint8_t { Push, Load, Store, Add, Sub, Mul, Div, Neg, Call };
    Op op;
    int argc = 0;
    double value = 0;
    ScriptVariable* variable = nullptr;
    const ScriptFunction* function = nullptr;
};

struct CompiledProgram
{
    std::vector<Instruction> code;
    // The deepest the value stack grows, so that running never reallocates it.
    int maxStack = 0;
};

} // namespace mx
