#include "TableSavedState.h"

#include "TableEditing.h"
#include "TdmMxData.h"
#include "tablestore/StoreError.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace mx {

namespace {

void readBool(const StoreTable& t, const char* field, bool& setting)
{
    const QString name = QString::fromLatin1(field);
    const RecordCursor& record = t.cursor();
    if (!record.isNull(name))
        setting = record.asBoolean(name);
}

} // namespace

void writeSettingsFields(StoreTable& classic, const CalcSettings& s)
{
    RecordCursor& record = classic.cursor();
    record.setValue(QStringLiteral("DecPos"), s.DecPos);
    record.setValue(QStringLiteral("DelStr"), s.DelStr);
    record.setValue(QStringLiteral("DigitGrouping"), s.DigitGrouping);
    record.setValue(QStringLiteral("Formula"), s.Formula);
    record.setValue(QStringLiteral("FrmlHistory"), s.FrmlHistory);
    record.setValue(QStringLiteral("FrmlResHistory"), s.FrmlResHistory);
    record.setValue(QStringLiteral("History"), s.History);
    record.setValue(QStringLiteral("Radian"), s.Radian);
    record.setValue(QStringLiteral("Totals"), s.Totals);
}

void TableSavedState::loadSettings(CalcSettings& s)
{
    StoreTable* t = m_data.classic();
    if (!t || !t->isOpen())
        return;
    const RecordCursor& record = t->cursor();
    if (!record.isNull(QStringLiteral("DecPos")))
        s.DecPos = int(std::clamp<qint64>(record.asInteger(QStringLiteral("DecPos")), 0,
                                          CalcSettings::kFloatingDecPos));
    if (!record.asString(QStringLiteral("DelStr")).isEmpty())
        s.DelStr = record.asString(QStringLiteral("DelStr"));
    readBool(*t, "DigitGrouping", s.DigitGrouping);
    readBool(*t, "Formula", s.Formula);
    readBool(*t, "FrmlHistory", s.FrmlHistory);
    readBool(*t, "FrmlResHistory", s.FrmlResHistory);
    readBool(*t, "History", s.History);
    readBool(*t, "Radian", s.Radian);
    readBool(*t, "Totals", s.Totals);
    // Put the record into edit state and post it unchanged, as every start does.
    EnsureTableEdit(*t);
    PostTableIfEditing(*t);
}

WindowPlacement TableSavedState::loadPlacement()
{
    return readPlacement(m_data.share(), kMainWindowPlacement).value_or(WindowPlacement{});
}

void TableSavedState::save(const CalcSettings& s, int left, int top)
{
    StoreTable& classic = m_data.taClassic;
    StoreTable& share = m_data.taShare;
    // Each table is saved and flushed on its own: a failed settings write does not cost the
    // window position, and the passwords are forgotten whatever happens. The first failure
    // is reported once both were tried.
    std::optional<StoreError> failure;
    auto attempt = [&failure](StoreTable& t, const std::function<void()>& write) {
        if (!t.isOpen())
            return;
        try {
            EnsureTableEdit(t);
            write();
            PostTableIfEditing(t);
            t.flush();
        } catch (const StoreError& e) {
            t.cursor().cancel();
            if (!failure)
                failure = e;
        }
    };
    attempt(classic, [&] { writeSettingsFields(classic, s); });
    attempt(share, [&] { writePlacement(share, kMainWindowPlacement, left, top); });
    m_data.ssMain.forgetAllPasswords();
    if (failure)
        throw *failure;
}

QString TableSavedState::delimiter() const
{
    StoreTable* t = m_data.classic();
    if (!t || !t->isOpen())
        return CalcSettings().DelStr;
    return t->cursor().asString(QStringLiteral("DelStr"));
}

void TableSavedState::storeLastOp(const QString& lastOp)
{
    StoreTable* t = m_data.classic();
    if (!t || !t->isOpen())
        return;
    // The field is never read back; a failed write of it must not stop the pi key.
    try {
        EnsureTableEdit(*t);
        t->cursor().setValue(QStringLiteral("LastOp"), lastOp);
        PostTableIfEditing(*t);
    } catch (const StoreError&) {
        t->cursor().cancel();
    }
}

} // namespace mx
