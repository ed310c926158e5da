#include "CalcFixture.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace mx;
using mx::test::CalcFixture;

struct MemoryCase
{
    // Test output names the row instead of dumping its bytes.
    friend void PrintTo(const MemoryCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    const char* keys;
    const char* display;
    const char* memory;
    std::vector<const char*> tapeEnd; // the last tape cells
    bool totals = true;
};

class MemoryCases : public testing::TestWithParam<MemoryCase>
{
};

TEST_P(MemoryCases, ShowsAndWrites)
{
    const MemoryCase& c = GetParam();
    CalcFixture calc;
    calc.core.settings.Totals = c.totals;
    calc.keys(QString::fromLatin1(c.keys));
    EXPECT_EQ(calc.display(), QString::fromLatin1(c.display));
    EXPECT_EQ(calc.memory(), QString::fromLatin1(c.memory));
    const QStringList expected = mx::test::expandedTape(c.tapeEnd);
    const QStringList tape = calc.tapeCells();
    ASSERT_GE(tape.size(), expected.size());
    EXPECT_EQ(tape.mid(tape.size() - expected.size()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MemoryCases,
    testing::Values(
        MemoryCase{"AddTwiceAndRecall", "5 M+ 3 M+ MR", "8", "8", {"M=|8.00|  ", "M=|8.00|  "}},
        MemoryCase{"AddWritesOperandMemoryAndResultTwice", "10 MS 5 M+", "5", "15",
                   {"|5.00|  ", "M+|10.00|  ", "M=|15.00|  ", "M=|15.00|  "}},
        MemoryCase{"AddWithoutTotalsWritesTheResultOnce", "10 MS 5 M+", "5", "15",
                   {"|5.00|  ", "M+|10.00|  ", "M=|15.00|  "}, false},
        MemoryCase{"AddTheResultOfEquals", "3 + 4 = M+", "7", "7", {"M=|7.00|  "}},
        MemoryCase{"AddDropsThePendingOperation", "3 + 4 M+ =", "4", "4", {"=|4.00|  "}},
        MemoryCase{"AddRightAfterOperator", "3 + M+", "3", "3", {"M=|3.00|  "}},
        MemoryCase{"StoreEndsTheTypedNumber", "3 + 4 MS 5 =", "9", "4", {"=|9.00|  ", ""}},
        MemoryCase{"RecallAsSecondOperand", "6 MS C 3 + MR =", "9", "6", {"=|9.00|  ", ""}},
        MemoryCase{"RecallAfterTypedSecondOperand", "6 MS C 3 + 4 MR =", "10", "6",
                   {"+|6.00|  ", "-", "=|10.00|  ", ""}},
        MemoryCase{"ClearWritesTheFormattedZero", "5 MS MC", "5", "0", {"M=|0.00|  "}},
        MemoryCase{"AddAfterPercentWritesABlankSuffix", "200 +% 10 = M+", "220", "220",
                   {"|220.00|  ", "M+|0.00|  ", "M=|220.00|  ", "M=|220.00|  "}}),
    [](const testing::TestParamInfo<MemoryCase>& p) { return std::string(p.param.name); });

TEST(MemoryKeys, FailedAddLeavesZeroInMemory)
{
    CalcFixture calc;
    calc.core.setDecPos(11);
    calc.core.edMem.setText(QStringLiteral("1E+4932"));
    calc.core.edOp0.setText(QStringLiteral("1E+4932"));
    calc.keys("M+");
    EXPECT_EQ(calc.messages.texts(),
              QStringList{QStringLiteral("Переполнение: результат вычисления слишком большой")});
    EXPECT_EQ(calc.memory(), "0");
    const QStringList tape = calc.tapeCells();
    EXPECT_EQ(tape.mid(tape.size() - 2), (QStringList{"M=|Error|  ", "M=|0E+0000|  "}));
}

TEST(MemoryKeys, AddEndsInThePlainResultState)
{
    CalcFixture calc;
    calc.keys("3 + 4 M+");
    const CalcState& st = calc.core.state;
    EXPECT_TRUE(st.NewNumber && st.OpJustPressed);
    EXPECT_FALSE(st.OpPending || st.AfterEquals || st.EntryActive);
    EXPECT_EQ(calc.core.edOp1.value(), 0);
    EXPECT_EQ(calc.core.edOp2.value(), 0);
    EXPECT_EQ(calc.host.lastOp, "M+");
}

TEST(MemoryKeys, RecalledNumberCanBeEdited)
{
    CalcFixture calc;
    calc.keys("12 MS C MR BS");
    EXPECT_EQ(calc.display(), "1");
}
