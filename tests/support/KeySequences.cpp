#include "KeySequences.h"

#include "engine/CalcState.h"

namespace mx::test {

const std::vector<SequenceCase>& sequenceCases()
{
    static const std::vector<SequenceCase> cases{
        SequenceCase{"SingleValue", "3 =", "3", {"=|3.00|  "}},
        SequenceCase{
            "CompletePair", "12 + 30 =", "42", {"|12.00|  ", "+|30.00|  ", "-", "=|42.00|  ", ""}},
        SequenceCase{"ChainWithTotals",
                     "12 + 30 * 2 =",
                     "84",
                     {"|12.00|  ", "+|30.00|  ", "=|42.00|  ", "*|2.00|  ", "-", "=|84.00|  ", ""}},
        SequenceCase{"ChainWithoutTotals",
                     "3 + 4 + 5 =",
                     "12",
                     {"|3.00|  ", "+|4.00|  ", "+|5.00|  ", "-", "=|12.00|  ", ""},
                     false},
        SequenceCase{"StrictlyLeftToRight",
                     "3 + 4 * 2 =",
                     "14",
                     {"|3.00|  ", "+|4.00|  ", "=|7.00|  ", "*|2.00|  ", "-", "=|14.00|  ", ""}},
        SequenceCase{"RepeatedEquals",
                     "3 + 4 = = =",
                     "15",
                     {"|3.00|  ", "+|4.00|  ", "-", "=|7.00|  ", "", "|7.00|  ", "+|4.00|  ", "-",
                      "=|11.00|  ", "", "|11.00|  ", "+|4.00|  ", "-", "=|15.00|  ", ""}},
        SequenceCase{
            "OperatorThenEquals", "3 + =", "6", {"|3.00|  ", "+|3.00|  ", "-", "=|6.00|  ", ""}},
        SequenceCase{"OperatorThenEqualsRepeats",
                     "3 + = =",
                     "9",
                     {"|3.00|  ", "+|3.00|  ", "-", "=|6.00|  ", "", "|6.00|  ", "+|3.00|  ", "-",
                      "=|9.00|  ", ""}},
        SequenceCase{"PercentOfItself",
                     "200 % =",
                     "400",
                     {"|200.00|  ", "*|200.00| %", "-", "=|400.00|  ", ""}},
        SequenceCase{
            "Percent", "200 % 10 =", "20", {"|200.00|  ", "*|10.00| %", "-", "=|20.00|  ", ""}},
        SequenceCase{"AddPercent",
                     "200 +% 10 =",
                     "220",
                     {"|200.00|  ", "+|10.00| %", "-", "=|220.00|  ", ""}},
        SequenceCase{
            "PercentInAChain",
            "200 + 10 % 5 =",
            "10.5",
            {"|200.00|  ", "+|10.00|  ", "=|210.00|  ", "*|5.00| %", "-", "=|10.50|  ", ""}},
        SequenceCase{"OperatorAfterEqualsStartsANewChain",
                     "3 + 4 = + 5 =",
                     "12",
                     {"|3.00|  ", "+|4.00|  ", "-", "=|7.00|  ", "", "|7.00|  ", "+|5.00|  ", "-",
                      "=|12.00|  ", ""}},
        SequenceCase{"DigitAfterEqualsDropsTheOperation",
                     "3 + 4 = 5 =",
                     "5",
                     {"|3.00|  ", "+|4.00|  ", "-", "=|7.00|  ", "", "=|5.00|  "}},
        SequenceCase{"OnScreenZeroAfterEqualsRepeats",
                     "3 + 4 = 0 =",
                     "4",
                     {"|3.00|  ", "+|4.00|  ", "-", "=|7.00|  ", "", "|0.00|  ", "+|4.00|  ", "-",
                      "=|4.00|  ", ""}},
        SequenceCase{"UnaryDropsThePendingOperation",
                     "9 + 16 Sqrt =",
                     "4",
                     {"|9.00|  ", "Sqrt|16.00|  ", "=|4.00|  ", "", "=|4.00|  "}},
        SequenceCase{"DivisionByZeroGoesOnFromZero",
                     "5 / 0 + 3 =",
                     "3",
                     {"|5.00|  ", "/|0.00|  ", "=|Error|  ", "+|3.00|  ", "-", "=|3.00|  ", ""}},
        SequenceCase{"FailedChainStepWritesErrorWithoutTotals",
                     "5 / 0 + 3 =",
                     "3",
                     {"|5.00|  ", "/|0.00|  ", "=|Error|  ", "+|3.00|  ", "-", "=|3.00|  ", ""},
                     false},
        SequenceCase{"DivisionByZeroAtEquals",
                     "5 / 0 =",
                     "0",
                     {"|5.00|  ", "/|0.00|  ", "-", "=|Error|  ", ""}},
        SequenceCase{"UnaryFailureWritesError", "0 1/x", "0", {"1/x|0.00|  ", "=|Error|  ", ""}},
        SequenceCase{"RoundedResultContinues",
                     "1 / 3 = * 3 =",
                     "0.99",
                     {"|1.00|  ", "/|3.00|  ", "-", "=|0.33|  ", "", "|0.33|  ", "*|3.00|  ", "-",
                      "=|0.99|  ", ""}},
        SequenceCase{"PiAfterTypedNumberShiftsIt",
                     "3 + 4 pi =",
                     "7.14",
                     {"|3.00|  ", "+|3.14|  ", "-", "=|7.14|  ", ""}},
        SequenceCase{"PiAsSecondOperand",
                     "3 + pi =",
                     "6.14",
                     {"|3.00|  ", "+|3.14|  ", "-", "=|6.14|  ", ""}},
        SequenceCase{"CEKeepsThePendingOperation",
                     "3 + 5 CE 4 =",
                     "7",
                     {"|3.00|  ", "+|4.00|  ", "-", "=|7.00|  ", ""}},
        SequenceCase{"CERightAfterOperatorKeepsTheLeftOperand",
                     "3 + CE 4 =",
                     "7",
                     {"|3.00|  ", "+|4.00|  ", "-", "=|7.00|  ", ""}},
        SequenceCase{
            "ClearOnAnEmptyTapeWritesBothBlocks",
            "C C",
            "0",
            {"^", "^==== New Calculation =====", "^", "^", "^==== New Calculation =====", "^"}},
        SequenceCase{"ClearHistoryThenClear",
                     "1 + 1 = CH C",
                     "0",
                     {"^", "^==== New Calculation =====", "^"}}};
    return cases;
}

const std::vector<EntryCase>& entryCases()
{
    static const std::vector<EntryCase> cases{
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
        EntryCase{"FloatingEntryShowsExponentAfterOperation", 11, "1 2 3 . 4 5 +", u"1.2345E+0002",
                  0},
        EntryCase{"LongEntryKeepsItsDigitsGrouped", 0, "1234567890123456789012",
                  u"1,234,567,890,123,456,789,012", 0},
        EntryCase{"LongEntryShowsGeneralFormAfterOperation", 0, "1234567890123456789012 +",
                  u"1.23456789012346E21", 0},
        EntryCase{"DigitOnAnExponentFormBeeps", 2, "10 x^y 20 = MS C MR 5", u"1E20", 1},
        EntryCase{"PointOnAnExponentFormBeeps", 2, "10 x^y 20 = MS C MR .", u"1E20", 1},
        EntryCase{"DigitOnAFloatingFormBeeps", 11, "12 MS C MR 5", u"1.2E+0001", 1}};
    return cases;
}

QStringList tapeCells(const QStringList& tape)
{
    QStringList out;
    for (const QString& line : tape) {
        if (line.size() < SignWidth + 1 + ValueWidth) {
            out << line;
            continue;
        }
        const QString sign = line.left(SignWidth).trimmed();
        const QString value = line.mid(SignWidth + 1, ValueWidth).trimmed();
        const QString suffix = line.mid(SignWidth + 1 + ValueWidth);
        out << sign + QLatin1Char('|') + value + QLatin1Char('|') + suffix;
    }
    return out;
}

QStringList expandedTape(const std::vector<const char*>& cells)
{
    QStringList out;
    for (const char* c : cells) {
        const QString cell = QString::fromUtf8(c);
        if (cell.startsWith(QLatin1Char('^')))
            out << cell.mid(1);
        else if (cell == QLatin1String("-"))
            out << QStringLiteral("|-------------------------|  ");
        else if (cell.isEmpty())
            out << QStringLiteral("||  ");
        else
            out << cell;
    }
    return out;
}

} // namespace mx::test
