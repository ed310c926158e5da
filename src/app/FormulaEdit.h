#pragma once

#include <QLineEdit>

namespace mx {

// The formula line: a one-line edit that keeps its caret and selection while another
// control has the focus (function buttons insert there), selects nothing by itself on
// gaining the focus, and reports Enter, whatever the modifiers, and Up and Down, which walk
// through the formulas run before. It holds at most kMaxLength characters, on one line:
// pasted or dropped lines are joined by a blank, and a tab or any other control character
// becomes a blank, as the line would show it.
class FormulaEdit : public QLineEdit
{
    Q_OBJECT

public:
    // The longest formula the line takes; a paste beyond it is cut there, with a beep.
    static constexpr int kMaxLength = 100000;

    explicit FormulaEdit(QWidget* parent);

signals:
    void enterPressed();
    // Up (`older`) or Down without modifiers.
    void recallPressed(bool older);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Caret
    {
        int cursor;
        int selectionStart; // -1 without a selection
        int selectionLength;
    };
    // Inserting `inserted` in place of the selection would pass the length limit.
    bool overflows(const QString& inserted) const;
    Caret caret() const;
    void restore(const Caret& c);
};

} // namespace mx
