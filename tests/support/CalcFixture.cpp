#include "CalcFixture.h"

#include <stdexcept>

namespace mx::test {

KeyId keyForToken(const QString& token)
{
    static const std::pair<const char*, KeyId> aliases[] = {
        {"+%", KeyId::PercentAdd}, {"+/-", KeyId::Sign}, {"BS", KeyId::Back},
    };
    for (const auto& [name, id] : aliases)
        if (token == QLatin1String(name))
            return id;
    for (const KeypadButton& b : keypadButtons())
        if (token == QLatin1String(b.caption))
            return b.id;
    throw std::invalid_argument("unknown key token: " + token.toStdString());
}

CalcFixture::CalcFixture(NumberSeparators s)
    : seps(s), core(seps, host, messages, tapeSink), keypad(core, classic, host)
{
    core.start(CalcSettings());
}

void CalcFixture::type(const QString& characters)
{
    for (QChar c : characters)
        keypad.FormKeyPress(c);
}

std::vector<KeyId> keysOf(const QString& sequence)
{
    std::vector<KeyId> ids;
    const QStringList tokens = sequence.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& token : tokens) {
        bool numeric = true;
        for (QChar c : token)
            numeric = numeric && (c.isDigit() || c == QLatin1Char('.'));
        if (numeric && token != QLatin1String(".")) {
            // A number types its characters on the on-screen keys.
            for (QChar c : token)
                ids.push_back(c == QLatin1Char('.') ? KeyId::Point : keyForToken(QString(c)));
        } else {
            ids.push_back(keyForToken(token));
        }
    }
    return ids;
}

void CalcFixture::keys(const QString& sequence)
{
    for (KeyId id : keysOf(sequence))
        key(id);
}

QStringList CalcFixture::tapeCells() const
{
    return test::tapeCells(tape());
}

} // namespace mx::test
