#pragma once

#include "FieldDef.h"

#include <QByteArray>
#include <QString>

namespace mx {

// The contents of a table's descriptor file (<Name>.Idx): format version, table name, field
// definitions and the check of the key. Read from bytes of any origin: anything that is not
// a descriptor of this version with sane fields is refused as damaged.
struct TableDescriptor
{
    // A descriptor larger than this is damaged; real ones are a few hundred bytes.
    static constexpr qsizetype kMaxBytes = 1 << 20;
    // SQLite's own column limit, and the largest text field size.
    static constexpr int kMaxFields = 2000;
    static constexpr int kMaxFieldSize = 65535;

    QString table;
    FieldList fields;
    QByteArray keyCheck; // hex

    QByteArray toBytes() const;
    // Throws StoreError (cause Damaged, naming `file`) for anything but a sound descriptor.
    static TableDescriptor parse(const QByteArray& bytes, const QString& file);
};

} // namespace mx
