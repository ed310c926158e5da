#include "CalcCore.h"

#include "CalcHost.h"
#include "NumberFormats.h"
#include "Registers.h"

#include <algorithm>

namespace mx {

namespace {
const QString kInitialFieldFormat = QStringLiteral("###,###,##0.00");
}

CalcCore::CalcCore(const NumberSeparators& seps, CalcHost& host, MessagePort& messages,
                   TapeSink& tapeSink)
    : edOp0(QStringLiteral("edOp0"), kInitialFieldFormat, seps),
      edOp1(QStringLiteral("edOp1"), kInitialFieldFormat, seps),
      edOp2(QStringLiteral("edOp2"), kInitialFieldFormat, seps),
      edMem(QStringLiteral("edMem"), kInitialFieldFormat, seps), evaluator(messages, settings),
      tape(tapeSink, seps), m_numbers(seps), m_host(host), m_messages(messages)
{
}

void CalcCore::SetPendingOp(const QString& code, const QString& label)
{
    state.PendingOp = code;
    state.PendingLabel = label;
    m_host.showLastOp(code);
}

void CalcCore::RestoreKeyFocus()
{
    if (state.KeyFocusReady)
        m_host.parkKeyFocus();
}

void CalcCore::ParkFocus()
{
    // Passing through the input field shows its text again through the display format.
    edOp0.reformat();
    m_host.parkKeyFocus();
}

void CalcCore::BuildFormats()
{
    const BuiltFormats formats = buildNumberFormats(settings.DecPos, settings.DigitGrouping);
    state.DisplayFmt = formats.display;
    state.HistoryFmt = formats.history;
    tape.setHistoryFormat(formats.history);
    state.FormatsReady = true;
}

void CalcCore::ApplyDisplayFormat()
{
    if (!state.FormatsReady)
        return;
    for (NumericField* field : {&edOp0, &edOp1, &edOp2, &edMem})
        field->setDisplayFormat(state.DisplayFmt);
    for (NumericField* field : m_extraFields)
        field->setDisplayFormat(state.DisplayFmt);
}

void CalcCore::setDecPos(int decPos)
{
    settings.DecPos = std::clamp(decPos, 0, CalcSettings::kFloatingDecPos);
    BuildFormats();
    ApplyDisplayFormat();
}

void CalcCore::setDigitGrouping(bool grouping)
{
    settings.DigitGrouping = grouping;
    BuildFormats();
    ApplyDisplayFormat();
}

void CalcCore::setRadian(bool radian)
{
    settings.Radian = radian;
    state.AngleMark = radian ? QStringLiteral(" R") : QStringLiteral(" D");
}

void CalcCore::setSettings(const CalcSettings& s)
{
    // The fields are shown again only when their format changes (always at the first call),
    // so that applying unchanged settings keeps an entry's typed decimal zeros.
    const bool formatsChange = !state.FormatsReady || s.DecPos != settings.DecPos ||
                               s.DigitGrouping != settings.DigitGrouping;
    settings = s;
    setRadian(s.Radian);
    if (formatsChange)
        setDecPos(s.DecPos);
}

void CalcCore::start(const CalcSettings& loaded)
{
    setSettings(loaded);
    state.NewNumber = false;
    state.OpPending = false;
    state.OpJustPressed = true;
    state.EntryActive = false;
    ClearRegister(edOp0);
    ClearRegister(edMem);
    m_host.showLastOp(QString());
    state.KeyFocusReady = true;
}

} // namespace mx
