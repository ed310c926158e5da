#pragma once

#include <span>

namespace mx {

// One function of the formula line, as everything that offers it sees it: the engine
// (its host declaration and computation), the call template its button inserts, and the
// button itself.
struct FormulaFunction
{
    // What the user writes and the button shows; also the template's name.
    const char* name;
    // The host function's declaration for the engine, naming the function the engine calls
    // (M0d for Mod, whose template the formula line rewrites); nullptr for the engine's own
    // functions (Sin, Exp, pi...).
    const char* declaration;
    const char* hostName;
    int arity;
    // The host function's result for `arity` arguments; nullptr with `declaration`.
    double (*compute)(std::span<const double> args);
    // The template inserted at the caret, and how far the caret then moves back
    // (kNoCaretMove: the caret stays behind the insertion and the focus where it is).
    const char* templateText;
    int caretBack;
    const char16_t* hint; // nullptr: none
    const char* buttonName;
    const char16_t* accessibleName;
    // Place of the button in the function list, from 1: three rows of six.
    int row;
    int column;
};

inline constexpr int kNoCaretMove = -1;
inline constexpr int kFunctionRows = 3;
inline constexpr int kFunctionColumns = 6;

// The eighteen functions, in the order of the template list.
std::span<const FormulaFunction> formulaFunctionTable();

} // namespace mx
