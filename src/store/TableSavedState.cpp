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
    if (!t.isNull(name))
        setting = t.asBoolean(name);
}

} // namespace

void writeSettingsFields(StoreTable& classic, const CalcSettings& s)
{
    classic.setValue(QStringLiteral("DecPos"), s.DecPos);
    classic.setValue(QStringLiteral("DelStr"), s.DelStr);
    classic.setValue(QStringLiteral("DigitGrouping"), s.DigitGrouping);
    classic.setValue(QStringLiteral("Formula"), s.Formula);
    classic.setValue(QStringLiteral("FrmlHistory"), s.FrmlHistory);
    classic.setValue(QStringLiteral("FrmlResHistory"), s.FrmlResHistory);
    classic.setValue(QStringLiteral("History"), s.History);
    classic.setValue(QStringLiteral("Radian"), s.Radian);
    classic.setValue(QStringLiteral("Totals"), s.Totals);
}

void TableSavedState::loadSettings(CalcSettings& s)
{
    StoreTable* t = m_data.classic();
    if (!t || !t->isOpen())
        return;
    if (!t->isNull(QStringLiteral("DecPos")))
        s.DecPos = int(std::clamp<qint64>(t->asInteger(QStringLiteral("DecPos")), 0,
                                      CalcSettings::kFloatingDecPos));
    if (!t->asString(QStringLiteral("DelStr")).isEmpty())
        s.DelStr = t->asString(QStringLiteral("DelStr"));
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
    WindowPlacement p;
    if (StoreTable* t = m_data.share(); t && t->isOpen()) {
        p.left = int(t->asInteger(QStringLiteral("MainWinLeft")));
        p.top = int(t->asInteger(QStringLiteral("MainWinTop")));
        p.mode = int(t->asInteger(QStringLiteral("MainWinPosition")));
    }
    return p;
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
            t.cancel();
            if (!failure)
                failure = e;
        }
    };
    attempt(classic, [&] { writeSettingsFields(classic, s); });
    attempt(share, [&] {
        share.setValue(QStringLiteral("MainWinLeft"), left);
        share.setValue(QStringLiteral("MainWinTop"), top);
        share.setValue(QStringLiteral("MainWinPosition"), 0);
    });
    m_data.ssMain.forgetAllPasswords();
    if (failure)
        throw *failure;
}

QString TableSavedState::delimiter() const
{
    StoreTable* t = m_data.classic();
    if (!t || !t->isOpen())
        return CalcSettings().DelStr;
    return t->asString(QStringLiteral("DelStr"));
}

void TableSavedState::storeLastOp(const QString& lastOp)
{
    StoreTable* t = m_data.classic();
    if (!t || !t->isOpen())
        return;
    // The field is never read back; a failed write of it must not stop the pi key.
    try {
        EnsureTableEdit(*t);
        t->setValue(QStringLiteral("LastOp"), lastOp);
        PostTableIfEditing(*t);
    } catch (const StoreError&) {
        t->cancel();
    }
}

} // namespace mx
