#pragma once

#include "CompiledProgram.h"
#include "ScriptCompiler.h"

#include <QHash>
#include <QString>

#include <algorithm>

#include <memory>
#include <optional>

namespace mx {

class ScriptScope;

// A script object: a program text, compiled once to a stack program and run as often as
// asked. Names the program does not declare (by assigning to them) are looked up in the
// parent scope.
class Script : private NameResolver
{
public:
    Script() = default;
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    void setParent(ScriptScope* parent) { m_parent = parent; }
    ScriptScope* parent() const { return m_parent; }

    // Drops the program, its compiled form and the script's own variables.
    void clear();
    // `userStart`: where in `text` the part that the user wrote begins, after what the host
    // put before it; errorColumn() counts from there.
    void setProgram(const QString& text, qsizetype userStart = 0)
    {
        m_text = text;
        m_userStart = std::clamp<qsizetype>(userStart, 0, text.size());
    }
    const QString& program() const { return m_text; }

    // False on a syntax error, described by errorKind(), errorMessage() and errorPosition()
    // ("line:column", the column counted in characters from 1).
    bool compile();
    CompileErrorKind errorKind() const { return m_errorKind; }
    const QString& errorMessage() const { return m_errorMessage; }
    const QString& errorPosition() const { return m_errorPosition; }
    // The column of the error counted in the user's part of the program, from 1 at its first
    // character, on whatever line the compiler found it (0 for an error in what the host put
    // before it); 0 when nothing failed.
    qsizetype errorColumn() const { return m_errorColumn; }

    // Runs the compiled program. Throws ScriptError on an invalid operation, a division by
    // zero or an overflow anywhere in it, on a failing host function, and when nothing is
    // compiled. The floating-point fault flags are as they were before.
    void execute();

    // A variable of the script, else of its parent scope; nothing when there is none.
    std::optional<double> variable(const QString& name) const;

private:
    ScriptVariable* variable(const QString& name, bool create) override;
    const ScriptFunction* function(const QString& name) const override;

    ScriptScope* m_parent = nullptr;
    QString m_text;
    CompileErrorKind m_errorKind = CompileErrorKind::None;
    QString m_errorMessage;
    QString m_errorPosition;
    qsizetype m_userStart = 0;
    qsizetype m_errorColumn = 0;
    std::optional<CompiledProgram> m_compiled;
    QHash<QString, std::shared_ptr<ScriptVariable>> m_variables;
};

} // namespace mx
