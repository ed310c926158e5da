#pragma once

#include <QString>
#include <QVariant>

#include <functional>

namespace mx {

class Report;

// Sets one property of a named object of a report: "FontSize" (integer), "FontStyle" (the
// style of a QFont), "FormatStr" (text), "MemoOneLine" (text) and "Memo" (a list of lines)
// of memos, "Left" (integer, millimetres) of any object. Names are trimmed, the property
// compared without regard to case. A problem is told through `notify` and changes nothing.
void SetReportObjectProperty(Report& report, const QString& objectName,
                             const QString& propertyName, const QVariant& value,
                             const std::function<void(const QString&)>& notify);

} // namespace mx
