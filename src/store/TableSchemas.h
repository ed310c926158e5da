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
    // Fields that a new data folder's share table has beyond the required ones; a folder
    // made before they existed lacks them, so their readers check for them first.
    static FieldList shareAdded();
    static FieldList stat();
};

} // namespace mx
