#include "CalcFixture.h"
#include "KeySequences.h"
#include "engine/NumberEntry.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace mx;
using mx::test::CalcFixture;
using mx::test::EntryCase;

namespace {

class NumberEntryCases : public testing::TestWithParam<EntryCase>
{
};

} // namespace

TEST_P(NumberEntryCases, ShowsTheTypedNumber)
{
    const EntryCase& c = GetParam();
    CalcFixture calc;
    calc.core.setDecPos(c.decPos);
    calc.keys(QString::fromLatin1(c.keys));
    EXPECT_EQ(calc.display(), QString::fromUtf16(c.display));
    EXPECT_EQ(calc.host.beeps, c.beeps);
}

INSTANTIATE_TEST_SUITE_P(Keys, NumberEntryCases, testing::ValuesIn(mx::test::entryCases()),
                         mx::test::caseName<EntryCase>);

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
    calc.core.setDigitGrouping(false);
    calc.keys("1 2 3 4 . 5 =");
    EXPECT_EQ(calc.display(), "1234.5");
    EXPECT_EQ(calc.tapeCells().back(), "=|1234.50|  ");
}

TEST(NumberEntry, ANumberBeyondTheRangeIsRefusedWithTheOverflowMessage)
{
    CalcFixture calc;
    // Ten to the 4932nd typed digit by digit: one more digit leaves the extended range.
    const QString typed = QStringLiteral("1") + QString(4932, QLatin1Char('0'));
    calc.core.edOp0.setText(typed);
    calc.core.state.EntryActive = true;
    calc.keys("0");
    EXPECT_EQ(calc.display(), typed);
    ASSERT_EQ(calc.messages.messages.size(), 1u);
    EXPECT_EQ(calc.messages.messages[0].text,
              QStringLiteral("Переполнение: результат вычисления слишком большой"));
}

TEST(NumberEntry, APasteIsANewlyTypedNumberRoundedToTheDisplay)
{
    CalcFixture calc;
    calc.keys("3 +");
    EXPECT_TRUE(calc.keypad.entry().PasteNumber(QStringLiteral("1,234.567")));
    EXPECT_EQ(calc.display(), "1,234.57");
    EXPECT_EQ(calc.tape().size(), 1); // only the first operand, written by "+"
    calc.keys("=");
    EXPECT_EQ(calc.display(), "1,237.57");
    // A text that is no number is refused by name; an empty clipboard only beeps.
    for (const char* refused : {"twelve", "2,5", "1,234,5"})
        EXPECT_FALSE(calc.keypad.entry().PasteNumber(QLatin1String(refused))) << refused;
    EXPECT_FALSE(calc.keypad.entry().PasteNumber(QStringLiteral("  ")));
    EXPECT_EQ(calc.display(), "1,237.57");
    EXPECT_EQ(calc.host.beeps, 1);
    ASSERT_EQ(calc.messages.messages.size(), 3u);
    EXPECT_EQ(calc.messages.messages[1].text, QStringLiteral("Это не число: 2,5"));
    EXPECT_EQ(calc.keypad.entry().CopiedNumber(), "1237.57");
}
