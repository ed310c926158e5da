#include "ScriptScope.h"

#include "BuiltinFunctions.h"
#include "FunctionDeclaration.h"

namespace mx {

ScriptScope::ScriptScope()
{
    for (const ScriptFunction& f : builtinFunctions())
        m_functions.insert(foldName(f.name), std::make_shared<ScriptFunction>(f));
}

void ScriptScope::declareVariable(const QString& name, const QString& typeName, double initial)
{
    std::shared_ptr<ScriptVariable>& v = m_variables[foldName(name)];
    if (!v)
        v = std::make_shared<ScriptVariable>();
    *v = ScriptVariable{name, typeName, initial};
}

bool ScriptScope::registerFunction(const QString& declaration, HostCallback callback)
{
    const std::optional<FunctionDeclaration> decl = parseFunctionDeclaration(declaration);
    if (!decl || !callback || m_functions.contains(foldName(decl->name)))
        return false;
    auto f = std::make_shared<ScriptFunction>();
    f->name = decl->name;
    f->paramCount = decl->paramCount;
    f->host = std::move(callback);
    m_functions.insert(foldName(decl->name), std::move(f));
    return true;
}

ScriptVariable* ScriptScope::findVariable(const QString& name) const
{
    return m_variables.value(foldName(name)).get();
}

const ScriptFunction* ScriptScope::findFunction(const QString& name) const
{
    return m_functions.value(foldName(name)).get();
}

} // namespace mx
