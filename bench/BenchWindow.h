#pragma once

#include "TestDoubles.h"
#include "app/TfmMxMain.h"
#include "engine/CalcCore.h"
#include "engine/ClassicRecord.h"
#include "script/ScriptScope.h"
#include "store/SavedState.h"

namespace mx::bench {

// The main window over settings and saved state in memory, shown, with the tape or the
// formula frame laid out as asked: what the window benchmarks time their keys against.
struct BenchWindow
{
    enum class Show { Tape, Formula };

    explicit BenchWindow(Show what)
    {
        if (what == Show::Tape) {
            window.core().settings.History = true;
            window.ApplyHistoryLayout();
        } else {
            window.core().settings.Formula = true;
            window.ApplyFormulaLayout();
        }
        window.show();
    }

    test::RecordingMessages messages;
    MemoryClassicRecord classic;
    MemorySavedState saved;
    ScriptScope scripts;
    TfmMxMain window{messages, classic, saved, NumberSeparators{}, scripts};
};

} // namespace mx::bench
