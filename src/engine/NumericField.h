#pragma once

#include "CalcValue.h"
#include "NumberText.h"
#include "PictureFormat.h"

#include <QObject>
#include <QString>

namespace mx {

// A numeric field whose value exists only as its text: writing a value formats it with the
// field's display format, reading parses the text. Every value stored in a field is thereby
// rounded to what the field shows. The window's edit control mirrors this text.
class NumericField : public QObject
{
    Q_OBJECT

public:
    NumericField(const QString& name, const QString& displayFormat,
                 const NumberSeparators& seps, QObject* parent = nullptr);

    const QString& text() const { return m_text; }
    void setText(const QString& text);

    CalcValue value() const;
    // Leaves the text untouched when the field already shows this value.
    void setValue(CalcValue value);

    const QString& displayFormat() const { return m_format.picture(); }
    // Re-reads the value and shows it again with the new format, so digits the new format
    // does not show are lost for good.
    void setDisplayFormat(const QString& picture);

    // Shows the text again through the display format, as on gaining or losing focus.
    void reformat();

    QString formatValue(CalcValue value) const { return m_numbers.picture(value, m_format); }
    const NumberSeparators& separators() const { return m_numbers.separators(); }

signals:
    void textChanged(const QString& text);

private:
    QString m_text;
    // The value the text reads as, parsed once per text.
    mutable CalcValue m_value = 0;
    mutable bool m_valueKnown = false;
    PictureFormat m_format;
    NumberText m_numbers;
};

} // namespace mx
