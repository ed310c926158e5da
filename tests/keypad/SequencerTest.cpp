#include "CalcFixture.h"
#include "KeySequences.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace mx;
using mx::test::CalcFixture;
using mx::test::expandedTape;
using mx::test::SequenceCase;

namespace {

class SequenceCases : public testing::TestWithParam<SequenceCase>
{
};

} // namespace

TEST_P(SequenceCases, ShowsAndWrites)
{
    const SequenceCase& c = GetParam();
    CalcFixture calc;
    calc.core.settings.Totals = c.totals;
    calc.keys(QString::fromLatin1(c.keys));
    EXPECT_EQ(calc.display(), QString::fromUtf8(c.display));
    EXPECT_EQ(calc.tapeCells(), expandedTape(c.tape));
}

INSTANTIATE_TEST_SUITE_P(Keys, SequenceCases, testing::ValuesIn(mx::test::sequenceCases()),
                         mx::test::caseName<SequenceCase>);

TEST(Sequencer, EveryClearWritesTheDelimiterBlock)
{
    CalcFixture calc;
    calc.classic.setDelimiter(QStringLiteral("---- next ----"));
    calc.keys("C C");
    EXPECT_EQ(calc.tape(), (QStringList{"", "---- next ----", "", "", "---- next ----", ""}));
}

TEST(Sequencer, SecondOperationKeyIsRefusedWithAWarning)
{
    CalcFixture calc;
    calc.keys("3 + *");
    ASSERT_EQ(calc.messages.messages.size(), 1u);
    EXPECT_EQ(calc.messages.messages[0].text,
              QStringLiteral("Операция  '+' требует 2-х операндов.\rНапример: 9 + 3"));
    EXPECT_EQ(calc.messages.messages[0].kind, mkWarning);
    EXPECT_EQ(calc.messages.messages[0].helpContext, 60000);
    EXPECT_EQ(calc.display(), "3");
    EXPECT_EQ(calc.host.lastOp, "+");
    EXPECT_EQ(calc.tape().size(), 1);
    calc.keys("4 =");
    EXPECT_EQ(calc.display(), "7");
}

TEST(Sequencer, IndicatorShowsTheLastOperationUntilClear)
{
    CalcFixture calc;
    calc.keys("3 + 4 =");
    EXPECT_EQ(calc.host.lastOp, "+");
    calc.keys("C");
    EXPECT_EQ(calc.host.lastOp, "");
    calc.keys("2 x^2");
    EXPECT_EQ(calc.host.lastOp, "x^2");
}

TEST(Sequencer, SingleValueResetsAShownZeroForm)
{
    for (const char* keys : {"+/- =", ". ="}) {
        CalcFixture calc;
        calc.keys(QString::fromLatin1(keys));
        EXPECT_EQ(calc.display(), "0") << keys;
        EXPECT_EQ(calc.tapeCells(), QStringList{"=|0.00|  "}) << keys;
    }
}

TEST(Sequencer, ArcSinInDegreesMarksTheResult)
{
    CalcFixture calc;
    calc.core.setRadian(false);
    calc.keypad.cbClsInvClick(true);
    calc.keys("0.5 Sin");
    EXPECT_EQ(calc.display(), "30");
    const QStringList tape = calc.tape();
    ASSERT_EQ(tape.size(), 3);
    EXPECT_EQ(tape[0], QStringLiteral("ArcSin ") + QString(21, QLatin1Char(' ')) + "0.50  ");
    EXPECT_EQ(tape[1], QStringLiteral("    = ") + QString(20, QLatin1Char(' ')) + "30.00 D");
    EXPECT_EQ(calc.host.trigCaptions, (QStringList{"ASin", "ACos", "ATg"}));
}

TEST(Sequencer, SineInDegreesMarksTheArgument)
{
    CalcFixture calc;
    calc.keypad.rbClsDegreeClick();
    calc.keys("30 Sin");
    EXPECT_EQ(calc.display(), "0.5");
    EXPECT_EQ(calc.tapeCells().mid(0, 2), (QStringList{"Sin|30.00| D", "=|0.50|  "}));
}

TEST(Sequencer, FlagsAfterEachKind)
{
    CalcFixture calc;
    const CalcState& st = calc.core.state;
    calc.keys("3 +");
    EXPECT_TRUE(st.NewNumber && st.OpPending && st.OpJustPressed);
    EXPECT_FALSE(st.AfterEquals || st.EntryActive);
    calc.keys("4");
    EXPECT_TRUE(st.OpPending && st.EntryActive);
    EXPECT_FALSE(st.NewNumber || st.OpJustPressed);
    calc.keys("=");
    EXPECT_TRUE(st.OpPending && st.AfterEquals && st.NewNumber);
    EXPECT_FALSE(st.OpJustPressed || st.EntryActive);
    calc.keys("Sqrt");
    EXPECT_TRUE(st.NewNumber && st.OpJustPressed);
    EXPECT_FALSE(st.OpPending || st.AfterEquals);
    calc.keys("CE");
    EXPECT_FALSE(st.NewNumber || st.EntryActive);
}

TEST(Sequencer, RepeatedEqualsKeepsOperandsBeyondTheDoubleRange)
{
    CalcFixture calc;
    calc.core.setDecPos(11);
    calc.core.edOp0.setText(QStringLiteral("1E+0400"));
    calc.core.state.EntryActive = true;
    calc.keys("* = =");
    EXPECT_EQ(calc.display(), "1E+1200");
    EXPECT_TRUE(calc.messages.messages.empty());
}

TEST(Sequencer, PiStoresItsCodeInTheClassicRecord)
{
    CalcFixture calc;
    calc.keys("pi");
    EXPECT_EQ(calc.classic.lastOp(), "pi");
    EXPECT_TRUE(calc.tape().isEmpty());
    EXPECT_EQ(calc.display(), "3.14");
}

TEST(Sequencer, SwitchingDecimalsLosesDigitsOnDisplayAndTape)
{
    CalcFixture calc;
    calc.keypad.tbClsDecPosChange(4);
    calc.keys("1.2345");
    calc.keypad.tbClsDecPosChange(2);
    calc.keypad.tbClsDecPosChange(4);
    calc.keys("=");
    EXPECT_EQ(calc.display(), "1.23");
    EXPECT_EQ(calc.tapeCells().back(), "=|1.2300|  ");
}

TEST(Sequencer, FloatingModeWritesExponentFormEverywhere)
{
    CalcFixture calc;
    calc.keypad.tbClsDecPosChange(11);
    calc.keys("12345.678 =");
    EXPECT_EQ(calc.display(), "1.2345678E+0004");
    EXPECT_EQ(calc.tapeCells().back(), "=|1.2345678E+0004|  ");
}

TEST(Sequencer, WideValuesPushTheirSuffixRight)
{
    CalcFixture calc;
    calc.keypad.tbClsDecPosChange(10);
    calc.keys("123456789012 =");
    const QString line = calc.tape().back();
    EXPECT_EQ(line, QStringLiteral("    = 123,456,789,012.0000000000  "));
}

TEST(Sequencer, TheTapeFillsWhileHidden)
{
    CalcFixture calc;
    ASSERT_FALSE(calc.core.settings.History);
    calc.keys("1 + 1 =");
    EXPECT_EQ(calc.tape().size(), 5);
    calc.keypad.cbClsHistoryClick(true);
    EXPECT_EQ(calc.host.historyLayouts, 1);
    EXPECT_EQ(calc.tape().size(), 5);
}
