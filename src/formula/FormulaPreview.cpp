#include "FormulaPreview.h"

#include "FormulaFunctions.h"
#include "FormulaText.h"
#include "script/Script.h"
#include "script/ScriptScope.h"

#include <exception>

namespace mx {

std::optional<double> previewFormula(const QString& formulaText)
{
    qsizetype leading = 0;
    const QString f = trimmedFormula(formulaText, leading);
    if (!endsAcceptably(f))
        return std::nullopt;
    ScriptScope global;
    Script script;
    RegisterFormulaFunctions(global, script);
    script.setProgram(formulaProgram(f));
    try {
        if (!script.compile())
            return std::nullopt;
        script.execute();
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return script.variable(kFormulaResultVar);
}

} // namespace mx
