#pragma once

#include <QLineEdit>

namespace mx {

class NumericField;

// The edit control that shows a numeric field. The field owns the text; the control
// mirrors it and reformats it on gaining and losing focus.
class NumericEdit : public QLineEdit
{
    Q_OBJECT

public:
    NumericEdit(NumericField& field, QWidget* parent);

    NumericField& field() { return m_field; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    NumericField& m_field;
};

} // namespace mx
