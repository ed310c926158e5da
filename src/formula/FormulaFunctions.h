#pragma once

#include <QString>

#include <span>

namespace mx {

class Script;
class ScriptScope;

// The ten host functions of the formula line. The arguments arrive as doubles and every
// result leaves as a double; the computation in between is in extended precision.
// Failures that are no floating-point fault (a Trunc out of range, a negative base with a
// fractional exponent) throw ScriptError.
namespace formula {

double Tg(double x);
double ArcTg(double x);
double Log(double x); // base 10
double Lg(double x);  // base 2
// X1 - X2 * Trunc(X1 / X2): the remainder of the truncated division, signed like X1.
double M0d(double x1, double x2);
// Degrees to radians and back, each after reducing the angle to one turn.
double Rad(double x);
double Deg(double x);
double ArcSin(double x);
double ArcCos(double x);
double Power(double base, double exponent);

} // namespace formula

// The one dispatcher the engine calls for every host function: the name (compared without
// regard to letter case) picks the function, the arguments are its operands.
double CallMetod(const QString& name, std::span<const double> args);

// Prepares the engine for formulas: `script`'s parent becomes the global scope, which
// receives the result variable and the ten host functions, all answered by CallMetod.
void RegisterFormulaFunctions(ScriptScope& global, Script& script);

// The result variable every formula program assigns to.
inline const QString kFormulaResultVar = QStringLiteral("A534bcd");

} // namespace mx
