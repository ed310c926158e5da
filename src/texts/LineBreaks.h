#pragma once

#include <QString>

namespace mx {

// The program's texts break lines with "\r" (and "\r\n"); on screen both become "\n".
QString withLineBreaks(QString text);

} // namespace mx
