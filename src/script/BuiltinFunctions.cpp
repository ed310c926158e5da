#include "BuiltinFunctions.h"

#include <cmath>

namespace mx {

namespace {

double fnSin(const double* a) { return std::sin(a[0]); }
double fnCos(const double* a) { return std::cos(a[0]); }
double fnExp(const double* a) { return std::exp(a[0]); }
double fnLn(const double* a) { return std::log(a[0]); }
double fnSqrt(const double* a) { return std::sqrt(a[0]); }
double fnInt(const double* a) { return std::trunc(a[0]); }
double fnFrac(const double* a) { return a[0] - std::trunc(a[0]); }
double fnPi(const double*) { return 3.1415926535897932385; }

} // namespace

const std::vector<ScriptFunction>& builtinFunctions()
{
    static const std::vector<ScriptFunction> functions = {
        {QStringLiteral("Sin"), 1, fnSin, {}},   {QStringLiteral("Cos"), 1, fnCos, {}},
        {QStringLiteral("Exp"), 1, fnExp, {}},   {QStringLiteral("Ln"), 1, fnLn, {}},
        {QStringLiteral("Sqrt"), 1, fnSqrt, {}}, {QStringLiteral("Int"), 1, fnInt, {}},
        {QStringLiteral("Frac"), 1, fnFrac, {}}, {QStringLiteral("pi"), 0, fnPi, {}},
    };
    return functions;
}

} // namespace mx
