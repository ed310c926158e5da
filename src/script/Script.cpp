#include "Script.h"

#include "ScriptError.h"
#include "ScriptScope.h"

#include <cfenv>
#include <exception>
#include <span>
#include <vector>

namespace mx {

namespace {

// Restores the caller's fault flags however a run ends.
class FaultFlagsGuard
{
public:
    FaultFlagsGuard() { std::fegetexceptflag(&m_saved, FE_ALL_EXCEPT); }
    ~FaultFlagsGuard() { std::fesetexceptflag(&m_saved, FE_ALL_EXCEPT); }
    FaultFlagsGuard(const FaultFlagsGuard&) = delete;
    FaultFlagsGuard& operator=(const FaultFlagsGuard&) = delete;

private:
    std::fexcept_t m_saved;
};

void run(const CompiledProgram& program)
{
    using Op = Instruction::Op;
    std::vector<double> stack(std::size_t(program.maxStack) + 1);
    double* top = stack.data(); // one past the topmost value
    for (const Instruction& in : program.code) {
        switch (in.op) {
        case Op::Push:
            *top++ = in.value;
            break;
        case Op::Load:
            *top++ = in.variable->value;
            break;
        case Op::Store:
            in.variable->value = *--top;
            break;
        case Op::Add:
            --top;
            top[-1] = top[-1] + top[0];
            break;
        case Op::Sub:
            --top;
            top[-1] = top[-1] - top[0];
            break;
        case Op::Mul:
            --top;
            top[-1] = top[-1] * top[0];
            break;
        case Op::Div:
            --top;
            top[-1] = top[-1] / top[0];
            break;
        case Op::Neg:
            top[-1] = -top[-1];
            break;
        case Op::Call: {
            double* args = top - in.argc;
            const ScriptFunction& f = *in.function;
            const double result = f.builtin ? f.builtin(args)
                                            : f.host(f.name, std::span<const double>(args, std::size_t(in.argc)));
            top = args;
            *top++ = result;
            break;
        }
        }
    }
}

// Line `line`, column `column` (both from 1) of `text` as a column of the part that begins
// at `userStart`, the lines before it counted in.
qsizetype userColumn(const QString& text, qsizetype userStart, int line, int column)
{
    qsizetype at = 0;
    for (int l = 1; l < line && at < text.size(); ++l) {
        const qsizetype next = text.indexOf(u'\n', at);
        if (next < 0)
            break;
        at = next + 1;
    }
    at += std::max(column, 1) - 1;
    return std::max<qsizetype>(at - userStart + 1, 0);
}

} // namespace

void Script::clear()
{
    m_text.clear();
    m_userStart = 0;
    m_errorColumn = 0;
    m_errorKind = CompileErrorKind::None;
    m_errorMessage.clear();
    m_errorPosition.clear();
    m_compiled.reset();
    m_variables.clear();
}

bool Script::compile()
{
    m_compiled.reset();
    m_variables.clear();
    m_errorKind = CompileErrorKind::None;
    m_errorMessage.clear();
    m_errorPosition.clear();
    m_errorColumn = 0;
    CompiledProgram program;
    CompileError error;
    if (!ScriptCompiler::compile(m_text, *this, program, error)) {
        m_variables.clear();
        m_errorKind = error.kind;
        m_errorMessage = error.message;
        m_errorPosition = QStringLiteral("%1:%2").arg(error.line).arg(error.column);
        m_errorColumn = userColumn(m_text, m_userStart, error.line, error.column);
        return false;
    }
    m_compiled = std::move(program);
    return true;
}

void Script::execute()
{
    if (!m_compiled)
        throw ScriptError(QStringLiteral("The script is not compiled"));
    FaultFlagsGuard guard;
    std::feclearexcept(FE_ALL_EXCEPT);
    try {
        run(*m_compiled);
    } catch (const ScriptError&) {
        throw;
    } catch (const std::exception& e) {
        throw ScriptError(QString::fromUtf8(e.what()));
    }
    const int faults = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (faults & FE_INVALID)
        throw ScriptError(QStringLiteral("Invalid floating point operation"));
    if (faults & FE_DIVBYZERO)
        throw ScriptError(QStringLiteral("Floating point division by zero"));
    if (faults & FE_OVERFLOW)
        throw ScriptError(QStringLiteral("Floating point overflow"));
}

std::optional<double> Script::variable(const QString& name) const
{
    if (const auto own = m_variables.value(foldName(name)))
        return own->value;
    if (m_parent)
        if (const ScriptVariable* v = m_parent->findVariable(name))
            return v->value;
    return std::nullopt;
}

ScriptVariable* Script::variable(const QString& name, bool create)
{
    const QString key = foldName(name);
    if (const auto own = m_variables.value(key))
        return own.get();
    if (m_parent)
        if (ScriptVariable* v = m_parent->findVariable(name))
            return v;
    if (!create)
        return nullptr;
    auto v = std::make_shared<ScriptVariable>(ScriptVariable{name, QStringLiteral("real"), 0});
    m_variables.insert(key, v);
    return v.get();
}

const ScriptFunction* Script::function(const QString& name) const
{
    return m_parent ? m_parent->findFunction(name) : nullptr;
}

} // namespace mx
