#include "TableDescriptor.h"

#include "StoreError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <set>

namespace mx {

namespace {

const QString kFormat = QStringLiteral("Mirvalex table");
constexpr int kFormatVersion = 1;

[[noreturn]] void damaged(const QString& file, const QString& what)
{
    throw StoreError(QStringLiteral("%1: %2").arg(file, what), StoreError::Cause::Damaged, file);
}

// A JSON number that is a whole number within [low, high]; false for anything else.
bool wholeNumber(const QJsonValue& v, int low, int high, int& out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!(d >= low && d <= high) || d != double(int(d)))
        return false;
    out = int(d);
    return true;
}

} // namespace

QByteArray TableDescriptor::toBytes() const
{
    QJsonArray jsonFields;
    for (const FieldDef& f : fields)
        jsonFields.append(QJsonObject{{QStringLiteral("name"), f.name},
                                      {QStringLiteral("type"), fieldTypeName(f.type)},
                                      {QStringLiteral("size"), f.size}});
    return QJsonDocument(QJsonObject{{QStringLiteral("format"), kFormat},
                                     {QStringLiteral("version"), kFormatVersion},
                                     {QStringLiteral("table"), table},
                                     {QStringLiteral("fields"), jsonFields},
                                     {QStringLiteral("keyCheck"), QString::fromLatin1(keyCheck)}})
        .toJson();
}

TableDescriptor TableDescriptor::parse(const QByteArray& bytes, const QString& file)
{
    if (bytes.size() > kMaxBytes)
        damaged(file, QStringLiteral("the descriptor is too large"));
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    const QJsonObject obj = doc.object();
    if (parseError.error != QJsonParseError::NoError || obj.value(QStringLiteral("format")) != kFormat)
        damaged(file, QStringLiteral("the descriptor is damaged or foreign"));
    int version = 0;
    if (!wholeNumber(obj.value(QStringLiteral("version")), 0, 1 << 30, version) ||
        version != kFormatVersion)
        damaged(file, QStringLiteral("unknown descriptor version"));

    TableDescriptor d;
    d.table = obj.value(QStringLiteral("table")).toString();
    const QJsonArray fields = obj.value(QStringLiteral("fields")).toArray();
    if (fields.isEmpty())
        damaged(file, QStringLiteral("the descriptor lists no fields"));
    if (fields.size() > kMaxFields)
        damaged(file, QStringLiteral("the descriptor lists too many fields"));
    std::set<QString> names;
    for (const QJsonValue& v : fields) {
        const QJsonObject f = v.toObject();
        FieldDef def{f.value(QStringLiteral("name")).toString(), FieldType::Integer, 0};
        if (def.name.isEmpty() || def.name.size() > 128 ||
            !fieldTypeFromName(f.value(QStringLiteral("type")).toString(), def.type) ||
            !wholeNumber(f.value(QStringLiteral("size")), 0, kMaxFieldSize, def.size) ||
            !names.insert(def.name.toLower()).second)
            damaged(file, QStringLiteral("the descriptor is damaged"));
        d.fields.push_back(def);
    }
    d.keyCheck = obj.value(QStringLiteral("keyCheck")).toString().toLatin1();
    return d;
}

} // namespace mx
