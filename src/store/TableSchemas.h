#pragma once

#include "tablestore/FieldDef.h"

#include <QString>

namespace mx {

// The three tables of the data folder and their fields, in record order.
struct TableSchemas
{
    static const QString classicName;
    static const QString shareName;
    static const QString statName;

    static FieldList classic();
    static FieldList share();
    static FieldList stat();
};

} // namespace mx
