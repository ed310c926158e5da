#include "FormulaFunctions.h"

#include "FormulaFunctionTable.h"
#include "script/Script.h"
#include "script/ScriptError.h"
#include "script/ScriptScope.h"

#include <cfenv>
#include <cmath>
#include <cstdint>

namespace mx {

namespace {

constexpr long double kDegToRad = 0.017453292519943295;
constexpr long double kFullTurn = 6.283185307179586;

// Truncation towards zero to a signed 64-bit integer; a value outside its range fails.
std::int64_t truncToInt64(long double q)
{
    if (!(std::fabs(q) < 9223372036854775808.0L))
        throw ScriptError(QStringLiteral("Trunc out of range"));
    return std::int64_t(q);
}

long double modulo(long double x1, long double x2)
{
    return x1 - x2 * (long double)truncToInt64(x1 / x2);
}

// X raised to a whole power by repeated squaring over the bits of the exponent.
long double integerPower(long double x, std::uint32_t n)
{
    long double result = 1;
    while (n != 0) {
        if (n & 1)
            result *= x;
        n >>= 1;
        if (n != 0)
            x *= x;
    }
    return result;
}

} // namespace

namespace formula {

double Tg(double x) { return double(std::tan((long double)x)); }
double ArcTg(double x) { return double(std::atan((long double)x)); }
double Log(double x) { return double(std::log10((long double)x)); }
double Lg(double x) { return double(std::log2((long double)x)); }
double M0d(double x1, double x2) { return double(modulo(x1, x2)); }
double Rad(double x) { return double(modulo(x, 360) * kDegToRad); }
double Deg(double x) { return double(modulo(x, kFullTurn) / kDegToRad); }

double ArcSin(double x)
{
    const long double v = x;
    return double(std::atan2(v, std::sqrt(1 - v * v)));
}

double ArcCos(double x)
{
    const long double v = x;
    return double(std::atan2(std::sqrt(1 - v * v), v));
}

double Power(double base, double exponent)
{
    if (exponent == 0)
        return 1;
    if (base == 0 && exponent > 0)
        return 0;
    if (std::trunc(exponent) == exponent && std::fabs(exponent) <= 2147483647.0) {
        const auto magnitude = std::uint32_t(std::fabs(exponent));
        if (exponent > 0)
            return double(integerPower(base, magnitude));
        // A power too large for even the wide type has a reciprocal too small for a double:
        // that is an underflow, which is no fault.
        std::fexcept_t flags;
        std::fegetexceptflag(&flags, FE_OVERFLOW);
        const long double p = integerPower(base, magnitude);
        if (std::isinf(p)) {
            std::fesetexceptflag(&flags, FE_OVERFLOW);
            return 0;
        }
        return double(1 / p);
    }
    if (base < 0)
        throw ScriptError(QStringLiteral("Negative base with a fractional exponent"));
    return double(std::exp((long double)exponent * std::log((long double)base)));
}

} // namespace formula

double CallMetod(const QString& name, std::span<const double> args)
{
    for (const FormulaFunction& f : formulaFunctionTable()) {
        if (!f.compute || name.compare(QLatin1String(f.hostName), Qt::CaseInsensitive) != 0)
            continue;
        // The engine checks the count when it compiles; a call from elsewhere is checked here.
        if (args.size() != std::size_t(f.arity))
            throw ScriptError(QStringLiteral("Wrong number of arguments for ") + name);
        return f.compute(args);
    }
    throw ScriptError(QStringLiteral("Unknown host function ") + name);
}

void RegisterFormulaFunctions(ScriptScope& global, Script& script)
{
    script.setParent(&global);
    global.declareVariable(kFormulaResultVar, QStringLiteral("real"), 0);
    // A scope that has them already (a second main window in one run) keeps them: the
    // dispatcher holds no state, so the first registration serves every window.
    for (const FormulaFunction& f : formulaFunctionTable()) {
        if (f.declaration)
            global.registerFunction(QLatin1String(f.declaration), CallMetod);
    }
}

} // namespace mx
