#pragma once

#include "SavedState.h"
#include "keypad/ClassicRecord.h"

namespace mx {

class TdmMxData;

// The settings and the window position in the classic and share tables, and the two
// fields of the classic record that the keypad uses during a run.
class TableSavedState : public SavedState, public ClassicRecord
{
public:
    explicit TableSavedState(TdmMxData& data) : m_data(data) {}

    void loadSettings(CalcSettings& settings) override;
    WindowPlacement loadPlacement() override;
    void save(const CalcSettings& settings, int left, int top) override;

    QString delimiter() const override;
    void storeLastOp(const QString& lastOp) override;

private:
    TdmMxData& m_data;
};

} // namespace mx
