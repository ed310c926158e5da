#pragma once

#include "CalcSettings.h"

#include <QString>

namespace mx {

// The fields of the stored classic record that the keypad reads and writes during a run:
// the delimiter that C writes and the last constant key.
class ClassicRecord
{
public:
    virtual ~ClassicRecord() = default;
    virtual QString delimiter() const = 0;
    virtual void storeLastOp(const QString& lastOp) = 0;
};

// A record held in memory, for runs and tests without the table store.
class MemoryClassicRecord : public ClassicRecord
{
public:
    QString delimiter() const override { return m_delimiter; }
    void storeLastOp(const QString& lastOp) override { m_lastOp = lastOp; }

    void setDelimiter(const QString& d) { m_delimiter = d; }
    const QString& lastOp() const { return m_lastOp; }

private:
    QString m_delimiter = CalcSettings().DelStr;
    QString m_lastOp;
};

} // namespace mx
