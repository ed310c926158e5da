#include "NumberEntry.h"

#include "CalcCore.h"
#include "CalcFault.h"
#include "CalcHost.h"
#include "NumberText.h"
#include "Registers.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include <cmath>

namespace mx {

namespace {

constexpr long double kGeneralFormLimit = 1e18L;

bool hasExponent(const QString& text)
{
    return text.contains(QLatin1Char('E')) || text.contains(QLatin1Char('e'));
}

} // namespace

bool NumberEntry::AppendEntry(NumericField& reg, const QString& characters)
{
    const QChar point = m_core.seps().decimal;
    QString s = reg.text();
    if (reg.value() == 0 && !s.contains(point))
        s = QStringLiteral("0");
    const int p = int(s.indexOf(point)) + 1;
    // Characters appended to an exponent form would land in the exponent and change the
    // number by powers of ten: such a text is refused like a digit too many.
    if (hasExponent(s) || (p > 0 && int(s.size()) - p >= m_core.settings.DecPos)) {
        m_core.host().beep();
        return false;
    }
    const bool hadText = !s.isEmpty();
    s += characters;
    if (hadText && s.startsWith(QLatin1Char('0')) && (s.size() < 2 || s[1] != point))
        s.remove(0, 1);

    if (m_core.numbers().readField(s).overflow) {
        m_core.messages().ShowMsgDlg(faultMessage(CalcFault::Overflow), mkError, mbOKOnly,
                                     hcMessages);
        return false;
    }
    reg.setText(s);
    return true;
}

void NumberEntry::EnterDigit(const QString& digit)
{
    CalcState& st = m_core.state;
    if (st.NewNumber)
        ShiftRegisters(m_core.edOp0, m_core.edOp1, m_core.edOp2);
    const bool accepted = AppendEntry(m_core.edOp0, digit);
    if (st.AfterEquals)
        st.OpPending = false;
    st.AfterEquals = false;
    st.NewNumber = false;
    st.OpJustPressed = false;
    // A refused digit changes nothing but the beep; the text is not shown again.
    if (accepted)
        showEntry();
    else
        m_core.host().parkKeyFocus();
    st.EntryActive = true;
}

void NumberEntry::EnterZero()
{
    CalcState& st = m_core.state;
    if (st.NewNumber)
        ShiftRegisters(m_core.edOp0, m_core.edOp1, m_core.edOp2);
    if (m_core.edOp0.text().trimmed() != QLatin1String("0"))
        AppendEntry(m_core.edOp0, QStringLiteral("0"));
    st.NewNumber = false;
    st.OpJustPressed = false;
    st.EntryActive = true;
    m_core.RestoreKeyFocus();
}

void NumberEntry::EnterPoint()
{
    CalcState& st = m_core.state;
    if (st.NewNumber)
        ShiftRegisters(m_core.edOp0, m_core.edOp1, m_core.edOp2);
    const QChar point = m_core.seps().decimal;
    if (m_core.edOp0.text().contains(point))
        m_core.host().beep();
    else
        AppendEntry(m_core.edOp0, QString(point));
    st.NewNumber = false;
    st.OpJustPressed = false;
    st.EntryActive = true;
    m_core.RestoreKeyFocus();
}

void NumberEntry::ToggleSign()
{
    const QString t = m_core.edOp0.text();
    if (t.isEmpty())
        return;
    QString next;
    if (t.size() == 1) {
        next = (t == QLatin1String("0") || t == QLatin1String("-")) ? QStringLiteral("-0")
                                                                    : QLatin1Char('-') + t;
    } else {
        next = t.startsWith(QLatin1Char('-')) ? t.mid(1) : QLatin1Char('-') + t;
    }
    m_core.edOp0.setText(next);
    m_core.RestoreKeyFocus();
}

void NumberEntry::Backspace()
{
    CalcState& st = m_core.state;
    if (!st.EntryActive) {
        m_core.RestoreKeyFocus();
        return;
    }
    QString t = m_core.edOp0.text();
    if (t.size() <= 1) {
        t = QStringLiteral("0");
        st.EntryActive = false;
    } else {
        t.chop(1);
    }
    m_core.edOp0.setText(t);
    showEntry();
}

bool NumberEntry::PasteNumber(const QString& text)
{
    const NumberRead parsed = m_core.numbers().read(text);
    if (parsed.status == NumberRead::Empty) {
        m_core.host().beep();
        return false;
    }
    if (parsed.status == NumberRead::OutOfRange) {
        m_core.messages().ShowMsgDlg(faultMessage(CalcFault::Overflow), mkError, mbOKOnly,
                                     hcMessages);
        return false;
    }
    if (!parsed.ok()) {
        m_core.messages().ShowMsgDlg(NumberText::refusal(parsed.status, text), mkWarning,
                                     mbOKOnly, hcMessages);
        return false;
    }
    EnterNumber(parsed.value);
    return true;
}

void NumberEntry::EnterNumber(CalcValue value)
{
    CalcState& st = m_core.state;
    if (st.NewNumber)
        ShiftRegisters(m_core.edOp0, m_core.edOp1, m_core.edOp2);
    // Shown through the display format, which rounds it as the field stores every value.
    m_core.edOp0.setText(m_core.edOp0.formatValue(value));
    if (st.AfterEquals)
        st.OpPending = false;
    st.AfterEquals = false;
    st.NewNumber = false;
    st.OpJustPressed = false;
    st.EntryActive = true;
    m_core.RestoreKeyFocus();
}

QString NumberEntry::CopiedNumber() const
{
    return m_core.numbers().copyText(m_core.edOp0.text());
}

void NumberEntry::showEntry()
{
    NumericField& field = m_core.edOp0;
    if (hasExponent(field.displayFormat())) {
        // Floating mode: the typed digits as they are.
    } else if (std::fabs(field.value()) >= kGeneralFormLimit && !hasExponent(field.text())) {
        field.setText(regroupedEntry(field.text()));
    } else {
        field.reformat();
    }
    m_core.host().parkKeyFocus();
}

QString NumberEntry::regroupedEntry(const QString& text) const
{
    const NumberSeparators& seps = m_core.seps();
    QString plain = text;
    plain.remove(seps.thousands);
    if (!m_core.settings.DigitGrouping)
        return plain;
    const bool negative = plain.startsWith(QLatin1Char('-'));
    if (negative)
        plain.remove(0, 1);
    const int point = int(plain.indexOf(seps.decimal));
    const QString integer = point < 0 ? plain : plain.left(point);
    const QString rest = point < 0 ? QString() : plain.mid(point);
    QString grouped;
    for (int i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            grouped += seps.thousands;
        grouped += integer[i];
    }
    return (negative ? QStringLiteral("-") : QString()) + grouped + rest;
}

} // namespace mx
