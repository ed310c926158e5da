#include "engine/NumberFormats.h"
#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <limits>
#include <ostream>

using namespace mx;

namespace {

// The separators of the C, ru_RU and de_DE locales.
enum Locale { C, RU, DE };
const NumberSeparators kSeps[] = {{QLatin1Char('.'), QLatin1Char(',')},
                                  {QLatin1Char(','), QChar(0x00A0)},
                                  {QLatin1Char(','), QLatin1Char('.')}};
const char* const kLocaleNames[] = {"C", "ru_RU", "de_DE"};

NumberText numbers(Locale l)
{
    return NumberText(kSeps[l]);
}

constexpr auto Ok = NumberRead::Ok;
constexpr auto Empty = NumberRead::Empty;
constexpr auto NaN = NumberRead::NotANumber;

struct ReadCase
{
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    Locale locale;
    const char16_t* text;
    NumberRead::Status status;
    long double value;
};

class NumberTextRead : public testing::TestWithParam<ReadCase>
{
};

TEST_P(NumberTextRead, ReadsUserTextStrictly)
{
    const ReadCase& c = GetParam();
    const NumberRead r = numbers(c.locale).read(QString::fromUtf16(c.text));
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.value, c.status == Ok ? c.value : 0.0L);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberTextRead,
    testing::Values(
        ReadCase{"C_CommaIsNoDecimal", C, u"2,5", NaN, 0},
        ReadCase{"C_CommaGroupsThree", C, u"2,500", Ok, 2500},
        ReadCase{"C_Grouped", C, u"1,234,567.5", Ok, 1234567.5L},
        ReadCase{"C_BlankGroups", C, u"1 234.5", Ok, 1234.5L},
        ReadCase{"C_NarrowNoBreakSpaceGroups", C, u"1\u202f234.5", Ok, 1234.5L},
        ReadCase{"C_GroupOfTwo", C, u"12,34", NaN, 0},
        ReadCase{"C_GroupOfFour", C, u"1,2345", NaN, 0},
        ReadCase{"C_FirstGroupOfFour", C, u"1234,567", NaN, 0},
        ReadCase{"C_MarkAtStart", C, u",234", NaN, 0},
        ReadCase{"C_MixedMarks", C, u"1,234 567", NaN, 0},
        ReadCase{"C_GroupMarkInDecimals", C, u"1.234,567", NaN, 0},
        ReadCase{"C_TrailingPoint", C, u"1,234.", Ok, 1234},
        ReadCase{"C_LeadingPoint", C, u".5", Ok, 0.5L},
        ReadCase{"C_LonePoint", C, u".", NaN, 0},
        ReadCase{"C_TwoPoints", C, u"1.2.3", NaN, 0},
        ReadCase{"C_Minus", C, u"-2.5", Ok, -2.5L},
        ReadCase{"C_MinusSign", C, u"\u22122.5", Ok, -2.5L},
        ReadCase{"C_Parentheses", C, u"( 1,234.5 )", Ok, -1234.5L},
        ReadCase{"C_MinusInParentheses", C, u"(-5)", NaN, 0},
        ReadCase{"C_TwoMinus", C, u"--5", NaN, 0},
        ReadCase{"C_MinusAfterDigits", C, u"12-3", NaN, 0},
        ReadCase{"C_Exponent", C, u"2.5E-3", Ok, 0.0025L},
        ReadCase{"C_ExponentPlusLowerCase", C, u"1e+3", Ok, 1000},
        ReadCase{"C_FloatingForm", C, u"1.2345678E+0004", Ok, 12345.678L},
        ReadCase{"C_ExponentWithoutDigits", C, u"1E", NaN, 0},
        ReadCase{"C_ExponentAlone", C, u"E5", NaN, 0},
        ReadCase{"C_BlanksAround", C, u"  42\t", Ok, 42},
        ReadCase{"C_Empty", C, u"", Empty, 0},
        ReadCase{"C_Blanks", C, u"   ", Empty, 0},
        ReadCase{"C_TextAfter", C, u"12abc", NaN, 0},
        ReadCase{"C_OtherDigits", C, u"\u0661\u0662", NaN, 0},
        ReadCase{"C_TooSmallReadsZero", C, u"1E-99999", Ok, 0},
        ReadCase{"RU_Comma", RU, u"2,5", Ok, 2.5L},
        ReadCase{"RU_PointToo", RU, u"2.5", Ok, 2.5L},
        ReadCase{"RU_BlankGroups", RU, u"1 234,5", Ok, 1234.5L},
        ReadCase{"RU_NoBreakSpaceGroups", RU, u"1\u00a0234\u00a0567,5", Ok, 1234567.5L},
        ReadCase{"RU_NarrowNoBreakSpaceGroups", RU, u"1\u202f234,5", Ok, 1234.5L},
        ReadCase{"RU_CommaBeforeThreeDigitsIsDecimal", RU, u"1,234", Ok, 1.234L},
        ReadCase{"RU_PointAndComma", RU, u"1.234,5", NaN, 0},
        ReadCase{"RU_ShortGroup", RU, u"1 23,5", NaN, 0},
        ReadCase{"RU_Parentheses", RU, u"(0,707106781186548)", Ok, -0.707106781186548L},
        ReadCase{"RU_FloatingForm", RU, u"1,5E+0004", Ok, 15000},
        ReadCase{"DE_PointIsNoDecimal", DE, u"2.5", NaN, 0},
        ReadCase{"DE_PointGroupsThree", DE, u"2.500", Ok, 2500},
        ReadCase{"DE_Comma", DE, u"2,5", Ok, 2.5L},
        ReadCase{"DE_Grouped", DE, u"1.234.567,25", Ok, 1234567.25L},
        ReadCase{"DE_BlankGroups", DE, u"1 234,5", Ok, 1234.5L},
        ReadCase{"DE_ShortGroup", DE, u"1.23", NaN, 0}),
    [](const testing::TestParamInfo<ReadCase>& p) { return std::string(p.param.name); });

