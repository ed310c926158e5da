#pragma once

#include "WindowPlacement.h"
#include "engine/CalcSettings.h"

namespace mx {

// What outlives a run for the main window: the nine settings and its position.
class SavedState
{
public:
    virtual ~SavedState() = default;
    // Overwrites each setting the store holds; an empty stored field keeps the start value.
    virtual void loadSettings(CalcSettings& settings) = 0;
    virtual WindowPlacement loadPlacement() = 0;
    // Writes the settings, then the position; then flushes and forgets the passwords.
    virtual void save(const CalcSettings& settings, int left, int top) = 0;
};

// Kept in memory only: for tests and runs without a data folder.
class MemorySavedState : public SavedState
{
public:
    void loadSettings(CalcSettings& s) override { s = settings; }
    WindowPlacement loadPlacement() override { return placement; }
    void save(const CalcSettings& s, int left, int top) override
    {
        settings = s;
        placement = {left, top, 0};
        ++saves;
    }

    CalcSettings settings;
    WindowPlacement placement;
    int saves = 0;
};

} // namespace mx
