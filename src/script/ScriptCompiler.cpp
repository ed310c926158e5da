#include "ScriptCompiler.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <string>
#include <utility>

namespace mx {

namespace {

enum class Tok { Number, Name, Plus, Minus, Star, Slash, LParen, RParen, Comma, Equals, EndOfLine, End };

struct Token
{
    Tok kind = Tok::End;
    qsizetype start = 0; // offset in the program text
    qsizetype length = 0;
    int line = 1;
    int column = 1;
    double number = 0;
};

struct Failure
{
    CompileError error;
};

// The power of ten a decimal literal's value lies near, read from its digits and exponent;
// tells an overflowing literal from one too small to be anything but zero.
long long decimalMagnitude(const std::string& literal)
{
    long long magnitude = 0;
    bool seenNonZero = false;
    bool afterPoint = false;
    std::size_t i = 0;
    for (; i < literal.size() && literal[i] != 'e' && literal[i] != 'E'; ++i) {
        const char c = literal[i];
        if (c == '.') {
            afterPoint = true;
        } else if (!seenNonZero && c == '0') {
            if (afterPoint)
                --magnitude;
        } else {
            seenNonZero = true;
            if (!afterPoint)
                ++magnitude;
        }
    }
    if (i < literal.size()) {
        long long exponent = 0;
        const char* first = literal.data() + i + 1 + (literal[i + 1] == '+');
        if (std::from_chars(first, literal.data() + literal.size(), exponent).ec != std::errc())
            exponent = *first == '-' ? -LLONG_MAX / 2 : LLONG_MAX / 2; // beyond any double
        magnitude += exponent;
    }
    return magnitude;
}

class Lexer
{
public:
    explicit Lexer(const QString& text) : m_text(text) {}

    Token next()
    {
        skipBlanks();
        Token t;
        t.start = m_pos;
        t.line = m_line;
        t.column = int(std::min<qsizetype>(m_pos - m_lineStart + 1, INT_MAX));
        if (m_pos >= m_text.size())
            return t;
        const QChar c = m_text.at(m_pos);
        if (c == u'\n') {
            t.kind = Tok::EndOfLine;
            t.length = 1;
            ++m_pos;
            ++m_line;
            m_lineStart = m_pos;
            return t;
        }
        if (isScriptDigit(c) || (c == u'.' && m_pos + 1 < m_text.size() && isScriptDigit(m_text.at(m_pos + 1))))
            return number(t);
        if (isNameStart(c)) {
            while (m_pos < m_text.size() && isNamePart(m_text.at(m_pos)))
                ++m_pos;
            t.kind = Tok::Name;
            t.length = m_pos - t.start;
            return t;
        }
        static constexpr std::pair<char16_t, Tok> single[] = {
            {u'+', Tok::Plus},   {u'-', Tok::Minus},  {u'*', Tok::Star},  {u'/', Tok::Slash},
            {u'(', Tok::LParen}, {u')', Tok::RParen}, {u',', Tok::Comma}, {u'=', Tok::Equals}};
        for (const auto& [ch, kind] : single) {
            if (c == QChar(ch)) {
                t.kind = kind;
                t.length = 1;
                ++m_pos;
                return t;
            }
        }
        const QString shown = c.isPrint() ? QStringLiteral("'%1'").arg(c)
                                          : QStringLiteral("#%1").arg(c.unicode());
        throw Failure{{CompileErrorKind::UnexpectedCharacter,
                         QStringLiteral("Unexpected character %1").arg(shown), t.line, t.column}};
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (c != u' ' && c != u'\t' && c != u'\r')
                break;
            ++m_pos;
        }
    }

