#include "TapeMemo.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace mx {

TapeMemo::TapeMemo(const QFont& font, QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("meClsHistory"));
    setAccessibleName(QStringLiteral("История вычислений"));
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(Qt::AlignRight);
    document()->setDefaultTextOption(option);
    setUndoRedoEnabled(false);
    // A document always holds one block, so an empty tape and a tape of one empty line look
    // alike to it; the tape keeps the difference itself. Edits by the user that leave the
    // document empty leave no lines.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_writing)
            m_hasLines = !document()->isEmpty();
    });
}

void TapeMemo::appendLine(const QString& line)
{
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    m_writing = true;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (m_hasLines)
        cursor.insertBlock();
    cursor.insertText(line);
    m_writing = false;
    m_hasLines = true;
    if (atEnd)
        bar->setValue(bar->maximum());
}

void TapeMemo::clearTape()
{
    m_writing = true;
    clear();
    m_writing = false;
    m_hasLines = false;
}

QStringList TapeMemo::tapeLines() const
{
    QStringList lines;
    if (!m_hasLines)
        return lines;
    const QTextDocument* doc = document();
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
