#include "TapeMemo.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace mx {

TapeMemo::TapeMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("meClsHistory"));
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    if (!QFontInfo(mono).fixedPitch())
        mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(mono);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight);
    document()->setDefaultTextOption(option);
    setUndoRedoEnabled(false);
}

void TapeMemo::appendLine(const QString& line)
{
    appendPlainText(line);
}

void TapeMemo::clearTape()
{
    clear();
}

QStringList TapeMemo::tapeLines() const
{
    QStringList lines;
    const QTextDocument* doc = document();
    if (doc->isEmpty())
        return lines;
    lines.reserve(doc->blockCount());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        lines.append(b.text());
    return lines;
}

void TapeMemo::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    emit entered();
}

void TapeMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    emit exited();
}

} // namespace mx
