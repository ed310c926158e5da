#include "engine/NumberText.h"
#include "engine/PictureFormat.h"

#include <gtest/gtest.h>

#include <ostream>

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cmath>

using namespace mx;

namespace {

const NumberSeparators kDot{QLatin1Char('.'), QLatin1Char(',')};
const NumberSeparators kComma{QLatin1Char(','), QChar(0x00A0)};

struct SharedCase
{
    QString value;
    QString picture;
    QString expected;
};

std::vector<SharedCase> loadSharedCases()
{
    std::vector<SharedCase> cases;
    QFile file(QStringLiteral(MX_SHARED_DIR "/testdata/number-formats.tsv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return cases;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cols = line.split(QLatin1Char('\t'));
        if (cols.size() == 3)
            cases.push_back({cols[0], cols[1], cols[2]});
    }
    return cases;
}

// The same text with "," and "." swapped for the decimal comma and a no-break space.
QString withCommaSeparators(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char(','))
            out += QChar(0x00A0);
        else if (c == QLatin1Char('.'))
            out += QLatin1Char(',');
        else
            out += c;
    }
    return out;
}

} // namespace

TEST(PictureFormatShared, EveryCaseOfTheSharedFileFormatsAsExpected)
{
    // The cases live in the project's shared folder beside the checkout; a checkout made
    // elsewhere has none to read. A folder that is there but holds too few cases fails.
    if (!QFileInfo::exists(QStringLiteral(MX_SHARED_DIR)))
        GTEST_SKIP() << "no shared folder beside the checkout: " MX_SHARED_DIR;
    const std::vector<SharedCase> cases = loadSharedCases();
    ASSERT_GE(cases.size(), 1300u) << "shared number-format cases not found";
    int failures = 0;
    for (const SharedCase& c : cases) {
        const CalcValue v = NumberText(kDot).readField(c.value).value;
        const PictureFormat fmt(c.picture);
        const QString dot = fmt.format(v, kDot);
        const QString comma = fmt.format(v, kComma);
        if (dot != c.expected || comma != withCommaSeparators(c.expected)) {
            ++failures;
            ADD_FAILURE() << c.value.toStdString() << " with " << c.picture.toStdString()
                          << ": expected " << c.expected.toStdString() << ", got "
                          << dot.toStdString() << " / " << comma.toStdString();
        }
        if (failures > 20)
            break;
    }
}

struct FormatCase
{
    // Test output names the row instead of dumping its bytes.
    friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    long double value;
    const char* picture;
    const char* expected;
};

class PictureFormatCases : public testing::TestWithParam<FormatCase>
{
};

TEST_P(PictureFormatCases, Formats)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(PictureFormat(QString::fromLatin1(c.picture)).format(c.value, kDot),
              QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureFormatCases,
    testing::Values(
        FormatCase{"HalfAwayFromZeroOnEighteenDigits", 2.675L, "0.00", "2.68"},
        FormatCase{"NegativeHalfAwayFromZero", -2.675L, "0.00", "-2.68"},
        FormatCase{"NegativeRoundingToZeroHasNoMinus", -0.004L, "0.00", "0.00"},
        FormatCase{"NegativeZeroHasNoMinus", -0.0L, "###,##0.##", "0"},
        FormatCase{"DisplayDropsTrailingZeros", 1234.5L, "###,###,###,###,###,##0.##", "1,234.5"},
        FormatCase{"TapeKeepsDecimals", 1234.5L, "###,###,###,###,###,##0.00", "1,234.50"},
        FormatCase{"ZeroOnTape", 0.0L, "###,###,###,###,###,##0.00", "0.00"},
        FormatCase{"RoundsUpToInteger", 2.999L, "###,###,###,###,###,##0.##", "3"},
        FormatCase{"CarryAddsAGroup", 999999.996L, "###,###,###,###,###,##0.##", "1,000,000"},
        FormatCase{"FloatingForm", 12345.678L, "0.##########E+0000", "1.2345678E+0004"},
        FormatCase{"FloatingFormBelowOne", 0.5L, "0.##########E+0000", "5E-0001"},
        FormatCase{"FloatingZero", 0.0L, "0.##########E+0000", "0E+0000"},
        FormatCase{"FloatingCarry", 9.999999999996L, "0.##########E+0000", "1E+0001"},
        FormatCase{"FactorialOfTwentyInGeneralForm", 2432902008176640000.0L,
                   "###,###,###,###,###,##0.##", "2.43290200817664E18"},
        FormatCase{"TenToEighteenInGeneralForm", 1e18L, "#################0", "1E18"},
        FormatCase{"JustBelowTenToEighteenStaysFixed", 999999999999999999.0L,
                   "#################0", "999999999999999999"},
        FormatCase{"RoundingIntoNineteenDigitsGoesGeneral", 999999999999999999.6L,
                   "#################0", "1E18"},
        FormatCase{"NegativeGeneralForm", -1.5e300L, "0.00", "-1.5E300"},
        FormatCase{"FloatingKeepsLargeValues", 1.5e300L, "0.##########E+0000", "1.5E+0300"},
        FormatCase{"TwoSectionsNegativeWithoutMinus", -3.5L, "0.00;(0.00)", "(3.50)"},
        FormatCase{"TwoSectionsPositive", 3.5L, "0.00;(0.00)", "3.50"},
        FormatCase{"QuotedLiteral", 7.0L, "0\" pcs\"", "7 pcs"},
        FormatCase{"HashOnlyIntegerOfFraction", 0.5L, "#.##", ".5"},
        FormatCase{"TinyValueTakesExponentSign", 1e-300L, "0.##E+0000", "1E-0300"}),
    [](const testing::TestParamInfo<FormatCase>& p) { return std::string(p.param.name); });

TEST(PictureFormat, NonFiniteValuesNeverCrash)
{
    const PictureFormat fmt(QStringLiteral("###,##0.00"));
    EXPECT_EQ(fmt.format(std::numeric_limits<CalcValue>::infinity(), kDot), "INF");
    EXPECT_EQ(fmt.format(-std::numeric_limits<CalcValue>::infinity(), kDot), "-INF");
    EXPECT_EQ(fmt.format(std::numeric_limits<CalcValue>::quiet_NaN(), kDot), "NAN");
    EXPECT_EQ(formatGeneral(std::numeric_limits<CalcValue>::quiet_NaN(), kDot), "NAN");
}

TEST(PictureFormat, ExtremeMagnitudesFormatInEveryPicture)
{
    for (const char* picture : {"0", "0.##########", "###,##0.0000000000", "0.##E+0000"}) {
        const PictureFormat fmt{QString::fromLatin1(picture)};
        for (CalcValue v : {1e4900L, -1e4900L, std::numeric_limits<CalcValue>::denorm_min(),
                            -std::numeric_limits<CalcValue>::min()}) {
            const QString text = fmt.format(v, kComma);
            EXPECT_FALSE(text.isEmpty()) << picture;
            // What is shown reads back as a finite number.
            EXPECT_TRUE(std::isfinite(NumberText(kComma).readField(text).value)) << picture;
        }
    }
}
