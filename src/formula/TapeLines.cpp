#include "TapeLines.h"

namespace mx {

QString SplitToTapeLines(const QString& text, const QString& suffix, int width)
{
    const qsizetype pieceLength = width - suffix.size();
    if (pieceLength < 1)
        return QStringLiteral("Too short part");
    if (text.size() > 900)
        return QStringLiteral("Too long string");
    static const QString delimiters = QStringLiteral(" -+*/()");
    QString result;
    QString piece;
    qsizetype afterDelimiter = 0; // in `piece`; 0 while it holds no delimiter
    for (const QChar c : text) {
        piece += c;
        if (delimiters.contains(c))
            afterDelimiter = piece.size();
        if (piece.size() == pieceLength) {
            const qsizetype cut = afterDelimiter > 0 ? afterDelimiter : piece.size();
            result += piece.left(cut) + suffix + QStringLiteral("\r\n");
            piece = piece.mid(cut);
            afterDelimiter = 0;
            for (qsizetype i = 0; i < piece.size(); ++i)
                if (delimiters.contains(piece.at(i)))
                    afterDelimiter = i + 1;
        }
    }
    return result + piece + suffix;
}

} // namespace mx