    Token number(Token t)
    {
        auto digits = [&] {
            while (m_pos < m_text.size() && isScriptDigit(m_text.at(m_pos)))
                ++m_pos;
        };
        digits();
        if (m_pos < m_text.size() && m_text.at(m_pos) == u'.') {
            ++m_pos;
            digits();
        }
        if (m_pos < m_text.size() && (m_text.at(m_pos) == u'e' || m_text.at(m_pos) == u'E')) {
            qsizetype p = m_pos + 1;
            if (p < m_text.size() && (m_text.at(p) == u'+' || m_text.at(p) == u'-'))
                ++p;
            if (p < m_text.size() && isScriptDigit(m_text.at(p))) {
                m_pos = p;
                digits();
            }
        }
        t.kind = Tok::Number;
        t.length = m_pos - t.start;
        if (m_pos < m_text.size() && (isNamePart(m_text.at(m_pos)) || m_text.at(m_pos) == u'.'))
            throw Failure{{CompileErrorKind::InvalidNumber, QStringLiteral("Invalid number"), t.line,
                           t.column}};
        const std::string literal = m_text.mid(t.start, t.length).toStdString();
        const auto [end, ec] =
            std::from_chars(literal.data(), literal.data() + literal.size(), t.number);
        if (ec == std::errc::result_out_of_range) {
            if (decimalMagnitude(literal) > 0)
                throw Failure{{CompileErrorKind::NumberOutOfRange, QStringLiteral("Number out of range"),
                                t.line, t.column}};
            t.number = 0;
        } else if (ec != std::errc() || end != literal.data() + literal.size()) {
            throw Failure{{CompileErrorKind::InvalidNumber, QStringLiteral("Invalid number"), t.line,
                           t.column}};
        }
        return t;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
    qsizetype m_lineStart = 0;
    int m_line = 1;
};

class Parser
{
public:
    Parser(const QString& text, NameResolver& names, CompiledProgram& out)
        : m_text(text), m_lexer(text), m_names(names), m_out(out)
    {
        advance();
    }

    void program()
    {
        while (m_tok.kind != Tok::End) {
            if (m_tok.kind != Tok::EndOfLine)
                statement();
            if (m_tok.kind == Tok::EndOfLine)
                advance();
            else if (m_tok.kind != Tok::End)
                fail(CompileErrorKind::EndOfStatementExpected,
                     QStringLiteral("End of statement expected but %1 found").arg(describe(m_tok)));
        }
    }

private:
    void statement()
    {
        if (m_tok.kind != Tok::Name)
            fail(CompileErrorKind::StatementExpected, QStringLiteral("Statement expected but %1 found").arg(describe(m_tok)));
        const Token target = m_tok;
        advance();
        if (m_tok.kind != Tok::Equals)
            fail(CompileErrorKind::EqualsExpected, QStringLiteral("'=' expected but %1 found").arg(describe(m_tok)));
        advance();
        expression(0);
        const QString name = text(target);
        if (m_names.function(name) && !m_names.variable(name, false))
            fail(CompileErrorKind::CannotAssignToFunction, QStringLiteral("Cannot assign to function '%1'").arg(name), target);
        Instruction store{Instruction::Op::Store};
        store.variable = m_names.variable(name, true);
        emitOp(store, -1);
    }

    void expression(int depth)
    {
        term(depth);
        while (m_tok.kind == Tok::Plus || m_tok.kind == Tok::Minus) {
            const Tok op = m_tok.kind;
            advance();
            term(depth);
            emitOp({op == Tok::Plus ? Instruction::Op::Add : Instruction::Op::Sub}, -1);
        }
    }

    void term(int depth)
    {
        unary(depth);
        while (m_tok.kind == Tok::Star || m_tok.kind == Tok::Slash) {
            const Tok op = m_tok.kind;
            advance();
            unary(depth);
            emitOp({op == Tok::Star ? Instruction::Op::Mul : Instruction::Op::Div}, -1);
        }
    }

    void unary(int depth)
    {
        if (m_tok.kind == Tok::Minus || m_tok.kind == Tok::Plus) {
            const bool negate = m_tok.kind == Tok::Minus;
            enter(depth);
            advance();
            unary(depth + 1);
            if (negate)
                emitOp({Instruction::Op::Neg}, 0);
            return;
        }
        primary(depth);
    }

