#include "engine/NumberParser.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace mx;

struct ParseCase
{
    // Test output names the row instead of dumping its bytes.
    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    const char16_t* text;
    char16_t decimal;
    long double expected;
};

class NumberParserCases : public testing::TestWithParam<ParseCase>
{
};

TEST_P(NumberParserCases, Reads)
{
    const ParseCase& c = GetParam();
    const ParsedNumber n = parseNumber(QString::fromUtf16(c.text), QChar(c.decimal));
    EXPECT_FALSE(n.overflow);
    EXPECT_EQ(n.value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberParserCases,
    testing::Values(ParseCase{"Empty", u"", u'.', 0.0L},
                    ParseCase{"Grouped", u"1,234.5", u'.', 1234.5L},
                    ParseCase{"NoBreakSpaceGroupsDecimalComma", u"1\u00a0234,5", u',', 1234.5L},
                    ParseCase{"MinusAnywhere", u"12-3", u'.', -123.0L},
                    ParseCase{"TrailingPoint", u"5.", u'.', 5.0L},
                    ParseCase{"LonePoint", u".", u'.', 0.0L},
                    ParseCase{"LoneMinus", u"-", u'.', 0.0L},
                    ParseCase{"FloatingForm", u"1.2345678E+0004", u'.', 12345.678L},
                    ParseCase{"FloatingNegativeExponent", u"-5E-0001", u'.', -0.5L},
                    ParseCase{"GeneralForm", u"2.43290200817664E18", u'.', 2432902008176640000.0L},
                    ParseCase{"StrayTextSkipped", u"abc 7 xyz", u'.', 7.0L},
                    ParseCase{"SecondPointIgnored", u"1.2.3", u'.', 1.23L},
                    ParseCase{"OtherSeparatorIsSkipped", u"1.5", u',', 15.0L},
                    ParseCase{"TooSmallReadsZero", u"1E-99999", u'.', 0.0L}),
    [](const testing::TestParamInfo<ParseCase>& p) { return std::string(p.param.name); });

TEST(NumberParser, NumbersBeyondTheRangeAreFlagged)
{
    for (const char* text : {"1E5000", "9E99999999999999999999", "-1E4933"}) {
        const ParsedNumber n = parseNumber(QString::fromLatin1(text), QLatin1Char('.'));
        EXPECT_TRUE(n.overflow) << text;
    }
    EXPECT_FALSE(parseNumber(QStringLiteral("1E4931"), QLatin1Char('.')).overflow);
}
