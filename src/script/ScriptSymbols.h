#pragma once

#include <QString>

#include <functional>
#include <span>

namespace mx {

// A host function's answer to a call: the name as declared and the actual arguments.
using HostCallback = std::function<double(const QString& name, std::span<const double> args)>;

struct ScriptVariable
{
    QString name;
    QString typeName;
    double value = 0;
};

// A function a script can call: one of the engine's own, or a host function registered
// from its declaration. A function without parameters may be named without parentheses.
struct ScriptFunction
{
    QString name;
    int paramCount = 0;
    double (*builtin)(const double* args) = nullptr;
    HostCallback host;
};

// The characters of names and numbers: ASCII letters, digits and the underscore.
inline bool isScriptDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

inline bool isNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

inline bool isNamePart(QChar c)
{
    return isNameStart(c) || isScriptDigit(c);
}

// Names are matched without regard to letter case.
inline QString foldName(const QString& name)
{
    return name.toLower();
}

} // namespace mx
