#include "KeypadLayout.h"

#include "engine/TableOrder.h"

#include <array>

namespace mx {

namespace {

using K = KeyId;
using C = KeyColour;

constexpr int col(int n) { return kKeypadColumns[n - 1]; }
constexpr int row(int n) { return kKeypadRows[n - 1]; }

constexpr KeypadButton key(K id, const char* name, const char* caption, int c, int r, C colour)
{
    return {id, name, caption, col(c), row(r), kKeyWidth, kKeyHeight, colour};
}

// In KeyId order.
constexpr std::array<KeypadButton, 49> kButtons{{
    key(K::Sta, "btSta", "Sta", 1, 1, C::Blue),
    key(K::Sin, "btSin", "Sin", 2, 1, C::Fuchsia),
    key(K::Exp, "btExp", "Exp", 3, 1, C::Fuchsia),
    key(K::Ln, "btLn", "Ln", 4, 1, C::Fuchsia),
    key(K::Log2, "btLog2", "Lg", 5, 1, C::Fuchsia),
    key(K::MC, "btCM", "MC", 6, 1, C::Red),
    key(K::D7, "bt7", "7", 7, 1, C::Blue),
    key(K::D8, "bt8", "8", 8, 1, C::Blue),
    key(K::D9, "bt9", "9", 9, 1, C::Blue),
    key(K::Div, "btDiv", "/", 10, 1, C::Red),
    key(K::Mod, "btMod", "Mod", 11, 1, C::Red),

    key(K::Ave, "btAve", "Ave", 1, 2, C::Blue),
    key(K::Cos, "btCos", "Cos", 2, 2, C::Fuchsia),
    key(K::XY, "btXY", "x^y", 3, 2, C::Fuchsia),
    key(K::Log10, "btLog10", "Log", 4, 2, C::Fuchsia),
    key(K::Sqrt, "btSqrt", "Sqrt", 5, 2, C::Fuchsia),
    key(K::MR, "btMR", "MR", 6, 2, C::Red),
    key(K::D4, "bt4", "4", 7, 2, C::Blue),
    key(K::D5, "bt5", "5", 8, 2, C::Blue),
    key(K::D6, "bt6", "6", 9, 2, C::Blue),
    key(K::Mult, "btMult", "*", 10, 2, C::Red),
    key(K::Int, "btInt", "Int", 11, 2, C::Red),

    key(K::Sum, "btSum", "Sum", 1, 3, C::Blue),
    key(K::Tg, "btTg", "Tg", 2, 3, C::Fuchsia),
    key(K::X3, "btX3", "x^3", 3, 3, C::Fuchsia),
    key(K::Nfakt, "btNfakt", "n!", 4, 3, C::Fuchsia),
    key(K::Percent, "btPercent", "%", 5, 3, C::Fuchsia),
    key(K::MS, "btMS", "MS", 6, 3, C::Red),
    key(K::D1, "bt1", "1", 7, 3, C::Blue),
    key(K::D2, "bt2", "2", 8, 3, C::Blue),
    key(K::D3, "bt3", "3", 9, 3, C::Blue),
    key(K::Minus, "btMinus", "-", 10, 3, C::Red),
    key(K::Frac, "btFrac", "Frac", 11, 3, C::Red),

    key(K::Dat, "btDat", "Dat", 1, 4, C::Blue),
    key(K::Pi, "btPi", "pi", 2, 4, C::Blue),
    key(K::X2, "btX2", "x^2", 3, 4, C::Fuchsia),
    key(K::Reciprocal, "bt1x", "1/x", 4, 4, C::Fuchsia),
    key(K::PercentAdd, "btPercentAdd", "+ %", 5, 4, C::Fuchsia),
    key(K::MPlus, "btMPlus", "M+", 6, 4, C::Red),
    key(K::D0, "bt0", "0", 7, 4, C::Blue),
    key(K::Sign, "btSign", "+ / -", 8, 4, C::Blue),
    key(K::Point, "btPoint", ".", 9, 4, C::Blue),
    key(K::Plus, "btPlus", "+", 10, 4, C::Red),
    key(K::Eqv, "btEqv", "=", 11, 4, C::Red),

    {K::Back, "btBack", "Backspace", 289, kKeypadTopRow, 84, kKeyHeight, C::Blue},
    {K::CE, "btCE", "CE", 377, kKeypadTopRow, 62, kKeyHeight, C::Red},
    {K::C, "btC", "C", 443, kKeypadTopRow, 62, kKeyHeight, C::Red},
    {K::CH, "btCH", "CH", 0, 0, 62, kKeyHeight, C::Red},
    {K::PH, "btPH", "PH", 0, 0, 62, kKeyHeight, C::Green},
}};
static_assert(idsInOrder(kButtons), "kButtons is indexed by KeyId");
static_assert(kButtons.size() == std::size_t(K::PH) + 1, "every KeyId has its button");

} // namespace

std::span<const KeypadButton> keypadButtons()
{
    return kButtons;
}

const KeypadButton& keypadButton(KeyId id)
{
    return kButtons[std::size_t(id)];
}

} // namespace mx
