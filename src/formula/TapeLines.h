#pragma once

#include <QString>

namespace mx {

// Breaks a long text into tape lines of at most `width` characters, the suffix included:
// each piece ends after its last delimiter (" -+*/()") where it has one, and is followed by
// the suffix; pieces are joined by CR LF. Texts over 900 characters give "Too long string",
// a width that leaves no room beside the suffix "Too short part".
QString SplitToTapeLines(const QString& text, const QString& suffix, int width);

} // namespace mx
