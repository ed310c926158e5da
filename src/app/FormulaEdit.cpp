#include "FormulaEdit.h"

#include <QKeyEvent>

#include <limits>

namespace mx {

FormulaEdit::FormulaEdit(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("edClsFormula"));
    setAccessibleName(QStringLiteral("Строка формулы"));
    setMaxLength(std::numeric_limits<int>::max());
}

FormulaEdit::Caret FormulaEdit::caret() const
{
    return {cursorPosition(), hasSelectedText() ? selectionStart() : -1, int(selectedText().size())};
}

void FormulaEdit::restore(const Caret& c)
{
    if (c.selectionStart < 0) {
        setCursorPosition(c.cursor);
    } else if (c.cursor == c.selectionStart) {
        // Selected from right to left: the caret stays at the selection's start.
        setSelection(c.selectionStart + c.selectionLength, -c.selectionLength);
    } else {
        setSelection(c.selectionStart, c.selectionLength);
    }
}

void FormulaEdit::focusInEvent(QFocusEvent* event)
{
    // Entering by Tab would select the whole line; the caret stays where the user left it.
    const Caret kept = caret();
    QLineEdit::focusInEvent(event);
    restore(kept);
    emit entered();
}

void FormulaEdit::focusOutEvent(QFocusEvent* event)
{
    const Caret kept = caret();
    QLineEdit::focusOutEvent(event);
    restore(kept);
    emit exited();
}

void FormulaEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace mx
