#pragma once

#include "CompiledProgram.h"

#include <QString>

namespace mx {

// Where the compiler finds the names a program uses: variables (created on first
// assignment when `create` is set) and functions.
class NameResolver
{
public:
    virtual ScriptVariable* variable(const QString& name, bool create) = 0;
    virtual const ScriptFunction* function(const QString& name) const = 0;

protected:
    virtual ~NameResolver() = default;
};

// The kind of a compile error, for callers that act on it; the message says the same in
// English for people.
enum class CompileErrorKind {
    None,
    UnexpectedCharacter,
    InvalidNumber,
    NumberOutOfRange,
    StatementExpected,
    EqualsExpected,
    EndOfStatementExpected,
    ExpressionExpected,
    TokenExpected,
    UnknownIdentifier,
    NotAFunction,
    CannotAssignToFunction,
    NotEnoughParameters,
    TooManyParameters,
    NestedTooDeeply,
};

struct CompileError
{
    CompileErrorKind kind = CompileErrorKind::None;
    QString message;
    int line = 0;
    int column = 0; // in characters, from 1
};

// Compiles a program of BASIC assignment statements, one to a line:
//   Name = expression
// with decimal literals, + - * / by the usual precedence, unary minus, parentheses and
// calls of functions with their declared number of arguments. Names match without regard
// to letter case. Nesting is bounded, so that no text can exhaust the stack.
class ScriptCompiler
{
public:
    static constexpr int kMaxNesting = 2000;

    // True on success, with the program in `out`; otherwise `error` says what and where.
    static bool compile(const QString& text, NameResolver& names, CompiledProgram& out,
                        CompileError& error);
};

} // namespace mx
