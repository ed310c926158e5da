#include "CalcFixture.h"
#include "formula/FormulaCalc.h"
#include "formula/FormulaFunctionTable.h"
#include "formula/FormulaFunctions.h"
#include "formula/FormulaTemplates.h"
#include "formula/TapeLines.h"
#include "script/FunctionDeclaration.h"
#include "script/ScriptError.h"
#include "script/ScriptScope.h"
#include "texts/HelpContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <utility>

namespace mx {
namespace {

class FormulaTest : public ::testing::Test
{
protected:
    FormulaTest() : formula(calc.core, global) {}

    // Runs a formula; the result text, or the message shown.
    QString run(const QString& text)
    {
        calc.messages.messages.clear();
        selection = formula.btClsRunClick(text);
        return calc.messages.messages.empty() ? formula.edClsFrmlRes.text()
                                              : calc.messages.messages.back().text;
    }

    test::CalcFixture calc;
    ScriptScope global;
    FormulaCalc formula;
    std::optional<qsizetype> selection;
};

const QString kRunTimeError = QStringLiteral(
    "Ошибка выполнения\r\rВозможная причина:\r- Аргумент выходит за допустимые границы\r- "
    "Деление на ноль");

TEST_F(FormulaTest, EvaluatesFormulasAndShowsTheirFailures)
{
    calc.core.setDecPos(4);
    const struct {
        const char* formula;
        QString shown;
        int select; // -1: nothing to select
    } cases[] = {
        {"2+2", QStringLiteral("4"), -1},
        {"2*pi", QStringLiteral("6.2832"), -1},
        {"2*PI", QStringLiteral("6.2832"), -1},
        {"2*p", QStringLiteral("Синтаксическая ошибка в поз. 3"), 2},
        {"2+", QStringLiteral("Синтаксическая ошибка в поз. 2"), 1},
        {"  2*p", QStringLiteral("Синтаксическая ошибка в поз. 3"), 4}, // shifted by the blanks
        {"Mod( 7 , 3 )", QStringLiteral("1"), -1},
        {"MOD( -7 , 3 )", QStringLiteral("-1"), -1},
        {"Mod( 7.5 , 2 )", QStringLiteral("1.5"), -1},
        {"7 mod 3", QStringLiteral("Синтаксическая ошибка в поз. 4\r"), 3},
        // A line break or a tab inside the line is refused where it stands; positions are
        // always of the formula's own characters.
        {"12\n34\n56\n", QStringLiteral("Синтаксическая ошибка в поз. 3"), 2},
        {"1+\n2", QStringLiteral("Синтаксическая ошибка в поз. 3"), 2},
        {"1+2\n\n", QStringLiteral("3"), -1},
        {"1\t+2", QStringLiteral("Синтаксическая ошибка в поз. 2"), 1},
        {"2*(3", QStringLiteral("Синтаксическая ошибка в поз. 4\r"), 3},
        {"Sin( 1 ) 2", QStringLiteral("Синтаксическая ошибка в поз. 10\r"), 9},
        {"Power( 2 , 10 )", QStringLiteral("1,024"), -1},
        {"Power( 0 , 0 )", QStringLiteral("1"), -1},
        {"Power( -2 , 3 )", QStringLiteral("-8"), -1},
        {"Power( 2 , -2 )", QStringLiteral("0.25"), -1},
        {"Power( 2 , 0.5 )", QStringLiteral("1.4142"), -1},
        {"Power( 10 , -2147483647 )", QStringLiteral("0"), -1},
        {"Power( -8 , 1/3 )", kRunTimeError, -1},
        {"Power( 0 , -1 )", kRunTimeError, -1},
        {"Power( 2 )", QStringLiteral("Синтаксическая ошибка в поз. 2\rМало параметров"), 1},
        {"Power( 2 , 3 , 4 )",
         QStringLiteral("Синтаксическая ошибка в поз. 2\rНеизвестная функция или\rМного параметров"), 1},
        {"Log( 100 ) + Lg( 8 )", QStringLiteral("5"), -1},
        {"Log( 0 )", kRunTimeError, -1},
        {"Ln( -1 )", kRunTimeError, -1},
        {"ArcSin( 2 )", kRunTimeError, -1},
        {"Sqrt( -1 )", kRunTimeError, -1},
        {"1/0", kRunTimeError, -1},
        {"Mod( 1e300 , 1 )", kRunTimeError, -1}, // the quotient leaves the 64-bit range
        {"Mod( 1 , 0 )", kRunTimeError, -1},
        {"ArcSin( 1 ) * 2 - ArcCos( -1 )", QStringLiteral("0"), -1},
        {"Tg( pi / 4 ) + ArcTg( 1 ) * 4", QStringLiteral("4.1416"), -1},
        {"Rad( 180 )", QStringLiteral("3.1416"), -1},
        {"Rad( 540 )", QStringLiteral("3.1416"), -1},
        {"Rad( -30 ) * 6", QStringLiteral("-3.1416"), -1},
        {"Deg( pi )", QStringLiteral("180"), -1},
        {"Sin( pi / 2 )", QStringLiteral("1"), -1}, // radians, whatever the keypad says
    };
    calc.core.setRadian(false);
    for (const auto& c : cases) {
        EXPECT_EQ(run(QString::fromLatin1(c.formula)), c.shown) << c.formula;
        EXPECT_EQ(selection.value_or(-1), c.select) << c.formula;
    }
}

TEST_F(FormulaTest, MessagesHaveTheirKindsAndLeaveResultAndTapeAlone)
{
    calc.core.settings.FrmlHistory = calc.core.settings.FrmlResHistory = true;
    run(QStringLiteral("3"));
    const QStringList tape = calc.tape();
    for (const char* failing : {"2+", "Power( 2 )", "1/0"}) {
        run(QString::fromLatin1(failing));
        ASSERT_EQ(calc.messages.messages.size(), 1u);
        EXPECT_EQ(calc.messages.messages[0].helpContext, hcMessages);
        EXPECT_EQ(calc.messages.messages[0].buttons, mbOKOnly);
        EXPECT_EQ(calc.messages.messages[0].kind, std::string(failing) == "1/0" ? mkError : mkWarning);
        EXPECT_EQ(formula.edClsFrmlRes.text(), QStringLiteral("3"));
        EXPECT_EQ(calc.tape(), tape);
    }
    EXPECT_EQ(run(QStringLiteral(" \t ")), QStringLiteral("3")); // blank: nothing at all
    EXPECT_EQ(calc.tape(), tape);
}

TEST_F(FormulaTest, WritesFormulaAndResultToTheTapeAsTheSettingsSay)
{
    calc.keys(QStringLiteral("7 + 5"));
    const QStringList keypadTape = calc.tape();
    calc.core.settings.FrmlHistory = true;
    calc.core.settings.FrmlResHistory = true;
    calc.core.settings.History = false; // not looked at
    run(QStringLiteral("  2+2 "));
    QStringList expected = keypadTape;
    expected << QStringLiteral(" ") << QStringLiteral("2+2  ")
             << QStringLiteral("    = %1  ").arg(QStringLiteral("4.00"), 25) << QStringLiteral(" ");
    EXPECT_EQ(calc.tape(), expected);

    calc.core.settings.FrmlResHistory = false;
    run(QStringLiteral("Sin( 1 ) + Cos( 2 ) * 3.14159 / Power( 2 , 8 ) - 12345.678"));
    expected << QStringLiteral(" ") << QStringLiteral("Sin( 1 ) + Cos( 2 ) * " "  ")
             << QStringLiteral("3.14159 / Power( 2 , 8 ) - " "  ") << QStringLiteral("12345.678  ");
    EXPECT_EQ(calc.tape(), expected);

    // The keypad's registers and pending operation are untouched: = completes 7 + 5.
    EXPECT_EQ(calc.display(), QStringLiteral("5"));
    calc.keys(QStringLiteral("="));
    EXPECT_EQ(calc.display(), QStringLiteral("12"));
}

TEST(TapeLinesTest, BreaksAfterTheLastDelimiterOfEachPiece)
{
    const QString seventy(70, u'7');
    const QString withDelimiter = QStringLiteral("123456789012345678901234+678");
    const struct {
        QString text;
        QStringList lines;
    } cases[] = {
        {QStringLiteral("2+2"), {QStringLiteral("2+2  ")}},
        {seventy, {QString(28, u'7') + "  ", QString(28, u'7') + "  ", QString(14, u'7') + "  "}},
        {QString(28, u'1'), {QString(28, u'1') + "  ", QStringLiteral("  ")}},
        {withDelimiter, {withDelimiter.left(25) + "  ", QStringLiteral("678  ")}},
        {QString(901, u'1'), {QStringLiteral("Too long string")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitToTapeLines(c.text, QStringLiteral("  "), 30).split(QStringLiteral("\r\n")), c.lines)
            << qPrintable(c.text);
    EXPECT_EQ(SplitToTapeLines(QStringLiteral("1"), QStringLiteral("  "), 2), QStringLiteral("Too short part"));
}

TEST_F(FormulaTest, LongFormulasRunButReachTheTapeAsTooLongString)
{
    calc.core.settings.FrmlHistory = true;
    QString sum = QStringLiteral("1");
    while (sum.size() <= 900)
        sum += QStringLiteral("+1");
    EXPECT_EQ(run(sum), QStringLiteral("451"));
    EXPECT_EQ(calc.tape().mid(1), QStringList{QStringLiteral("Too long string")});
}

TEST(FormulaTemplatesTest, LookUpWithoutRegardToCase)
{
    EXPECT_EQ(FormulaTemplates().size(), 18);
    EXPECT_EQ(formulaTemplate(QStringLiteral("power")), QStringLiteral(" Power( , ) "));
    EXPECT_EQ(formulaTemplate(QStringLiteral("PI")), QStringLiteral(" pi "));
    EXPECT_EQ(formulaTemplate(QStringLiteral("Sin")), QStringLiteral(" Sin(  ) "));
    EXPECT_EQ(formulaTemplate(QStringLiteral("none")), QString());
}

// Every row says the same of its function in each of its columns, and the buttons fill the
// list without sharing a place or a name.
TEST(FormulaFunctionTableTest, EachRowAgreesWithItselfAndTheButtonsFillTheList)
{
    std::set<std::pair<int, int>> places;
    std::set<QString> names;
    for (const FormulaFunction& f : formulaFunctionTable()) {
        const QString name = QLatin1String(f.name);
        if (f.declaration) {
            const auto declared = parseFunctionDeclaration(QLatin1String(f.declaration));
            ASSERT_TRUE(declared) << f.declaration;
            EXPECT_EQ(declared->name, QLatin1String(f.hostName)) << f.name;
            EXPECT_EQ(declared->paramCount, f.arity) << f.name;
            EXPECT_NE(f.compute, nullptr) << f.name;
        } else {
            EXPECT_EQ(f.compute, nullptr) << f.name;
        }
        const QString text = QLatin1String(f.templateText);
        const char* parentheses[] = {"", "(  )", "( , )"};
        EXPECT_EQ(text, u' ' + name + QLatin1String(parentheses[f.arity]) + u' ') << f.name;
        // The caret lands where the first argument goes.
        const qsizetype caret = text.size() - f.caretBack;
        if (f.arity == 0)
            EXPECT_EQ(f.caretBack, kNoCaretMove) << f.name;
        else
            EXPECT_EQ(caret, f.arity == 1 ? text.indexOf(u'(') + 2 : text.indexOf(u',')) << f.name;
        EXPECT_TRUE(f.row >= 1 && f.row <= kFunctionRows && f.column >= 1 &&
                    f.column <= kFunctionColumns)
            << f.name;
        EXPECT_TRUE(places.insert({f.row, f.column}).second) << f.name;
        for (const char* unique : {f.name, f.buttonName})
            EXPECT_TRUE(names.insert(QLatin1String(unique)).second) << unique;
        const QString accessible = QString::fromUtf16(f.accessibleName);
        EXPECT_TRUE(accessible.contains(name)) << f.name;
        EXPECT_TRUE(names.insert(accessible).second) << f.name;
    }
    EXPECT_EQ(places.size(), std::size_t(kFunctionRows * kFunctionColumns));
}

TEST(FormulaFunctionTableTest, CallMetodAnswersTheHostFunctionsByNameInAnyCase)
{
    const double two[] = {7, 3};
    EXPECT_EQ(CallMetod(QStringLiteral("m0D"), two), 1);
    EXPECT_EQ(CallMetod(QStringLiteral("POWER"), two), 343);
    EXPECT_EQ(CallMetod(QStringLiteral("lg"), std::span(two).first(1)), std::log2(7.0));
    // Names the engine answers itself, the template's name Mod, and a wrong count are refused.
    for (const char* refused : {"Sin", "Mod", "Nothing"})
        EXPECT_THROW(CallMetod(QLatin1String(refused), std::span(two).first(1)), ScriptError) << refused;
    EXPECT_THROW(CallMetod(QStringLiteral("Power"), std::span(two).first(1)), ScriptError);
}

} // namespace
} // namespace mx
