#include "CalcFixture.h"
#include "KeySequences.h"
#include "keypad/TapeCalculation.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace mx;
using mx::test::CalcFixture;
using mx::test::expandedTape;
using mx::test::SequenceCase;

namespace {

const QString kBlankLine(33, QLatin1Char(' '));

void setTape(CalcFixture& calc, const QStringList& lines)
{
    calc.tapeSink.clearTape();
    for (const QString& line : lines)
        calc.tapeSink.appendLine(line);
}

class RoundTrip : public testing::TestWithParam<SequenceCase>
{
};

} // namespace

// An unedited calculation recalculates to exactly the lines it holds, after the header, and
// every "=" line of the keys belongs to a calculation that can be recalculated.
TEST_P(RoundTrip, EveryCalculationRecalculatesToItsOwnLines)
{
    const SequenceCase& c = GetParam();
    if (c.name == std::string("PiAfterTypedNumberShiftsIt"))
        GTEST_SKIP() << "its lines do not hold the typed operand; see the test below";
    CalcFixture calc;
    calc.core.settings.Totals = c.totals;
    calc.keys(QString::fromLatin1(c.keys));
    const QStringList written = calc.tape();
    const QStringList cells = calc.tapeCells();

    int lastFirst = -1;
    for (int i = 0; i < written.size(); ++i) {
        const auto found = findTapeCalculation(written, i, calc.seps);
        const bool resultLine = cells[i].startsWith(QLatin1String("=|"));
        if (!std::holds_alternative<TapeCalculation>(found)) {
            EXPECT_FALSE(resultLine) << "line " << i + 1 << " is refused";
            continue;
        }
        const TapeCalculation& span = std::get<TapeCalculation>(found);
        EXPECT_LE(span.first, i);
        EXPECT_GE(span.last, i);
        if (span.first == lastFirst)
            continue;
        lastFirst = span.first;

        CalcFixture again;
        again.core.settings.Totals = c.totals;
        setTape(again, written);
        ASSERT_TRUE(again.keypad.recalculation().Recalculate(i)) << "line " << i + 1;
        const QStringList after = again.tape();
        const qsizetype count = span.last - span.first + 1;
        ASSERT_EQ(after.size(), written.size() + 1 + count);
        EXPECT_EQ(after[written.size()], Recalculation::headerLine(span.first, span.last));
        EXPECT_EQ(after.mid(written.size() + 1), written.mid(span.first, count))
            << "lines " << span.first + 1 << "-" << span.last + 1;
        if (span.last + 1 >= written.size()) {
            EXPECT_EQ(again.display(), QString::fromUtf8(c.display));
        }
        // The evaluator's messages come again with the failed steps.
        const QStringList spanCells = cells.mid(span.first, count);
        EXPECT_EQ(qsizetype(again.messages.messages.size()),
                  spanCells.filter(QStringLiteral("|Error|")).size());
    }
}

// pi after a typed number pushes that number into the left operand without writing it:
// [3 + 4 pi =] computes 4 + pi = 7.14 under the lines 3, + 3.14. The tape holds nothing of
// the 4, so its recalculation is the sum that its lines show.
TEST(Recalculation, PiAfterATypedNumberRecalculatesToTheSumItsLinesShow)
{
    CalcFixture calc;
    calc.keys("3 + 4 pi =");
    ASSERT_EQ(calc.tapeCells().value(3), "=|7.14|  ");
    ASSERT_TRUE(calc.keypad.recalculation().Recalculate(0));
    EXPECT_EQ(calc.tapeCells().value(9), "=|6.14|  ");
    EXPECT_EQ(calc.display(), "6.14");
}

INSTANTIATE_TEST_SUITE_P(Keys, RoundTrip, testing::ValuesIn(mx::test::sequenceCases()),
                         mx::test::caseName<SequenceCase>);

