#pragma once

#include <QLineEdit>

namespace mx {

// The formula line: a one-line edit that keeps its caret and selection while another
// control has the focus (function buttons insert there), selects nothing by itself on
// gaining the focus, and reports Enter, whatever the modifiers, and its focus changes.
class FormulaEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit FormulaEdit(QWidget* parent);

signals:
    void entered();
    void exited();
    void enterPressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Caret
    {
        int cursor;
        int selectionStart; // -1 without a selection
        int selectionLength;
    };
    Caret caret() const;
    void restore(const Caret& c);
};

} // namespace mx
