#include "FunctionDeclaration.h"

#include "ScriptSymbols.h"

#include <QStringList>

namespace mx {

namespace {

// The declaration as a list of names and single punctuation characters; empty when it
// holds any other character.
QStringList declarationTokens(const QString& text)
{
    QStringList tokens;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c == u' ' || c == u'\t') {
            ++i;
        } else if (isNameStart(c)) {
            const qsizetype start = i;
            while (i < text.size() && isNamePart(text.at(i)))
                ++i;
            tokens.append(text.mid(start, i - start));
        } else if (QStringLiteral("(),:;").contains(c)) {
            tokens.append(QString(c));
            ++i;
        } else {
            return {};
        }
    }
    return tokens;
}

bool isName(const QString& token)
{
    return !token.isEmpty() && isNameStart(token.front());
}

} // namespace

std::optional<FunctionDeclaration> parseFunctionDeclaration(const QString& text)
{
    const QStringList t = declarationTokens(text);
    qsizetype i = 0;
    auto at = [&](qsizetype k) { return k < t.size() ? t.at(k) : QString(); };
    if (at(i++).compare(QLatin1String("function"), Qt::CaseInsensitive) != 0 || !isName(at(i)))
        return std::nullopt;
    FunctionDeclaration decl{at(i++), 0};
    if (at(i) == u"(") {
        ++i;
        // Groups "A, B : type" separated by semicolons.
        while (at(i) != u")") {
            int names = 0;
            while (isName(at(i))) {
                ++names;
                ++i;
                if (at(i) != u",")
                    break;
                ++i;
            }
            if (names == 0 || at(i++) != u":" || !isName(at(i++)))
                return std::nullopt;
            decl.paramCount += names;
            if (at(i) == u";")
                ++i;
            else if (at(i) != u")")
                return std::nullopt;
        }
        ++i;
    }
    if (at(i++) != u":" || !isName(at(i++)) || i != t.size())
        return std::nullopt;
    return decl;
}

} // namespace mx
