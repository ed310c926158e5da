#include "FormulaCalc.h"

#include "FormulaFunctions.h"
#include "FormulaText.h"
#include "TapeLines.h"
#include "engine/CalcCore.h"
#include "engine/TapeSink.h"
#include "script/ScriptError.h"
#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include <algorithm>
#include <exception>

namespace mx {

namespace {

const QString kPositionError = QStringLiteral("Синтаксическая ошибка в поз. ");

// The extra line of a compile error's message, from the kind of the error.
QString extraText(CompileErrorKind kind)
{
    switch (kind) {
    case CompileErrorKind::NotEnoughParameters:
        return QStringLiteral("Мало параметров");
    case CompileErrorKind::TooManyParameters:
        return QStringLiteral("Неизвестная функция или\rМного параметров");
    default:
        return {};
    }
}

} // namespace

FormulaCalc::FormulaCalc(CalcCore& core, ScriptScope& global)
    : edClsFrmlRes(QStringLiteral("edClsFrmlRes"), core.state.DisplayFmt, core.seps()),
      m_core(core), m_global(global)
{
    m_core.addDisplayField(edClsFrmlRes);
    RegisterFormulaFunctions(m_global, fsScript);
}

std::optional<qsizetype> FormulaCalc::btClsRunClick(const QString& formulaText)
{
    qsizetype leading = 0;
    const QString f = trimmedFormula(formulaText, leading);
    if (f.isEmpty())
        return std::nullopt;
    if (!endsAcceptably(f))
        return positionError(kPositionError + QString::number(f.size()), f.size() - 1, leading);
    // The line is one line: a line break, a tab or another control character inside the
    // formula (the field joins pasted lines, but its text may be set otherwise) is refused
    // where it stands, as any other character the language does not know.
    const auto control = std::find_if(f.cbegin(), f.cend(), [](QChar c) { return c < u' '; });
    if (control != f.cend()) {
        const qsizetype at = control - f.cbegin();
        return positionError(kPositionError + QString::number(at + 1), at, leading);
    }
    const QString program = formulaProgram(f);

    fsScript.clear();
    fsScript.setProgram(program, formulaProgramStart());
    fsScript.setParent(&m_global);
    bool compiled = false;
    try {
        compiled = fsScript.compile();
    } catch (const std::exception& e) {
        showError(QStringLiteral("Синтаксическая ошибка\r") + QString::fromUtf8(e.what()));
        return std::nullopt;
    }
    if (!compiled) {
        // The character after the reported column is shown and selected, always one of the
        // formula's own.
        const qsizetype at = std::clamp<qsizetype>(fsScript.errorColumn(), 0, f.size() - 1);
        return positionError(kPositionError + QString::number(at + 1) + QLatin1Char('\r') +
                                 extraText(fsScript.errorKind()),
                             at, leading);
    }
    try {
        fsScript.execute();
    } catch (const std::exception&) {
        showError(QStringLiteral("Ошибка выполнения\r\rВозможная причина:\r- Аргумент выходит "
                                 "за допустимые границы\r- Деление на ноль"));
        return std::nullopt;
    }
    const std::optional<double> value = fsScript.variable(kFormulaResultVar);
    if (!value) {
        showError(QStringLiteral("Синтаксическая ошибка или\rНеизвестная функция"));
        return std::nullopt;
    }
    edClsFrmlRes.setValue(*value);
    writeTape(f);
    return std::nullopt;
}

void FormulaCalc::writeTape(const QString& formula)
{
    TapeSink& sink = m_core.tape.sink();
    if (m_core.settings.FrmlHistory) {
        sink.appendLine(QStringLiteral(" "));
        const QString lines = SplitToTapeLines(formula, QStringLiteral("  "), 30);
        for (const QString& line : lines.split(QStringLiteral("\r\n")))
            sink.appendLine(line);
    }
    if (m_core.settings.FrmlResHistory) {
        // Read back from the field, so the tape carries the rounding it shows.
        m_core.tape.WriteTapeLine(QStringLiteral("="), m_core.tapeNumber(edClsFrmlRes),
                                  BlankSuffix);
        sink.appendLine(QStringLiteral(" "));
    }
}

qsizetype FormulaCalc::positionError(const QString& message, qsizetype offset, qsizetype leading)
{
    m_core.messages().ShowMsgDlg(message, mkWarning, mbOKOnly, hcMessages);
    // The offset counts in the trimmed formula; the field still holds what was trimmed.
    return std::max<qsizetype>(offset, 0) + leading;
}

void FormulaCalc::showError(const QString& message)
{
    m_core.messages().ShowMsgDlg(message, mkError, mbOKOnly, hcMessages);
}

void FormulaCalc::btClsClearClick()
{
    // Set as text, not formatted: the cleared result reads "0.0" in every locale.
    edClsFrmlRes.setText(QStringLiteral("0.0"));
}

void FormulaCalc::resetResult()
{
    edClsFrmlRes.setValue(0);
}

} // namespace mx
