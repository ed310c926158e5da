// libFuzzer target for the expression engine: any bytes, read as UTF-8 and as Latin-1, are
// compiled and run as a formula program; each must end in a value or an error.
//   cmake -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DMX_FUZZ=ON
//   ninja -C build-fuzz mx_script_fuzzer && build-fuzz/mx_script_fuzzer -max_total_time=60
#include "formula/FormulaFunctions.h"
#include "script/Script.h"
#include "script/ScriptError.h"
#include "script/ScriptScope.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void runOne(mx::ScriptScope& global, const QString& text)
{
    mx::Script script;
    script.setParent(&global);
    script.setProgram(mx::kFormulaResultVar + QLatin1Char('=') + text);
    if (!script.compile()) {
        if (script.errorMessage().isEmpty() || !script.errorPosition().contains(u':'))
            std::abort(); // a failure must say what and where
        return;
    }
    try {
        script.execute();
    } catch (const mx::ScriptError&) {
        return;
    }
    const auto value = script.variable(mx::kFormulaResultVar);
    if (!value || std::isnan(*value) || std::isinf(*value))
        std::abort(); // a run without an error gives a finite number
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static mx::ScriptScope global;
    static mx::Script registration;
    static const bool ready = (mx::RegisterFormulaFunctions(global, registration), true);
    (void)ready;
    const auto* bytes = reinterpret_cast<const char*>(data);
    runOne(global, QString::fromUtf8(bytes, qsizetype(size)));
    runOne(global, QString::fromLatin1(bytes, qsizetype(size)));
    return 0;
}
