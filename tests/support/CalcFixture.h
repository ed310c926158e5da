#pragma once

#include "KeySequences.h"
#include "TestDoubles.h"
#include "engine/CalcCore.h"
#include "engine/TapeSink.h"
#include "engine/ClassicRecord.h"
#include "keypad/Keypad.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace mx::test {

// A whole keypad calculator without a window: core, keypad, recorded messages and tape.
// Keys are given as a blank-separated sequence, as "3 + 4 =" or "12 Sqrt"; a number
// token types its characters on the on-screen keys.
class CalcFixture
{
public:
    explicit CalcFixture(NumberSeparators seps = {});

    void keys(const QString& sequence);
    void key(KeyId id) { keypad.press(id); }
    void type(const QString& characters);

    QString display() const { return core.edOp0.text(); }
    QString memory() const { return core.edMem.text(); }
    QStringList tape() const { return tapeSink.tapeLines(); }
    // Tape lines with their columns joined by "|" and padding trimmed: "+|4.00|  ".
    QStringList tapeCells() const;

    NumberSeparators seps;
    RecordingHost host;
    RecordingMessages messages;
    MemoryTape tapeSink;
    MemoryClassicRecord classic;
    CalcCore core;
    Keypad keypad;
};

KeyId keyForToken(const QString& token);
// The keys of a blank-separated sequence, as CalcFixture::keys presses them.
std::vector<KeyId> keysOf(const QString& sequence);

} // namespace mx::test
