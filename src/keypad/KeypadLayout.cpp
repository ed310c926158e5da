#include "KeypadLayout.h"

#include "engine/TableOrder.h"

#include <QStringList>

#include <array>

namespace mx {

namespace {

using K = KeyId;
using C = KeyColour;

constexpr int col(int n) { return kKeypadColumns[n - 1]; }
constexpr int row(int n) { return kKeypadRows[n - 1]; }

using S = KeySpeech;

constexpr KeypadButton key(K id, const char* name, const char* caption, int c, int r, C colour,
                           const char* spoken, const char* keys, S speech,
                           const char* invSpoken = nullptr)
{
    return {id,     name,   caption, col(c), row(r), kKeyWidth, kKeyHeight,
            colour, spoken, keys,    speech, invSpoken};
}

constexpr KeypadButton wide(K id, const char* name, const char* caption, int x, int y,
                            int width, C colour, const char* spoken, const char* keys,
                            S speech)
{
    return {id, name, caption, x, y, width, kKeyHeight, colour, spoken, keys, speech};
}

// In KeyId order.
constexpr std::array<KeypadButton, 49> kButtons{{
    key(K::Sta, "btSta", "Sta", 1, 1, C::Blue, "Открыть статистику", "", S::Nothing),
    key(K::Sin, "btSin", "Sin", 2, 1, C::Fuchsia, "Синус", "", S::Input, "Арксинус"),
    key(K::Exp, "btExp", "Exp", 3, 1, C::Fuchsia, "Экспонента", "", S::Input),
    key(K::Ln, "btLn", "Ln", 4, 1, C::Fuchsia, "Натуральный логарифм", "", S::Input),
    key(K::Log2, "btLog2", "Lg", 5, 1, C::Fuchsia, "Двоичный логарифм", "", S::Input),
    key(K::MC, "btCM", "MC", 6, 1, C::Red, "Очистить память", "", S::Memory),
    key(K::D7, "bt7", "7", 7, 1, C::Blue, "7", "7", S::Nothing),
    key(K::D8, "bt8", "8", 8, 1, C::Blue, "8", "8", S::Nothing),
    key(K::D9, "bt9", "9", 9, 1, C::Blue, "9", "9", S::Nothing),
    key(K::Div, "btDiv", "/", 10, 1, C::Red, "Деление", "/", S::InputIfChanged),
    key(K::Mod, "btMod", "Mod", 11, 1, C::Red, "Остаток от деления", "", S::InputIfChanged),

    key(K::Ave, "btAve", "Ave", 1, 2, C::Blue, "Среднее выборки в ввод", "", S::Nothing),
    key(K::Cos, "btCos", "Cos", 2, 2, C::Fuchsia, "Косинус", "", S::Input, "Арккосинус"),
    key(K::XY, "btXY", "x^y", 3, 2, C::Fuchsia, "Возведение в степень", "", S::InputIfChanged),
    key(K::Log10, "btLog10", "Log", 4, 2, C::Fuchsia, "Десятичный логарифм", "", S::Input),
    key(K::Sqrt, "btSqrt", "Sqrt", 5, 2, C::Fuchsia, "Квадратный корень", "", S::Input),
    key(K::MR, "btMR", "MR", 6, 2, C::Red, "Вызвать из памяти", "", S::Input),
    key(K::D4, "bt4", "4", 7, 2, C::Blue, "4", "4", S::Nothing),
    key(K::D5, "bt5", "5", 8, 2, C::Blue, "5", "5", S::Nothing),
    key(K::D6, "bt6", "6", 9, 2, C::Blue, "6", "6", S::Nothing),
    key(K::Mult, "btMult", "*", 10, 2, C::Red, "Умножение", "*", S::InputIfChanged),
    key(K::Int, "btInt", "Int", 11, 2, C::Red, "Целая часть", "", S::Input),

    key(K::Sum, "btSum", "Sum", 1, 3, C::Blue, "Сумма выборки в ввод", "", S::Nothing),
    key(K::Tg, "btTg", "Tg", 2, 3, C::Fuchsia, "Тангенс", "", S::Input, "Арктангенс"),
    key(K::X3, "btX3", "x^3", 3, 3, C::Fuchsia, "Куб", "", S::Input),
    key(K::Nfakt, "btNfakt", "n!", 4, 3, C::Fuchsia, "Факториал", "", S::Input),
    key(K::Percent, "btPercent", "%", 5, 3, C::Fuchsia, "Процент", "", S::InputIfChanged),
    key(K::MS, "btMS", "MS", 6, 3, C::Red, "Записать в память", "", S::Memory),
    key(K::D1, "bt1", "1", 7, 3, C::Blue, "1", "1", S::Nothing),
    key(K::D2, "bt2", "2", 8, 3, C::Blue, "2", "2", S::Nothing),
    key(K::D3, "bt3", "3", 9, 3, C::Blue, "3", "3", S::Nothing),
    key(K::Minus, "btMinus", "-", 10, 3, C::Red, "Вычитание", "-", S::InputIfChanged),
    key(K::Frac, "btFrac", "Frac", 11, 3, C::Red, "Дробная часть", "", S::Input),

    key(K::Dat, "btDat", "Dat", 1, 4, C::Blue, "Число в выборку", "", S::Nothing),
    key(K::Pi, "btPi", "pi", 2, 4, C::Blue, "Число пи", "", S::Input),
    key(K::X2, "btX2", "x^2", 3, 4, C::Fuchsia, "Квадрат", "", S::Input),
    key(K::Reciprocal, "bt1x", "1/x", 4, 4, C::Fuchsia, "Обратное число", "", S::Input),
    key(K::PercentAdd, "btPercentAdd", "+ %", 5, 4, C::Fuchsia, "Прибавить процент", "", S::InputIfChanged),
    key(K::MPlus, "btMPlus", "M+", 6, 4, C::Red, "Прибавить к памяти", "", S::Memory),
    key(K::D0, "bt0", "0", 7, 4, C::Blue, "0", "0", S::Nothing),
    key(K::Sign, "btSign", "+ / -", 8, 4, C::Blue, "Смена знака", "", S::Input),
    key(K::Point, "btPoint", ".", 9, 4, C::Blue, "Десятичный разделитель", ". ,", S::Nothing),
    key(K::Plus, "btPlus", "+", 10, 4, C::Red, "Сложение", "+", S::InputIfChanged),
    key(K::Eqv, "btEqv", "=", 11, 4, C::Red, "Равно", "= Enter", S::Input),

    wide(K::Back, "btBack", "Backspace", 289, kKeypadTopRow, 84, C::Blue, "Удалить последнюю цифру", "Backspace", S::Nothing),
    wide(K::CE, "btCE", "CE", 377, kKeypadTopRow, 62, C::Red, "Очистить ввод", "E", S::Input),
    wide(K::C, "btC", "C", 443, kKeypadTopRow, 62, C::Red, "Очистить всё", "C", S::Input),
    wide(K::CH, "btCH", "CH", 0, 0, 62, C::Red, "Очистить историю", "", S::Nothing),
    wide(K::PH, "btPH", "PH", 0, 0, 62, C::Green, "Печатать историю", "", S::Nothing),
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

QString keySpokenName(const KeypadButton& key, bool inv)
{
    return QString::fromUtf8(inv && key.invName ? key.invName : key.spokenName);
}

QString keyDescription(const KeypadButton& key, const QString& caption)
{
    const QString keys = QString::fromUtf8(key.typedKeys);
    if (keys.isEmpty())
        return caption;
    const QStringList each = keys.split(QLatin1Char(' '));
    return caption + (each.size() == 1 ? QStringLiteral(", клавиша ") : QStringLiteral(", клавиши ")) +
           each.join(QStringLiteral(" или "));
}

} // namespace mx
