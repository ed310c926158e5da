#include "CalcFault.h"

#include <cfenv>

namespace mx {

QString faultMessage(CalcFault fault)
{
    switch (fault) {
    case CalcFault::None:
        return QString();
    case CalcFault::DivisionByZero:
        return QStringLiteral("Деление на ноль");
    case CalcFault::Overflow:
        return QStringLiteral("Переполнение: результат вычисления слишком большой");
    case CalcFault::Underflow:
        return QStringLiteral("Исчезновение порядка: результат вычисления слишком маленький");
    case CalcFault::Invalid:
        return QStringLiteral("Математическая ошибка");
    case CalcFault::Other:
        return QStringLiteral("Ошибка");
    case CalcFault::NotNegative:
        return QStringLiteral("Аргумент должен быть >= 0");
    case CalcFault::NotPositive:
        return QStringLiteral("Аргумент должен быть больше 0");
    case CalcFault::OutsideUnitArc:
        return QStringLiteral("Аргумент должен лежать между -1 и 1");
    }
    return QStringLiteral("Ошибка");
}

CalcFault faultFromFlags(int flags)
{
    if (flags & FE_DIVBYZERO)
        return CalcFault::DivisionByZero;
    if (flags & FE_OVERFLOW)
        return CalcFault::Overflow;
    if (flags & FE_INVALID)
        return CalcFault::Invalid;
    return CalcFault::None;
}

} // namespace mx
