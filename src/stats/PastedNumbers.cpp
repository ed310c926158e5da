#include "PastedNumbers.h"

#include "NumberColumn.h"

#include <climits>

namespace mx {

PastedNumbers parsePastedNumbers(const QString& text, const NumberSeparators& seps)
{
    PastedNumbers out;
    NumberColumn column(text.toUtf8(), NumberColumn::Source::Pasted, NumberText(seps));
    while (column.read(INT_MAX, out.values)) {
    }
    if (!column.error().isEmpty()) {
        out.values.clear();
        out.error = column.error() + QStringLiteral("\r\rНичего не добавлено.");
    } else if (out.values.empty()) {
        out.error = QStringLiteral("В буфере обмена нет чисел.");
    }
    return out;
}

} // namespace mx
