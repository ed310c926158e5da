#include "TapeMemo.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QMimeData>
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

void TapeMemo::appendLines(const QStringList& lines)
{
    if (lines.isEmpty())
        return;
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    m_writing = true;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    if (m_hasLines)
        cursor.insertBlock();
    // One insertion: each line feed becomes a block of its own.
    cursor.insertText(lines.join(QLatin1Char('\n')));
    cursor.endEditBlock();
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

qsizetype TapeMemo::lineCount() const
{
    return m_hasLines ? document()->blockCount() : 0;
}

QString TapeMemo::line(qsizetype index) const
{
    if (index < 0 || index >= lineCount())
        return QString();
    return document()->findBlockByNumber(int(index)).text();
}

QString TapeMemo::tapeText() const
{
    if (!m_hasLines)
        return QString();
    // The raw text keeps no-break spaces (the Russian group mark); blocks are separated by
    // the paragraph separator.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text += QLatin1Char('\n');
    return text;
}

void TapeMemo::setTapeText(const QString& text)
{
    if (text.isEmpty()) {
        clearTape();
        return;
    }
    m_writing = true;
    setPlainText(text.endsWith(QLatin1Char('\n')) ? text.chopped(1) : text);
    m_writing = false;
    m_hasLines = true;
}

void TapeMemo::truncateTape(qsizetype count)
{
    if (count >= lineCount())
        return;
    if (count <= 0) {
        clearTape();
        return;
    }
    m_writing = true;
    QTextCursor cursor(document()->findBlockByNumber(int(count - 1)));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_writing = false;
}

void TapeMemo::scrollToEnd()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TapeMemo::mousePressEvent(QMouseEvent* event)
{
    m_caretBeforePress = textCursor();
    m_pressTime = event->timestamp();
    QPlainTextEdit::mousePressEvent(event);
}

void TapeMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && onDoubleClick) {
        // The first click of the pair moved the caret; a press longer ago is another click.
        const bool pairedPress =
            !m_caretBeforePress.isNull() &&
            event->timestamp() - m_pressTime <= quint64(QApplication::doubleClickInterval());
        const QTextCursor caret = pairedPress ? m_caretBeforePress : textCursor();
        const QTextCursor at = cursorForPosition(event->position().toPoint());
        if (onDoubleClick(at.block().text(), at.positionInBlock())) {
            setTextCursor(caret);
            event->accept();
            return;
        }
    }
    QPlainTextEdit::mouseDoubleClickEvent(event);
}

void TapeMemo::contextMenuEvent(QContextMenuEvent* event)
{
    // The commands act on the line under the mouse unless text is selected.
    if (!textCursor().hasSelection())
        setTextCursor(cursorForPosition(event->pos()));
    QMenu* menu = createStandardContextMenu(event->pos());
    if (!m_contextActions.isEmpty()) {
        menu->addSeparator();
        menu->addActions(m_contextActions);
    }
    menu->exec(event->globalPos());
    delete menu;
}

bool TapeMemo::canInsertFromMimeData(const QMimeData* source) const
{
    return source && source->hasText();
}

void TapeMemo::insertFromMimeData(const QMimeData* source)
{
    // An empty clipboard (its owner has quit) may hand over no data at all, or data without
    // text: nothing is pasted. Only plain text enters the tape.
    if (!source || !source->hasText())
        return;
    const QString text = source->text();
    if (!text.isEmpty())
        insertPlainText(text);
}

} // namespace mx
