#include "formula/FormulaPreview.h"
#include "formula/FormulaRecall.h"

#include <QStringList>

#include <cmath>

#include <gtest/gtest.h>

using namespace mx;

struct RecallRow
{
    const char* name;
    QStringList run;    // formulas run, in order
    QString typing;     // the line's text when the walk begins
    const char* keys;   // U is Up, D is Down
    QStringList shown;  // the line after each key
};

class FormulaRecallCases : public testing::TestWithParam<RecallRow>
{
};

TEST_P(FormulaRecallCases, WalksNewestFirst)
{
    const RecallRow& row = GetParam();
    FormulaRecall recall;
    for (const QString& f : row.run)
        recall.remember(f);
    QString line = row.typing;
    QStringList shown;
    for (const char* k = row.keys; *k; ++k) {
        const std::optional<QString> text = *k == 'U' ? recall.older(line) : recall.newer();
        if (text)
            line = *text;
        shown.append(line);
    }
    EXPECT_EQ(shown, row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormulaRecallCases,
    testing::Values(
        RecallRow{"UpUpDown", {"2+3", "7*6"}, "", "UUD", {"7*6", "2+3", "7*6"}},
        RecallRow{"DownPastTheNewestGivesBackTheTypedText", {"2+3", "7*6"}, "Sin(", "UUDDD",
                  {"7*6", "2+3", "7*6", "Sin(", "Sin("}},
        RecallRow{"UpStopsAtTheOldest", {"1", "2"}, "", "UUU", {"2", "1", "1"}},
        RecallRow{"DownWithoutAWalkDoesNothing", {"1"}, "x", "D", {"x"}},
        RecallRow{"NothingRunNothingRecalled", {}, "x", "UD", {"x", "x"}},
        RecallRow{"SameTwiceInARowKeptOnce", {"2+3", "2+3", " 2+3 ", "7*6", "2+3"}, "", "UUUU",
                  {"2+3", "7*6", "2+3", "2+3"}},
        RecallRow{"BlankNotKept", {"5", "   "}, "", "UU", {"5", "5"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FormulaRecall, ARunStartsTheNextWalkFromTheTypedLine)
{
    FormulaRecall recall;
    recall.remember(QStringLiteral("1"));
    recall.remember(QStringLiteral("2"));
    ASSERT_EQ(recall.older(QString()), "2");
    ASSERT_EQ(recall.older(QString()), "1");
    recall.remember(QStringLiteral("1"));
    EXPECT_EQ(recall.newer(), std::nullopt);
    EXPECT_EQ(recall.older(QStringLiteral("new")), "1");
    EXPECT_EQ(recall.newer(), "new");
}

struct PreviewRow
{
    const char* name;
    const char* formula;
    std::optional<double> value;
};

class FormulaPreviewCases : public testing::TestWithParam<PreviewRow>
{
};

// The value of a good formula; nothing for an incomplete or wrong one, and no fault left.
TEST_P(FormulaPreviewCases, ValueOrNothing)
{
    const std::optional<double> v = previewFormula(QString::fromUtf8(GetParam().formula));
    ASSERT_EQ(v.has_value(), GetParam().value.has_value());
    if (v) {
        EXPECT_NEAR(*v, *GetParam().value, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormulaPreviewCases,
    testing::Values(PreviewRow{"TwoPi", "2*pi", 2 * M_PI},
                    PreviewRow{"ModTemplate", " Mod( 7 , 3 ) ", 1.0},
                    PreviewRow{"HostFunction", "Power( 2 , 10 )", 1024.0},
                    PreviewRow{"Blank", "   ", std::nullopt},
                    PreviewRow{"IncompleteOperator", "2+", std::nullopt},
                    PreviewRow{"IncompleteCall", "Sin( 1", std::nullopt},
                    PreviewRow{"UnknownName", "2*p1", std::nullopt},
                    PreviewRow{"TooFewParameters", "Power( 2 )", std::nullopt},
                    PreviewRow{"DivisionByZero", "1/0", std::nullopt},
                    PreviewRow{"OutOfDomain", "Sqrt( -1 )", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });
