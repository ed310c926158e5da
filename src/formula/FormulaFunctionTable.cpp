#include "FormulaFunctionTable.h"

#include "FormulaFunctions.h"

#include <array>

namespace mx {

namespace {

using F = FormulaFunction;
using Args = std::span<const double>;

constexpr std::array kFunctions{
    F{"ArcSin", "function ArcSin(X1 : real) : real", "ArcSin", 1,
      [](Args a) { return formula::ArcSin(a[0]); }, " ArcSin(  ) ", 3, nullptr, "btFrmlArcSin",
      u"Вставить ArcSin", 1, 1},
    F{"ArcCos", "function ArcCos(X1 : real) : real", "ArcCos", 1,
      [](Args a) { return formula::ArcCos(a[0]); }, " ArcCos(  ) ", 3, nullptr, "btFrmlArcCos",
      u"Вставить ArcCos", 2, 1},
    F{"ArcTg", "function ArcTg(X : real) : real", "ArcTg", 1,
      [](Args a) { return formula::ArcTg(a[0]); }, " ArcTg(  ) ", 3, nullptr, "btFrmlArcTg",
      u"Вставить ArcTg", 3, 1},
    F{"Sin", nullptr, nullptr, 1, nullptr, " Sin(  ) ", 3, nullptr, "btFrmlSin", u"Вставить Sin", 1, 2},
    F{"Cos", nullptr, nullptr, 1, nullptr, " Cos(  ) ", 3, nullptr, "btFrmlCos", u"Вставить Cos", 2, 2},
    F{"Tg", "function Tg(X : real) : real", "Tg", 1, [](Args a) { return formula::Tg(a[0]); },
      " Tg(  ) ", 3, nullptr, "btFrmlTg", u"Вставить Tg", 3, 2},
    F{"Exp", nullptr, nullptr, 1, nullptr, " Exp(  ) ", 3, nullptr, "btFrmlExp", u"Вставить Exp", 1, 4},
    F{"Power", "function Power(X1, X2 : real) : real", "Power", 2,
      [](Args a) { return formula::Power(a[0], a[1]); }, " Power( , ) ", 4, u"x^y", "btFrmlPower",
      u"Вставить Power", 2, 4},
    F{"pi", nullptr, nullptr, 0, nullptr, " pi ", kNoCaretMove, u"3.14...", "btFrmlPi", u"Вставить pi",
      3, 3},
    F{"Ln", nullptr, nullptr, 1, nullptr, " Ln(  ) ", 3, nullptr, "btFrmlLn", u"Вставить Ln", 1, 5},
    F{"Log", "function Log(X : real) : real", "Log", 1, [](Args a) { return formula::Log(a[0]); },
      " Log(  ) ", 3, u"Log10", "btFrmlLog10", u"Вставить Log", 2, 5},
    F{"Lg", "function Lg(X : real) : real", "Lg", 1, [](Args a) { return formula::Lg(a[0]); },
      " Lg(  ) ", 3, u"Log2", "btFrmlLog2", u"Вставить Lg", 3, 5},
    F{"Sqrt", nullptr, nullptr, 1, nullptr, " Sqrt(  ) ", 3, nullptr, "btFrmlSqrt", u"Вставить Sqrt",
      3, 4},
    F{"Mod", "function M0d(X1, X2 : real) : real", "M0d", 2,
      [](Args a) { return formula::M0d(a[0], a[1]); }, " Mod( , ) ", 4, u"Остаток x/y", "btFrmlMod",
      u"Вставить Mod", 1, 6},
    F{"Rad", "function Rad(X : real) : real", "Rad", 1, [](Args a) { return formula::Rad(a[0]); },
      " Rad(  ) ", 3, u"Градусы в радианы", "btFrmlRad", u"Вставить Rad", 1, 3},
    F{"Deg", "function Deg(X : real) : real", "Deg", 1, [](Args a) { return formula::Deg(a[0]); },
      " Deg(  ) ", 3, u"Радианы в градусы", "btFrmlDeg", u"Вставить Deg", 2, 3},
    F{"Int", nullptr, nullptr, 1, nullptr, " Int(  ) ", 3, u"Целая часть числа", "btFrmlInt",
      u"Вставить Int", 2, 6},
    F{"Frac", nullptr, nullptr, 1, nullptr, " Frac(  ) ", 3, u"Дробная часть числа", "btFrmlFrac",
      u"Вставить Frac", 3, 6},
};

} // namespace

std::span<const FormulaFunction> formulaFunctionTable()
{
    return kFunctions;
}

} // namespace mx
