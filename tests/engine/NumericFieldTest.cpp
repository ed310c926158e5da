#include "engine/NumberFormats.h"
#include "engine/NumericField.h"
#include "engine/TapeWriter.h"

#include <gtest/gtest.h>

using namespace mx;

namespace {
QString display(int decPos, bool grouping = true)
{
    return buildNumberFormats(decPos, grouping).display;
}
} // namespace

TEST(NumberFormats, BuiltFromDecPosAndGrouping)
{
    EXPECT_EQ(buildNumberFormats(0, true).display, "###,###,###,###,###,##0");
    EXPECT_EQ(buildNumberFormats(0, false).history, "#################0");
    EXPECT_EQ(buildNumberFormats(2, true).display, "###,###,###,###,###,##0.##");
    EXPECT_EQ(buildNumberFormats(2, true).history, "###,###,###,###,###,##0.00");
    EXPECT_EQ(buildNumberFormats(10, false).history, "#################0.0000000000");
    EXPECT_EQ(buildNumberFormats(11, true).display, "0.##########E+0000");
    EXPECT_EQ(buildNumberFormats(11, false).history, "0.##########E+0000");
    EXPECT_EQ(buildNumberFormats(12, true).display, "###,###,###,###,###,##0");
    EXPECT_EQ(buildNumberFormats(-1, false).history, "#################0");
}

TEST(NumericField, WritingRoundsToTheShownPrecision)
{
    NumericField f(QStringLiteral("f"), display(2), {});
    f.setValue(1.0L / 3);
    EXPECT_EQ(f.text(), "0.33");
    EXPECT_EQ(f.value(), 0.33L);
    f.setDisplayFormat(display(0));
    f.setValue(3.5L);
    EXPECT_EQ(f.value(), 4);
}

TEST(NumericField, SwitchingDecimalsDownAndBackLosesDigits)
{
    NumericField f(QStringLiteral("f"), display(4), {});
    f.setValue(1.2345L);
    EXPECT_EQ(f.text(), "1.2345");
    f.setDisplayFormat(display(2));
    EXPECT_EQ(f.text(), "1.23");
    f.setDisplayFormat(display(4));
    EXPECT_EQ(f.text(), "1.23");
    EXPECT_EQ(f.value(), 1.23L);
}

TEST(NumericField, WritingTheShownValueLeavesTheText)
{
    NumericField f(QStringLiteral("f"), display(2), {});
    f.setText(QStringLiteral("1.50"));
    int changes = 0;
    QObject::connect(&f, &NumericField::textChanged, [&] { ++changes; });
    f.setValue(1.5L);
    EXPECT_EQ(f.text(), "1.50");
    EXPECT_EQ(changes, 0);
    f.reformat();
    EXPECT_EQ(f.text(), "1.5");
    EXPECT_EQ(changes, 1);
}

TEST(NumericField, EmptyTextReadsZeroAndFloatingKeepsElevenDigits)
{
    NumericField f(QStringLiteral("f"), display(11), {});
    f.setText(QString());
    EXPECT_EQ(f.value(), 0);
    f.setValue(123456789012345.0L);
    EXPECT_EQ(f.text(), "1.2345678901E+0014");
    EXPECT_EQ(f.value(), 123456789010000.0L);
}

TEST(NumericField, HugeValuesKeepFifteenDigitsInEveryDecimalMode)
{
    for (int decPos : {0, 2, 10}) {
        NumericField f(QStringLiteral("f"), display(decPos), {});
        f.setValue(2432902008176640000.0L);
        EXPECT_EQ(f.text(), "2.43290200817664E18") << decPos;
    }
}

TEST(TapeWriter, LaysOutFixedColumns)
{
    EXPECT_EQ(TapeWriter::layoutLine(QStringLiteral("+"), QStringLiteral("30.00"),
                                     QStringLiteral("  ")),
              QStringLiteral("    + ") + QString(20, QLatin1Char(' ')) + "30.00  ");
    EXPECT_EQ(TapeWriter::layoutLine({}, {}, QStringLiteral("  ")).size(), 33);
    // Longer texts are written whole and push the rest to the right.
    EXPECT_EQ(TapeWriter::layoutLine(QStringLiteral("ArcSin"), QStringLiteral("0.50"),
                                     QStringLiteral(" D")),
              QStringLiteral("ArcSin ") + QString(21, QLatin1Char(' ')) + "0.50 D");
    const QString wide(27, QLatin1Char('9'));
    EXPECT_EQ(TapeWriter::layoutLine(QStringLiteral(" "), wide, QStringLiteral("  ")),
              QStringLiteral("      ") + wide + "  ");
    // Widths count characters: a no-break space is one.
    const QString grouped = QStringLiteral("1\u00a0234,50");
    EXPECT_EQ(TapeWriter::layoutLine(QStringLiteral("="), grouped, QStringLiteral("  ")).size(),
              33);
}
