#include "TableSchemas.h"

#include "engine/CalcSettings.h"

namespace mx {

const QString TableSchemas::classicName = QStringLiteral("Classic");
const QString TableSchemas::shareName = QStringLiteral("Share");
const QString TableSchemas::statName = QStringLiteral("Stat");

FieldList TableSchemas::classic()
{
    using T = FieldType;
    return {{QStringLiteral("Operand0"), T::Double},
            {QStringLiteral("Operand1"), T::Double},
            {QStringLiteral("Operand2"), T::Double},
            {QStringLiteral("Memory"), T::Double},
            {QStringLiteral("Radian"), T::Boolean},
            {QStringLiteral("LastOp"), T::String, 10},
            {QStringLiteral("DecPos"), T::SmallInt},
            {QStringLiteral("DelStr"), T::String, CalcSettings::kMaxDelStrLength},
            {QStringLiteral("DigitGrouping"), T::Boolean},
            {QStringLiteral("Totals"), T::Boolean},
            {QStringLiteral("History"), T::Boolean},
            {QStringLiteral("Formula"), T::Boolean},
            {QStringLiteral("FrmlHistory"), T::Boolean},
            {QStringLiteral("FrmlResHistory"), T::Boolean}};
}

FieldList TableSchemas::share()
{
    using T = FieldType;
    return {{QStringLiteral("MainWinLeft"), T::Integer},
            {QStringLiteral("MainWinTop"), T::Integer},
            {QStringLiteral("MainWinHeight"), T::Integer},
            {QStringLiteral("MainWinWidth"), T::Integer},
            {QStringLiteral("MainWinPosition"), T::Integer},
            {QStringLiteral("StatWinLeft"), T::Integer},
            {QStringLiteral("StatWinTop"), T::Integer}};
}

FieldList TableSchemas::shareAdded()
{
    return {{QStringLiteral("StatWinPicture"), FieldType::Boolean}};
}

FieldList TableSchemas::stat()
{
    return {{QStringLiteral("Pos"), FieldType::Integer},
            {QStringLiteral("Number"), FieldType::Double}};
}

} // namespace mx
