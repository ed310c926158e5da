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
    applySettings();
    core.resetForStart();
    core.state.KeyFocusReady = true;
}

void CalcFixture::applySettings()
{
    core.BuildFormats();
    core.setRadian(core.settings.Radian);
    core.ApplyDisplayFormat();
}

void CalcFixture::type(const QString& characters)
{
    for (QChar c : characters)
        keypad.FormKeyPress(c);
}

void CalcFixture::keys(const QString& sequence)
{
    const QStringList tokens = sequence.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& token : tokens) {
        bool numeric = !token.isEmpty();
        for (QChar c : token)
            numeric = numeric && (c.isDigit() || c == QLatin1Char('.'));
        if (numeric && token != QLatin1String(".")) {
            for (QChar c : token)
                key(c == QLatin1Char('.') ? KeyId::Point : keyForToken(QString(c)));
        } else {
            key(keyForToken(token));
        }
    }
}

QStringList expandedTape(const std::vector<const char*>& cells)
{
    QStringList out;
    for (const char* c : cells) {
        const QString cell = QString::fromUtf8(c);
        if (cell == QLatin1String("-"))
            out << QStringLiteral("|-------------------------|  ");
        else if (cell.isEmpty())
            out << QStringLiteral("||  ");
        else
            out << cell;
    }
    return out;
}

QStringList CalcFixture::tapeCells() const
{
    QStringList out;
    for (const QString& line : tape()) {
        if (line.size() < SignWidth + 1 + ValueWidth) {
            out << line;
            continue;
        }
        const QString sign = line.left(SignWidth).trimmed();
        const QString value = line.mid(SignWidth + 1, ValueWidth).trimmed();
        const QString suffix = line.mid(SignWidth + 1 + ValueWidth);
        out << sign + QLatin1Char('|') + value + QLatin1Char('|') + suffix;
    }
    return out;
}

} // namespace mx::test
