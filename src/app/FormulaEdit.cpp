#include "FormulaEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

#include <algorithm>

namespace mx {

namespace {

bool breaksTheLine(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Keeps the line one line, whatever reaches it (typing, a paste, a drop, a program's text):
// a line break, or a run of them, becomes one blank, and every other control character a
// blank, so that the formula reads as the line shows it and every character the user sees is
// one of the formula's. The caret keeps its place among the characters kept.
class OneLineValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        const auto foreign = [](QChar c) { return c < u' ' || c == u'\x7f' || breaksTheLine(c); };
        if (std::none_of(input.cbegin(), input.cend(), foreign))
            return Acceptable;
        QString out;
        out.reserve(input.size());
        int newPos = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input.at(i);
            if (breaksTheLine(c) && i > 0 && breaksTheLine(input.at(i - 1))) {
                if (i < pos)
                    --newPos; // one blank for the whole run
                continue;
            }
            out += foreign(c) ? QChar(u' ') : c;
        }
        input = out;
        pos = std::clamp(newPos, 0, int(out.size()));
        return Acceptable;
    }
};

} // namespace

FormulaEdit::FormulaEdit(QWidget* parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("edClsFormula"));
    setAccessibleName(QStringLiteral("Строка формулы"));
    // A line far beyond any formula would make every keystroke and every blink of the caret
    // lay out megabytes of text; what does not fit is neither typed nor pasted.
    setMaxLength(kMaxLength);
    setValidator(new OneLineValidator(this));
}

bool FormulaEdit::overflows(const QString& inserted) const
{
    return text().size() - selectedText().size() + inserted.size() > maxLength();
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
}

void FormulaEdit::focusOutEvent(QFocusEvent* event)
{
    const Caret kept = caret();
    QLineEdit::focusOutEvent(event);
    restore(kept);
}

void FormulaEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
        event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit recallPressed(event->key() == Qt::Key_Up);
        return;
    }
    const bool paste = event->matches(QKeySequence::Paste) ||
                       (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier);
    const QString inserted = paste ? QApplication::clipboard()->text() : event->text();
    if (!isReadOnly() && !inserted.isEmpty() && (paste || inserted.at(0).isPrint()) &&
        overflows(inserted))
        QApplication::beep();
    QLineEdit::keyPressEvent(event);
}

void FormulaEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QApplication::clipboard()->supportsSelection() &&
        overflows(QApplication::clipboard()->text(QClipboard::Selection)))
        QApplication::beep();
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace mx
