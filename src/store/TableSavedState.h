#pragma once

#include "SavedState.h"
#include "engine/ClassicRecord.h"

namespace mx {

class StoreTable;
class TdmMxData;

// Writes the nine settings into the fields of the same names of the current record,
// which must be in edit or insert state.
void writeSettingsFields(StoreTable& classic, const CalcSettings& settings);

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