    void primary(int depth)
    {
        switch (m_tok.kind) {
        case Tok::Number: {
            Instruction push{Instruction::Op::Push};
            push.value = m_tok.number;
            emitOp(push, 1);
            advance();
            return;
        }
        case Tok::Name:
            name(depth);
            return;
        case Tok::LParen:
            enter(depth);
            advance();
            expression(depth + 1);
            expect(Tok::RParen, QStringLiteral("')'"));
            return;
        default:
            fail(CompileErrorKind::ExpressionExpected, QStringLiteral("Expression expected but %1 found").arg(describe(m_tok)));
        }
    }

    void name(int depth)
    {
        const Token nameTok = m_tok;
        const QString id = text(nameTok);
        advance();
        ScriptVariable* var = m_names.variable(id, false);
        const ScriptFunction* fn = var ? nullptr : m_names.function(id);
        if (!var && !fn)
            fail(CompileErrorKind::UnknownIdentifier, QStringLiteral("Unknown identifier '%1'").arg(id), nameTok);
        if (var) {
            if (m_tok.kind == Tok::LParen)
                fail(CompileErrorKind::NotAFunction, QStringLiteral("'%1' is not a function").arg(id), nameTok);
            Instruction load{Instruction::Op::Load};
            load.variable = var;
            emitOp(load, 1);
            return;
        }
        int argc = 0;
        if (m_tok.kind == Tok::LParen) {
            enter(depth);
            advance();
            if (m_tok.kind != Tok::RParen) {
                for (;;) {
                    expression(depth + 1);
                    ++argc;
                    if (m_tok.kind != Tok::Comma)
                        break;
                    advance();
                }
            }
            expect(Tok::RParen, QStringLiteral("')'"));
        }
        if (argc < fn->paramCount)
            fail(CompileErrorKind::NotEnoughParameters, QStringLiteral("Not enough actual parameters"), nameTok);
        if (argc > fn->paramCount)
            fail(CompileErrorKind::TooManyParameters, QStringLiteral("Too many actual parameters"), nameTok);
        Instruction call{Instruction::Op::Call};
        call.argc = argc;
        call.function = fn;
        emitOp(call, 1 - argc);
    }

    void expect(Tok kind, const QString& what)
    {
        if (m_tok.kind != kind)
            fail(CompileErrorKind::TokenExpected, QStringLiteral("%1 expected but %2 found").arg(what, describe(m_tok)));
        advance();
    }

    void enter(int depth)
    {
        if (depth >= ScriptCompiler::kMaxNesting)
            fail(CompileErrorKind::NestedTooDeeply, QStringLiteral("Expression nested too deeply"));
    }

    void emitOp(const Instruction& instruction, int stackChange)
    {
        m_out.code.push_back(instruction);
        m_stack += stackChange;
        m_out.maxStack = std::max(m_out.maxStack, m_stack);
    }

    void advance() { m_tok = m_lexer.next(); }

    QString text(const Token& t) const { return m_text.mid(t.start, t.length); }

    QString describe(const Token& t) const
    {
        switch (t.kind) {
        case Tok::End:
            return QStringLiteral("end of program");
        case Tok::EndOfLine:
            return QStringLiteral("end of line");
        default:
            return QStringLiteral("'%1'").arg(text(t).left(32));
        }
    }

    [[noreturn]] void fail(CompileErrorKind kind, const QString& message)
    {
        fail(kind, message, m_tok);
    }
    [[noreturn]] void fail(CompileErrorKind kind, const QString& message, const Token& at)
    {
        throw Failure{{kind, message, at.line, at.column}};
    }

    const QString& m_text;
    Lexer m_lexer;
    NameResolver& m_names;
    CompiledProgram& m_out;
    Token m_tok;
    int m_stack = 0;
};

} // namespace

bool ScriptCompiler::compile(const QString& text, NameResolver& names, CompiledProgram& out,
                             CompileError& error)
{
    out = CompiledProgram{};
    try {
        Parser(text, names, out).program();
        return true;
    } catch (const Failure& f) {
        error = f.error;
        out = CompiledProgram{};
        return false;
    }
}

} // namespace mx
