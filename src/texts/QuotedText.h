#pragma once

#include <QString>
#include <QStringView>

namespace mx {

// A text the user typed, pasted or named, made safe to quote in a message: control, format
// and line-separating characters are shown as visible symbols (a line feed as "␊", a NUL as
// "␀"), so that none of them cuts or breaks the message around it, and a text longer than
// `maxChars` is cut there with an ellipsis.
QString quotedText(QStringView text, int maxChars = 40);

} // namespace mx