TEST(NumberText, NumbersBeyondTheRangeAreRefused)
{
    const NumberText n = numbers(C);
    for (const char* text : {"1E5000", "9E99999999999999999999", "-1E4933", "(1E4933)"})
        EXPECT_EQ(n.read(QString::fromLatin1(text)).status, NumberRead::OutOfRange) << text;
    EXPECT_EQ(n.read(QStringLiteral("1E4931")).status, Ok);
    EXPECT_EQ(n.read(QStringLiteral("2E308"), NumberRange::Double).status,
              NumberRead::OutOfRange);
    EXPECT_EQ(n.read(QStringLiteral("-1E308"), NumberRange::Double).value, -1e308L);
}

TEST(NumberText, RefusalNamesTheText)
{
    EXPECT_EQ(NumberText::refusal(NaN, QStringLiteral("2,5")), QStringLiteral("Это не число: 2,5"));
    EXPECT_EQ(NumberText::refusal(NumberRead::OutOfRange, QStringLiteral("1E5000")),
              QStringLiteral("Число вне допустимого диапазона: 1E5000"));
}

struct WriteCase
{
    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    long double value;
    const char16_t* expected[3]; // C, ru_RU, de_DE
};

class NumberTextGeneral : public testing::TestWithParam<WriteCase>
{
};

TEST_P(NumberTextGeneral, WritesFifteenDigitsInEachLocale)
{
    const WriteCase& c = GetParam();
    for (Locale l : {C, RU, DE})
        EXPECT_EQ(numbers(l).general(c.value), QString::fromUtf16(c.expected[l]))
            << kLocaleNames[l];
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextGeneral,
    testing::Values(
        WriteCase{"DeviationOfOneTwo", 0.70710678118654752440L,
                  {u"0.707106781186548", u"0,707106781186548", u"0,707106781186548"}},
        WriteCase{"EstimateOfEightValues", 2.13808993529939520L,
                  {u"2.1380899352994", u"2,1380899352994", u"2,1380899352994"}},
        WriteCase{"GroupsOnlyTheIntegerPart", 1234567.125L,
                  {u"1,234,567.125", u"1\u00a0234\u00a0567,125", u"1.234.567,125"}},
        WriteCase{"NegativeInParentheses", -3.75L, {u"(3.75)", u"(3,75)", u"(3,75)"}},
        WriteCase{"DoubleNoiseRounded", 0.1 + 0.2, {u"0.3", u"0,3", u"0,3"}},
        WriteCase{"Zero", 0.0L, {u"0", u"0", u"0"}},
        WriteCase{"NegativeZero", -0.0L, {u"0", u"0", u"0"}},
        WriteCase{"SmallestFixed", 0.000125L, {u"0.000125", u"0,000125", u"0,000125"}},
        WriteCase{"BelowTenToMinusFourInExponentForm", 2.5e-7L,
                  {u"2.5E-7", u"2,5E-7", u"2,5E-7"}},
        WriteCase{"FifteenIntegerDigits", 999999999999999.0L,
                  {u"999,999,999,999,999", u"999\u00a0999\u00a0999\u00a0999\u00a0999",
                   u"999.999.999.999.999"}},
        WriteCase{"RoundingIntoSixteenDigits", 999999999999999.9L, {u"1E15", u"1E15", u"1E15"}},
        WriteCase{"Large", 1e100L, {u"1E100", u"1E100", u"1E100"}},
        WriteCase{"LargeNegative", -1.5e100L, {u"(1.5E100)", u"(1,5E100)", u"(1,5E100)"}},
        WriteCase{"Infinite", std::numeric_limits<long double>::infinity(),
                  {u"INF", u"INF", u"INF"}}),
    [](const testing::TestParamInfo<WriteCase>& p) { return std::string(p.param.name); });

