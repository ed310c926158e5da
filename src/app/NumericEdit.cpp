#include "NumericEdit.h"

#include "engine/NumericField.h"

namespace mx {

NumericEdit::NumericEdit(NumericField& field, QWidget* parent)
    : QLineEdit(parent), m_field(field)
{
    setObjectName(field.objectName());
    setReadOnly(true);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(field.text());
    connect(&field, &NumericField::textChanged, this, &QLineEdit::setText);
}

void NumericEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    m_field.reformat();
}

void NumericEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    m_field.reformat();
}

} // namespace mx
