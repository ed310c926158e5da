#pragma once

#include "ScriptSymbols.h"

#include <QHash>

#include <memory>

namespace mx {

// The engine's global scope: the engine's own functions and constants, and the variables and
// host functions the program declares in it. One scope serves the whole program; scripts
// name it as their parent and find there every name they do not declare themselves.
class ScriptScope
{
public:
    ScriptScope();
    ScriptScope(const ScriptScope&) = delete;
    ScriptScope& operator=(const ScriptScope&) = delete;

    // Declares a variable, or gives an existing one of that name the type and value.
    void declareVariable(const QString& name, const QString& typeName, double initial);
    // Registers a host function from its declaration text, for example
    // "function Tg(X : real) : real". False for a text that declares no function, or a name
    // already taken.
    bool registerFunction(const QString& declaration, HostCallback callback);

    ScriptVariable* findVariable(const QString& name) const;
    const ScriptFunction* findFunction(const QString& name) const;

private:
    // Held by pointer: compiled scripts refer to them for the whole run.
    QHash<QString, std::shared_ptr<ScriptVariable>> m_variables;
    QHash<QString, std::shared_ptr<ScriptFunction>> m_functions;
};

} // namespace mx
