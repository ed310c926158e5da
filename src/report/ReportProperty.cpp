#include "ReportProperty.h"

#include "Report.h"

#include <QFont>

namespace mx {

void SetReportObjectProperty(Report& report, const QString& objectName,
                             const QString& propertyName, const QVariant& value,
                             const std::function<void(const QString&)>& notify)
{
    const QString object = objectName.trimmed();
    const QString property = propertyName.trimmed();
    if (object.isEmpty() || property.isEmpty() || !value.isValid()) {
        notify(QStringLiteral("Нет свойства или значения"));
        return;
    }
    ReportObject* o = report.findObject(object);
    if (!o) {
        notify(QStringLiteral("Объект не найден\r") + object);
        return;
    }
    auto is = [&](const char* name) {
        return property.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    const bool memo = o->kind == ReportObject::Memo;
    bool isInt = false;
    const int number = value.toInt(&isInt);
    isInt = isInt && (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
                      value.typeId() == QMetaType::Double);
    if (is("FontSize") && memo && isInt) {
        o->fontSize = number;
    } else if (is("FontStyle") && memo && value.typeId() == QMetaType::QFont) {
        const QFont font = value.value<QFont>();
        o->bold = font.bold();
        o->italic = font.italic();
    } else if (is("FormatStr") && memo && value.typeId() == QMetaType::QString) {
        o->formatStr = value.toString();
    } else if (is("Left") && isInt) {
        o->rect.moveLeft(number);
    } else if (is("Memo") && memo && value.canConvert<QStringList>() &&
               value.typeId() == QMetaType::QStringList) {
        o->lines = value.toStringList();
    } else if (is("MemoOneLine") && memo && value.typeId() == QMetaType::QString) {
        o->lines = QStringList{value.toString()};
    } else {
        notify(QStringLiteral("Свойство не найдено or Неизвестный тип\r") + object +
               QLatin1Char('.') + property);
    }
}

} // namespace mx
