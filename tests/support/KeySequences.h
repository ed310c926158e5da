#pragma once

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace mx::test {

// Rows of key sequences, shared by the headless calculator tests and the tests of the real
// window, so that both paths run the same sequences.

// A key sequence with the display and the tape cells it leaves.
struct SequenceCase
{
    // Test output names the row instead of dumping its bytes.
    friend void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    const char* keys;
    const char* display;
    // Tape cells "sign|value|suffix"; "-" a rule, "" a blank line, "^text" a line as it stands.
    std::vector<const char*> tape;
    bool totals = true;
};

// A typed number with the number of decimals, the display and the count of refusal beeps.
struct EntryCase
{
    friend void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    int decPos;
    const char* keys;
    const char16_t* display;
    int beeps;
};

const std::vector<SequenceCase>& sequenceCases();
const std::vector<EntryCase>& entryCases();

template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

// Tape lines with their columns joined by "|" and padding trimmed: "+|4.00|  ".
QStringList tapeCells(const QStringList& tape);
// Expected tape cells written short: "-" a rule line, "" a blank line of the columns,
// "^text" a line as it stands (the delimiter block).
QStringList expandedTape(const std::vector<const char*>& cells);

} // namespace mx::test
