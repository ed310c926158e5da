#include "NumericField.h"

namespace mx {

NumericField::NumericField(const QString& name, const QString& displayFormat,
                           const NumberSeparators& seps, QObject* parent)
    : QObject(parent), m_format(displayFormat), m_numbers(seps)
{
    setObjectName(name);
    m_text = formatValue(0);
}

void NumericField::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_valueKnown = false;
    emit textChanged(m_text);
}

CalcValue NumericField::value() const
{
    if (!m_valueKnown) {
        m_value = m_numbers.readField(m_text).value;
        m_valueKnown = true;
    }
    return m_value;
}

void NumericField::setValue(CalcValue v)
{
    if (!m_text.isEmpty() && value() == v)
        return;
    setText(formatValue(v));
}

void NumericField::setDisplayFormat(const QString& picture)
{
    const CalcValue v = value();
    if (picture != m_format.picture())
        m_format = PictureFormat(picture);
    setText(formatValue(v));
}

void NumericField::reformat()
{
    setText(formatValue(value()));
}

} // namespace mx
