#include "OperationCodes.h"

#include "CalcState.h"
#include "TableOrder.h"

#include <array>

namespace mx {

namespace {

using S = OpSuffix;

constexpr std::array<OperationInfo, 28> kOperations{{
    {OpId::Plus, "+", 2, "btPlus", "+", "=", S::Blank},
    {OpId::Minus, "-", 2, "btMinus", "-", "=", S::Blank},
    {OpId::Mult, "*", 2, "btMult", "*", "=", S::Blank},
    {OpId::Div, "/", 2, "btDiv", "/", "=", S::Blank},
    {OpId::Percent, "%", 2, "btPercent", "*", "=", S::Percent},
    {OpId::PercentAdd, "+%", 2, "btPercentAdd", "+", "=", S::Percent},
    {OpId::Power, "x^y", 2, "btXY", "x^y", "=", S::Blank},
    {OpId::Mod, "Mod", 2, "btMod", "Mod", "=", S::Blank},
    {OpId::MemoryPlus, "M+", 2, "btMPlus", "M+", "M=", S::Blank},
    {OpId::Reciprocal, "1/x", 1, "bt1x", "1/x", "=", S::Blank},
    {OpId::Square, "x^2", 1, "btX2", "x^2", "=", S::Blank},
    {OpId::Cube, "x^3", 1, "btX3", "x^3", "=", S::Blank},
    {OpId::Sqrt, "Sqrt", 1, "btSqrt", "Sqrt", "=", S::Blank},
    {OpId::Exp, "Exp", 1, "btExp", "Exp", "=", S::Blank},
    {OpId::Sin, "Sin", 1, "btSin", "Sin", "=", S::Angle},
    {OpId::ArcSin, "ArcSin", 1, "btSin", "ArcSin", "=", S::Angle},
    {OpId::Cos, "Cos", 1, "btCos", "Cos", "=", S::Angle},
    {OpId::ArcCos, "ArcCos", 1, "btCos", "ArcCos", "=", S::Angle},
    {OpId::Tg, "Tg", 1, "btTg", "Tg", "=", S::Angle},
    {OpId::ArcTg, "ArcTg", 1, "btTg", "ArcTg", "=", S::Angle},
    {OpId::Ctg, "Ctg", 1, "", "Ctg", "=", S::None},
    {OpId::Ln, "Ln", 1, "btLn", "Ln", "=", S::Blank},
    {OpId::Log10, "Log", 1, "btLog10", "Log", "=", S::Blank},
    {OpId::Log2, "Lg", 1, "btLog2", "Lg", "=", S::Blank},
    {OpId::Factorial, "n!", 1, "btNfakt", "n!", "=", S::Blank},
    {OpId::Int, "Int", 1, "btInt", "Int", "=", S::Blank},
    {OpId::Frac, "Frac", 1, "btFrac", "Frac", "=", S::Blank},
    {OpId::Pi, "pi", 0, "btPi", "", "", S::None},
}};
static_assert(idsInOrder(kOperations), "kOperations is indexed by OpId");
static_assert(kOperations.size() == std::size_t(OpId::Pi) + 1, "every OpId has its row");

} // namespace

std::span<const OperationInfo> operationTable()
{
    return kOperations;
}

const OperationInfo* findOperation(const QString& code)
{
    const QString trimmed = code.trimmed();
    for (const OperationInfo& op : kOperations)
        if (trimmed == QLatin1String(op.code))
            return &op;
    return nullptr;
}

const OperationInfo& operationInfo(OpId id)
{
    return kOperations[std::size_t(id)];
}

const OperationInfo* operationForKey(const char* keyName, bool inverse)
{
    const QLatin1String key(keyName);
    const OperationInfo* found = nullptr;
    for (const OperationInfo& op : kOperations) {
        if (key != QLatin1String(op.key))
            continue;
        if (!found)
            found = &op;
        else if (inverse)
            return &op; // the arc variant follows its function in the table
    }
    return found;
}

QString suffixText(OpSuffix suffix, const QString& angleMark)
{
    switch (suffix) {
    case OpSuffix::Blank:
        return BlankSuffix;
    case OpSuffix::Percent:
        return QStringLiteral(" %");
    case OpSuffix::Angle:
        return angleMark;
    case OpSuffix::None:
        break;
    }
    return QString();
}

} // namespace mx
