#include "QuotedText.h"

#include <algorithm>

namespace mx {

namespace {

QChar visible(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20)
        return QChar(char16_t(0x2400 + u)); // the control pictures: ␀, ␉, ␊, ␍...
    if (u == 0x7f)
        return QChar(char16_t(0x2421)); // ␡
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return QChar(char16_t(0xfffd));
    default:
        return c;
    }
}

} // namespace

QString quotedText(QStringView text, int maxChars)
{
    qsizetype end = text.size();
    const bool cut = end > maxChars;
    if (cut) {
        end = std::max<qsizetype>(0, maxChars - 1);
        if (end > 0 && text[end - 1].isHighSurrogate())
            --end; // a character is never split
    }
    QString out;
    out.reserve(end + 1);
    for (qsizetype i = 0; i < end; ++i) {
        const QChar c = text[i];
        // A lone half of a surrogate pair is shown as unknown; a whole pair is kept.
        if (c.isHighSurrogate() && i + 1 < end && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c.isSurrogate()) {
            out += QChar(char16_t(0xfffd));
        } else {
            out += visible(c);
        }
    }
    if (cut)
        out += QChar(char16_t(0x2026));
    return out;
}

} // namespace mx
