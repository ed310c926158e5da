#include "FieldDef.h"

#include <array>
#include <utility>

namespace mx {

namespace {
constexpr std::array<std::pair<FieldType, const char*>, 5> kTypeNames{{
    {FieldType::SmallInt, "smallint"},
    {FieldType::Integer, "integer"},
    {FieldType::Double, "double"},
    {FieldType::Boolean, "boolean"},
    {FieldType::String, "string"},
}};
} // namespace

QString fieldTypeName(FieldType type)
{
    for (const auto& [t, name] : kTypeNames)
        if (t == type)
            return QString::fromLatin1(name);
    return QString();
}

bool fieldTypeFromName(const QString& name, FieldType& type)
{
    for (const auto& [t, n] : kTypeNames)
        if (name == QLatin1String(n)) {
            type = t;
            return true;
        }
    return false;
}

} // namespace mx
