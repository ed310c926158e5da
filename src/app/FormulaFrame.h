#pragma once

#include <QGroupBox>

#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace mx {

class FormulaEdit;
class NumericEdit;
class NumericField;

// The formula frame below the keypad: the formula line, its result, Calculate and Clear,
// the two tape switches and the eighteen function buttons that insert call templates at
// the line's caret. The main window wires its events.
class FormulaFrame : public QGroupBox
{
    Q_OBJECT

public:
    FormulaFrame(NumericField& result, const QFont& mono, QWidget* parent);

    // Its height; the window grows by it and 5 when the frame shows.
    static constexpr int kHeight = 152;

    // Lays the frame out for a width: the formula line takes what the result field, the
    // equals sign and the margins leave; the result column follows its right end.
    void layoutForWidth(int frameWidth);
    // The function list's width, its buttons sharing it in six columns.
    void setFunctionListWidth(int listWidth);

    // Replaces the formula line's selection (or inserts at its caret) by the template, sets
    // the caret `caretBack` characters before the insertion's end and gives the line the
    // focus. Without a caret move (kNoCaretMove, pi) the caret stays behind the insertion and
    // the focus where it is.
    void InsertTemplate(const QString& name, int caretBack);

    FormulaEdit* edClsFormula;
    // The formula's value while it is typed, over the right end of the formula line.
    QLabel* lbClsFrmlHint;
    QLabel* lbClsFrmlEqv;
    NumericEdit* edClsFrmlRes;
    QPushButton* btClsRun;
    QPushButton* btClsClear;
    QCheckBox* cbClsFrmlHistory;
    QCheckBox* cbClsFrmlResHistory;
    QGroupBox* gbClsFrmlFuncList;
    // The function buttons row by row, made from the formula function table.
    std::vector<QPushButton*> functionButtons;

private:
    struct Place
    {
        int row;
        int column;
    };
    std::vector<Place> m_functionPlaces; // beside functionButtons
};

} // namespace mx