TEST(NumberText, PlainTextHasNoGroupsAndALeadingMinus)
{
    EXPECT_EQ(numbers(C).plain(-1234567.5L), QStringLiteral("-1234567.5"));
    EXPECT_EQ(numbers(RU).plain(-1234567.5L), QStringLiteral("-1234567,5"));
    EXPECT_EQ(numbers(DE).plain(2.5e-7L), QStringLiteral("2,5E-7"));
}

TEST(NumberText, CopyTextLeavesOutGroupsAndATrailingSeparator)
{
    EXPECT_EQ(numbers(C).copyText(QStringLiteral("-1,234,567.50")), QStringLiteral("-1234567.50"));
    EXPECT_EQ(numbers(RU).copyText(QString::fromUtf16(u"1\u00a0234,")), QStringLiteral("1234"));
    EXPECT_EQ(numbers(DE).copyText(QStringLiteral("1,2345678E+0004")),
              QStringLiteral("1,2345678E+0004"));
}

// Every text the program writes reads back, strictly, to the number it shows.
TEST(NumberText, EverythingWrittenReadsBack)
{
    const long double values[] = {0.0L,         -0.0L,          0.5L,     -2.675L,
                                  1234.5L,      -1234567.891L,  1e-5L,    0.70710678118654752L,
                                  123456789012345678.0L, 2432902008176640000.0L,
                                  -1.5e300L,    7.25e-300L,     999999.996L};
    for (Locale l : {C, RU, DE}) {
        const NumberText n = numbers(l);
        for (long double v : values) {
            const auto expectSame = [&](const QString& text, long double shown) {
                const NumberRead r = n.read(text);
                EXPECT_EQ(r.status, Ok) << kLocaleNames[l] << " " << text.toStdString();
                EXPECT_EQ(r.value, shown) << kLocaleNames[l] << " " << text.toStdString();
            };
            const long double general = n.readField(n.plain(v)).value;
            expectSame(n.general(v), general);
            expectSame(n.plain(v), general);
            for (int decPos = 0; decPos <= 11; ++decPos) {
                for (bool grouping : {false, true}) {
                    const BuiltFormats f = buildNumberFormats(decPos, grouping);
                    for (const QString& picture : {f.display, f.history}) {
                        const QString text = n.picture(v, picture);
                        const long double shown = n.readField(text).value;
                        expectSame(text, shown);
                        expectSame(n.copyText(text), shown);
                    }
                }
            }
        }
    }
}

// The register rule: the program's own field texts, read leniently.
struct FieldCase
{
    friend void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    Locale locale;
    const char16_t* text;
    long double expected;
};

class NumberTextField : public testing::TestWithParam<FieldCase>
{
};

TEST_P(NumberTextField, ReadsFieldTextsIgnoringGroupMarks)
{
    const FieldCase& c = GetParam();
    const ParsedNumber n = numbers(c.locale).readField(QString::fromUtf16(c.text));
    EXPECT_FALSE(n.overflow);
    EXPECT_EQ(n.value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberTextField,
    testing::Values(FieldCase{"Empty", C, u"", 0.0L},
                    FieldCase{"Grouped", C, u"1,234.5", 1234.5L},
                    FieldCase{"NoBreakSpaceGroupsDecimalComma", RU, u"1\u00a0234,5", 1234.5L},
                    FieldCase{"PointGroupsDecimalComma", DE, u"1.234,5", 1234.5L},
                    FieldCase{"MinusAnywhere", C, u"12-3", -123.0L},
                    FieldCase{"TrailingPoint", C, u"5.", 5.0L},
                    FieldCase{"LonePoint", C, u".", 0.0L},
                    FieldCase{"LoneMinus", C, u"-", 0.0L},
                    FieldCase{"FloatingNegativeExponent", RU, u"-5E-0001", -0.5L},
                    FieldCase{"GeneralForm", C, u"2.43290200817664E18", 2432902008176640000.0L},
                    FieldCase{"StrayTextSkipped", C, u"abc 7 xyz", 7.0L},
                    FieldCase{"SecondPointIgnored", C, u"1.2.3", 1.23L},
                    FieldCase{"TooSmallReadsZero", C, u"1E-99999", 0.0L}),
    [](const testing::TestParamInfo<FieldCase>& p) { return std::string(p.param.name); });

TEST(NumberText, FieldNumbersBeyondTheRangeAreFlagged)
{
    for (const char* text : {"1E5000", "9E99999999999999999999", "-1E4933"})
        EXPECT_TRUE(numbers(C).readField(QString::fromLatin1(text)).overflow) << text;
    EXPECT_FALSE(numbers(C).readField(QStringLiteral("1E4931")).overflow);
}

TEST(NumberSeparators, TakenFromTheLocale)
{
    for (Locale l : {C, RU, DE}) {
        const NumberSeparators s = NumberSeparators::fromLocale(QLocale(QLatin1String(kLocaleNames[l])));
        EXPECT_EQ(s.decimal, kSeps[l].decimal) << kLocaleNames[l];
        EXPECT_EQ(s.thousands, kSeps[l].thousands) << kLocaleNames[l];
    }
}

} // namespace