namespace {

struct Edit
{
    int line;
    const char* text;
    bool insert = false; // insert before `line` instead of replacing it
};

struct EditedCase
{
    friend void PrintTo(const EditedCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    const char* keys;
    std::vector<Edit> edits;
    int caret;
    const char* header;
    std::vector<const char*> appended; // cells after the header
    const char* display;
    int decPosAtRecalculation = 2;
    bool degrees = false;
};

class EditedCases : public testing::TestWithParam<EditedCase>
{
};

} // namespace

TEST_P(EditedCases, AppendTheCorrectedCalculation)
{
    const EditedCase& c = GetParam();
    CalcFixture calc;
    if (c.degrees)
        calc.core.setRadian(false);
    calc.keys(QString::fromUtf8(c.keys));
    QStringList lines = calc.tape();
    for (const Edit& e : c.edits) {
        if (e.insert)
            lines.insert(e.line, QString::fromUtf8(e.text));
        else
            lines[e.line] = QString::fromUtf8(e.text);
    }
    setTape(calc, lines);
    calc.core.setDecPos(c.decPosAtRecalculation);
    calc.core.setRadian(true);

    ASSERT_TRUE(calc.keypad.recalculation().Recalculate(c.caret));
    const QStringList after = calc.tape();
    ASSERT_GT(after.size(), lines.size());
    EXPECT_EQ(after.mid(0, lines.size()), lines) << "the lines above stay";
    EXPECT_EQ(after[lines.size()], QString::fromUtf8(c.header));
    EXPECT_EQ(mx::test::tapeCells(after.mid(lines.size() + 1)), expandedTape(c.appended));
    EXPECT_EQ(calc.display(), QString::fromUtf8(c.display));
}

INSTANTIATE_TEST_SUITE_P(
    Tape, EditedCases,
    testing::Values(
        EditedCase{"ChangedOperand",
                   "12 + 30 + 7 =",
                   {{1, "    +                     31.00  "}},
                   1,
                   "---- Пересчёт строк 1-7 ----",
                   {"|12.00|  ", "+|31.00|  ", "=|43.00|  ", "+|7.00|  ", "-", "=|50.00|  ", ""},
                   "50"},
        EditedCase{"OperandRetypedShorterCaretOnTheResult",
                   "12 + 30 + 7 =",
                   {{1, "    +                     31"}},
                   5,
                   "---- Пересчёт строк 1-7 ----",
                   {"|12.00|  ", "+|31.00|  ", "=|43.00|  ", "+|7.00|  ", "-", "=|50.00|  ", ""},
                   "50"},
        EditedCase{"ChangedSign",
                   "12 + 30 =",
                   {{1, "    -                     30.00  "}},
                   0,
                   "---- Пересчёт строк 1-5 ----",
                   {"|12.00|  ", "-|30.00|  ", "-", "=|-18.00|  ", ""},
                   "-18"},
        EditedCase{"InsertedOperandLine",
                   "12 + 30 =",
                   {{2, "    +                      8.00  ", true}},
                   4,
                   "---- Пересчёт строк 1-6 ----",
                   {"|12.00|  ", "+|30.00|  ", "=|42.00|  ", "+|8.00|  ", "-", "=|50.00|  ", ""},
                   "50"},
        EditedCase{"NoteAfterALineIsIgnored",
                   "12 + 30 =",
                   {{1, "    +                     30.00  аренда за май"}},
                   1,
                   "---- Пересчёт строк 1-5 ----",
                   {"|12.00|  ", "+|30.00|  ", "-", "=|42.00|  ", ""},
                   "42"},
        EditedCase{"PercentOperand",
                   "200 % 10 =",
                   {{1, "    *                     15.00 %"}},
                   1,
                   "---- Пересчёт строк 1-5 ----",
                   {"|200.00|  ", "*|15.00| %", "-", "=|30.00|  ", ""},
                   "30"},
        EditedCase{"AddPercentBase",
                   "200 +% 10 =",
                   {{0, "                         300.00  "}},
                   4,
                   "---- Пересчёт строк 1-5 ----",
                   {"|300.00|  ", "+|10.00| %", "-", "=|330.00|  ", ""},
                   "330"},
        EditedCase{"PlusMarkedAsPercentAddsPercent",
                   "200 + 10 =",
                   {{1, "    +                     10.00 %"}},
                   1,
                   "---- Пересчёт строк 1-5 ----",
                   {"|200.00|  ", "+|10.00| %", "-", "=|220.00|  ", ""},
                   "220"},
        EditedCase{"FailedStepCorrected",
                   "5 / 0 + 3 =",
                   {{1, "    /                      2.00  "}},
                   2,
                   "---- Пересчёт строк 1-7 ----",
                   {"|5.00|  ", "/|2.00|  ", "=|2.50|  ", "+|3.00|  ", "-", "=|5.50|  ", ""},
                   "5.5"},
        EditedCase{"DecimalsChangedSince",
                   "1 / 3 =",
                   {},
                   3,
                   "---- Пересчёт строк 1-5 ----",
                   {"|1.0000|  ", "/|3.0000|  ", "-", "=|0.3333|  ", ""},
                   "0.3333",
                   4},
        EditedCase{"FunctionArgument",
                   "16 Sqrt",
                   {{0, " Sqrt                     25.00  "}},
                   2,
                   "---- Пересчёт строк 1-3 ----",
                   {"Sqrt|25.00|  ", "=|5.00|  ", ""},
                   "5"},
        EditedCase{"AngleUnitFromTheMark",
                   "30 Sin",
                   {},
                   1,
                   "---- Пересчёт строк 1-3 ----",
                   {"Sin|30.00| D", "=|0.50|  ", ""},
                   "0.5",
                   2,
                   true},
        EditedCase{"SingleValue",
                   "3 =",
                   {{0, "    =                      4.50"}},
                   0,
                   "---- Пересчёт строки 1 ----",
                   {"=|4.50|  "},
                   "4.5"}),
    mx::test::caseName<EditedCase>);

namespace {

struct RefusalCase
{
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    const char* keys; // typed first; then `lines` replace the tape when given
    std::vector<const char*> lines;
    int caret;
    const char* message;
};

class RefusalCases : public testing::TestWithParam<RefusalCase>
{
};

} // namespace

TEST_P(RefusalCases, ShowTheLineAndChangeNothing)
{
    const RefusalCase& c = GetParam();
    CalcFixture calc;
    calc.keys(QString::fromUtf8(c.keys));
    if (!c.lines.empty()) {
        QStringList lines;
        for (const char* l : c.lines)
            lines << QString::fromUtf8(l);
        setTape(calc, lines);
    }
    calc.keys("7");
    const QStringList before = calc.tape();
    const CalcState state = calc.core.state;

    EXPECT_FALSE(calc.keypad.recalculation().Recalculate(c.caret));
    ASSERT_EQ(calc.messages.texts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(calc.messages.messages[0].kind, mkWarning);
    EXPECT_EQ(calc.tape(), before);
    EXPECT_EQ(calc.display(), "7");
    EXPECT_EQ(calc.core.state.NewNumber, state.NewNumber);
    EXPECT_EQ(calc.core.state.OpPending, state.OpPending);
}

INSTANTIATE_TEST_SUITE_P(
    Tape, RefusalCases,
    testing::Values(
        RefusalCase{"MemoryLineInTheCalculation", "3 + 4 MS 5 =", {}, 3,
                    "Пересчёт невозможен: строку 2 записали клавиши памяти.\r\r"
                    "«M=                      4.00»"},
        RefusalCase{"MemoryAddition", "5 M+", {}, 0,
                    "Пересчёт невозможен: строку 2 записали клавиши памяти.\r\r"
                    "«M+                      0.00»"},
        RefusalCase{"UnknownLineInTheCalculation",
                    "",
                    {"                          12.00  ", "аренда",
                     "    +                     30.00  ", "      -------------------------  ",
                     "    =                     42.00  "},
                    4,
                    "Пересчёт невозможен: строка 2 не число и не известная операция.\r\r"
                    "«аренда»"},
        RefusalCase{"OperandThatIsNoNumber",
                    "",
                    {"                          12.00  ", "    +                     3O.00  ",
                     "      -------------------------  ", "    =                     42.00  "},
                    0,
                    "Пересчёт невозможен: строка 2 не число и не известная операция.\r\r"
                    "«+                     3O.00»"},
        RefusalCase{"FormulaResult",
                    "",
                    {" ", "12+30  ", "    =                     42.00  ", " "},
                    2,
                    "Пересчёт невозможен: строку 3 записала формула.\r\r«=                     42.00»"},
        RefusalCase{"FormulaText", "", {" ", "12  ", "    =                     12.00  ", " "}, 1,
                    "Пересчёт невозможен: строку 2 записала формула.\r\r«12»"},
        RefusalCase{"DelimiterLine", "C", {}, 1,
                    "Пересчёт невозможен: строка 2 не число и не известная операция.\r\r"
                    "«==== New Calculation =====»"},
        RefusalCase{"BlankLineOutsideACalculation", "C", {}, 0,
                    "Пересчёт невозможен: строка 1 не входит ни в одно вычисление."},
        RefusalCase{"OperandDroppedByAFunction", "9 + 16 Sqrt =", {}, 0,
                    "Пересчёт невозможен: вычисление в строке 1 не закончено.\r\r«9.00»"},
        RefusalCase{"ChainWithoutEquals", "12 + 30 *", {}, 1,
                    "Пересчёт невозможен: вычисление в строке 2 не закончено.\r\r«+                     30.00»"}),
    mx::test::caseName<RefusalCase>);

TEST(Recalculation, LeavesTheResultAsEqualsDoes)
{
    CalcFixture calc;
    calc.keys("12 + 30 = 7");
    ASSERT_TRUE(calc.keypad.recalculation().Recalculate(0));
    EXPECT_EQ(calc.display(), "42");
    EXPECT_EQ(calc.host.lastOp, "+");
    calc.keys("=");
    EXPECT_EQ(calc.display(), "72") << "a further = repeats the last operation";
    calc.keys("5 +");
    EXPECT_EQ(calc.tapeCells().back(), "|5.00|  ") << "a digit starts a new number";
}
