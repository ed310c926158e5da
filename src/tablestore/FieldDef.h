#pragma once

#include <QString>

#include <vector>

namespace mx {

enum class FieldType { SmallInt, Integer, Double, Boolean, String };

// One field of a table: its name, type and, for texts, the size in characters.
struct FieldDef
{
    QString name;
    FieldType type;
    int size = 0;

    bool operator==(const FieldDef&) const = default;
};

using FieldList = std::vector<FieldDef>;

QString fieldTypeName(FieldType type);
bool fieldTypeFromName(const QString& name, FieldType& type);

} // namespace mx
