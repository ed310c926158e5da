#include "CalcFixture.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace mx;
using mx::test::CalcFixture;

namespace {

struct EntryCase
{
    // Test output names the row instead of dumping its bytes.
    friend void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    int decPos;
    const char* keys;
    const char16_t* display;
    int beeps;
};

class NumberEntryCases : public testing::TestWithParam<EntryCase>
{
};

} // namespace

TEST_P(NumberEntryCases, ShowsTheTypedNumber)
{
    const EntryCase& c = GetParam();
    CalcFixture calc;
    calc.core.settings.DecPos = c.decPos;
    calc.applySettings();
    calc.keys(QString::fromLatin1(c.keys));
    EXPECT_EQ(calc.display(), QString::fromUtf16(c.display));
    EXPECT_EQ(calc.host.beeps, c.beeps);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NumberEntryCases,
    testing::Values(
        EntryCase{"GroupsAfterTheFourthDigit", 2, "1 2 3 4", u"1,234", 0},
        EntryCase{"TwoDecimals", 2, "1 2 3 4 . 5 6", u"1,234.56", 0},
        EntryCase{"ThirdDecimalBeeps", 2, "1 2 3 4 . 5 6 7", u"1,234.56", 1},
        EntryCase{"NoDecimalsWithDecPosZero", 0, "5 .", u"5.", 0},
        EntryCase{"DigitsAfterPointBeepWithDecPosZero", 0, "5 . 1 2 3", u"5.", 3},
        EntryCase{"PointOnFreshZero", 2, ".", u"0.", 0},
        EntryCase{"PointThenDigit", 2, ". 5", u"0.5", 0},
        EntryCase{"ZeroOnZero", 2, "0 0", u"0", 0},
        EntryCase{"OneOnZero", 2, "0 1", u"1", 0},
        EntryCase{"SecondPointBeeps", 2, "1 . .", u"1.", 1},
        EntryCase{"TypedDecimalZerosStay", 2, "1 . 5 0", u"1.50", 0},
        EntryCase{"SignOnZero", 2, "+/-", u"-0", 0},
        EntryCase{"DigitDropsMinusZero", 2, "+/- 5", u"5", 0},
        EntryCase{"SignOnFive", 2, "5 +/-", u"-5", 0},
        EntryCase{"SignTwice", 2, "5 +/- +/-", u"5", 0},
        EntryCase{"BackspaceOnSeven", 2, "7 BS", u"0", 0},
        EntryCase{"SecondBackspaceDoesNothing", 2, "7 BS BS", u"0", 0},
        EntryCase{"BackspaceRegroups", 2, "1 2 3 4 BS", u"123", 0},
        EntryCase{"BackspaceAfterOperationDoesNothing", 2, "1 2 +", u"12", 0},
        EntryCase{"FloatingEntryStaysReadable", 11, "1 2 3 . 4 5", u"123.45", 0},
        EntryCase{"FloatingEntryShowsExponentAfterOperation", 11, "1 2 3 . 4 5 +",
                  u"1.2345E+0002", 0},
        EntryCase{"LongEntryKeepsItsDigitsGrouped", 0, "1234567890123456789012",
                  u"1,234,567,890,123,456,789,012", 0},
        EntryCase{"LongEntryShowsGeneralFormAfterOperation", 0, "1234567890123456789012 +",
                  u"1.23456789012346E21", 0}),
    [](const testing::TestParamInfo<EntryCase>& p) { return std::string(p.param.name); });

TEST(NumberEntry, BackspaceEndsTheEntryWhenTheLastCharacterGoes)
{
    CalcFixture calc;
    calc.keys("7");
    EXPECT_TRUE(calc.core.state.EntryActive);
    calc.keys("BS");
    EXPECT_FALSE(calc.core.state.EntryActive);
}

TEST(NumberEntry, KeyboardPointsAppendTheSystemSeparatorOnce)
{
    CalcFixture calc({QLatin1Char(','), QChar(0x00A0)});
    calc.type("1.");
    EXPECT_EQ(calc.display(), "1,");
    calc.type(",");
    EXPECT_EQ(calc.display(), "1,");
    EXPECT_EQ(calc.host.beeps, 1);
    calc.type("5");
    EXPECT_EQ(calc.display(), "1,5");
}

TEST(NumberEntry, GroupingOffShowsPlainDigitsAndTapeKeepsDecimals)
{
    CalcFixture calc;
    calc.core.settings.DigitGrouping = false;
    calc.applySettings();
    calc.keys("1 2 3 4 . 5 =");
    EXPECT_EQ(calc.display(), "1234.5");
    EXPECT_EQ(calc.tapeCells().back(), "=|1234.50|  ");
}

TEST(NumberEntry, ANumberBeyondTheRangeIsRefusedWithTheOverflowMessage)
{
    CalcFixture calc;
    calc.core.edOp0.setText(QStringLiteral("1E4932"));
    calc.core.state.EntryActive = true;
    calc.keys("0");
    EXPECT_EQ(calc.display(), "1E4932");
    ASSERT_EQ(calc.messages.messages.size(), 1u);
    EXPECT_EQ(calc.messages.messages[0].text,
              QStringLiteral("Переполнение: результат вычисления слишком большой"));
}
