#include "script/FunctionDeclaration.h"
#include "script/Script.h"
#include "script/ScriptError.h"
#include "script/ScriptScope.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <random>

namespace mx {
namespace {

// A global scope with a result variable and two host functions, as the program sets it up.
class ScriptTest : public ::testing::Test
{
protected:
    ScriptTest()
    {
        global.declareVariable(QStringLiteral("R"), QStringLiteral("real"), 0);
        global.registerFunction(QStringLiteral("function Twice(X : real) : real"),
                                [this](const QString& name, std::span<const double> a) {
                                    calledAs = name;
                                    return 2 * a[0];
                                });
        global.registerFunction(QStringLiteral("function Minus(A, B : real) : real"),
                                [](const QString&, std::span<const double> a) { return a[0] - a[1]; });
        script.setParent(&global);
    }

    // Compiles and runs "R=" + expression; the value of R, or nothing on a failure.
    std::optional<double> eval(const QString& expression)
    {
        script.clear();
        script.setProgram(QStringLiteral("R=") + expression);
        if (!script.compile())
            return std::nullopt;
        try {
            script.execute();
        } catch (const ScriptError&) {
            return std::nullopt;
        }
        return script.variable(QStringLiteral("r"));
    }

    ScriptScope global;
    Script script;
    QString calledAs;
};

TEST_F(ScriptTest, EvaluatesTheExpressionLanguage)
{
    const struct {
        const char* expression;
        double value;
    } cases[] = {
        {"2+3*4", 14},
        {"(2+3)*4", 20},
        {"10-4-3", 3},
        {"12/4/3", 1},
        {"-2*-3", 6},
        {"- ( 2 + 3 )", -5},
        {"--4", 4},
        {"1.5e2+.5", 150.5},
        {"1e-400", 0}, // underflows to zero without a fault
        {"1e-99999999999999999999999", 0},
        {"PI", 3.141592653589793},
        {"2*pi", 6.283185307179586},
        {"Sin( 0 ) + cos(0)", 1},
        {"SQRT( 16 ) + Exp(0) + Ln(1)", 5},
        {"Int( -7.5 )", -7},
        {"Frac( -7.5 )", -0.5},
        {"twice( 1.5 )", 3},
        {"MINUS( 10 , 4 ) * 2", 12},
        {"Minus(Twice(2),Minus(1,2))", 5},
        {"r - R + 1", 1}, // the variable itself, of any case
    };
    for (const auto& c : cases)
        EXPECT_EQ(eval(QString::fromLatin1(c.expression)), c.value) << c.expression;
    EXPECT_EQ(calledAs, QStringLiteral("Twice")); // the declared name, whatever the call's case
}

TEST_F(ScriptTest, ReportsCompileErrorsWithTheirKindAndColumn)
{
    using K = CompileErrorKind;
    const struct {
        const char* program;
        K kind;
        const char* message;
        const char* position;
    } cases[] = {
        {"R=Minus( 2 )", K::NotEnoughParameters, "Not enough actual parameters", "1:3"},
        {"R=Minus( 2 , 3 , 4 )", K::TooManyParameters, "Too many actual parameters", "1:3"},
        {"R=Twice", K::NotEnoughParameters, "Not enough actual parameters", "1:3"},
        {"R=2 + foo", K::UnknownIdentifier, "Unknown identifier 'foo'", "1:7"},
        {"R=7 m0d 3", K::EndOfStatementExpected, "End of statement expected", "1:5"},
        {"R=2+", K::ExpressionExpected, "Expression expected", "1:5"},
        {"R=(2", K::TokenExpected, "')' expected", "1:5"},
        {"R=2 $ 3", K::UnexpectedCharacter, "Unexpected character '$'", "1:5"},
        {"R=1.2.3", K::InvalidNumber, "Invalid number", "1:3"},
        {"R=1e999", K::NumberOutOfRange, "Number out of range", "1:3"},
        {"R=R(1)", K::NotAFunction, "'R' is not a function", "1:3"},
        {"Sin=1", K::CannotAssignToFunction, "Cannot assign to function 'Sin'", "1:1"},
        {"R 2", K::EqualsExpected, "'=' expected", "1:3"},
        {"2=R", K::StatementExpected, "Statement expected", "1:1"},
        {"R=1\nR=+", K::ExpressionExpected, "Expression expected", "2:4"},
        {"R=\xd0\x96", K::UnexpectedCharacter, "Unexpected character", "1:3"},
    };
    for (const auto& c : cases) {
        script.clear();
        script.setProgram(QString::fromUtf8(c.program));
        EXPECT_FALSE(script.compile()) << c.program;
        EXPECT_EQ(script.errorKind(), c.kind) << c.program;
        EXPECT_TRUE(script.errorMessage().contains(QLatin1String(c.message))) << c.program << ": "
                                                                            << qPrintable(script.errorMessage());
        EXPECT_EQ(script.errorPosition(), QLatin1String(c.position)) << c.program;
    }
    script.setProgram(QStringLiteral("R=1")); // a success forgets the last error

    EXPECT_TRUE(script.compile());
    EXPECT_EQ(script.errorKind(), K::None);
}

TEST_F(ScriptTest, FloatingPointFaultsAreRunTimeErrorsAndTheCallersFlagsSurvive)
{
    for (const char* faulty : {"1/0", "0/0", "Sqrt( -1 )", "Ln( 0 )", "Ln( -1 )", "Exp( 1000 )",
                               "1e308*10", "1/(1e308*10)"})
        EXPECT_EQ(eval(QString::fromLatin1(faulty)), std::nullopt) << faulty;
    // Underflow and inexact results are no faults.
    EXPECT_EQ(eval(QStringLiteral("Exp( -1000 )")), 0.0);

    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_INEXACT);
    eval(QStringLiteral("1/0"));
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_INEXACT);
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST_F(ScriptTest, ScriptVariablesShadowTheScopeAndUnknownOnesAreEmpty)
{
    script.setProgram(QStringLiteral("x = 2\nR = x * 3\n"));
    ASSERT_TRUE(script.compile());
    script.execute();
    EXPECT_EQ(script.variable(QStringLiteral("X")), 2.0);
    EXPECT_EQ(global.findVariable(QStringLiteral("r"))->value, 6.0);
    EXPECT_EQ(script.variable(QStringLiteral("nothing")), std::nullopt);
    script.clear();
    EXPECT_EQ(script.variable(QStringLiteral("x")), std::nullopt);
    EXPECT_THROW(script.execute(), ScriptError);
}

TEST_F(ScriptTest, HostFunctionFailuresAreRunTimeErrors)
{
    global.registerFunction(QStringLiteral("function Fails(X : real) : real"),
                            [](const QString&, std::span<const double>) -> double {
                                throw ScriptError(QStringLiteral("no"));
                            });
    EXPECT_EQ(eval(QStringLiteral("Fails( 1 )")), std::nullopt);
    EXPECT_FALSE(global.registerFunction(QStringLiteral("function fails(X : real) : real"),
                                         [](const QString&, std::span<const double>) { return 0.0; }));
}

TEST(FunctionDeclarationTest, ReadsNameAndParameterCount)
{
    const struct {
        const char* text;
        const char* name; // nullptr: not a declaration
        int params;
    } cases[] = {
        {"function M0d(X1, X2 : real) : real", "M0d", 2},
        {"function Tg(X : real) : real", "Tg", 1},
        {"FUNCTION f(a : real; b, c : real) : real", "f", 3},
        {"function Now : real", "Now", 0},
        {"function f() : real", "f", 0},
        {"function f(X real) : real", nullptr, 0},
        {"function f(X : real)", nullptr, 0},
        {"procedure f(X : real) : real", nullptr, 0},
        {"function f(X : real) : real extra", nullptr, 0},
        {"", nullptr, 0},
    };
    for (const auto& c : cases) {
        const auto decl = parseFunctionDeclaration(QString::fromLatin1(c.text));
        ASSERT_EQ(decl.has_value(), c.name != nullptr) << c.text;
        if (decl) {
            EXPECT_EQ(decl->name, QLatin1String(c.name));
            EXPECT_EQ(decl->paramCount, c.params);
        }
    }
}

TEST_F(ScriptTest, NestingIsBoundedAndLongProgramsRun)
{
    auto nested = [](int depth) {
        return QString(depth, u'(') + QStringLiteral("1") + QString(depth, u')');
    };
    EXPECT_EQ(eval(nested(1000)), 1.0);
    script.clear();
    script.setProgram(QStringLiteral("R=") + nested(100000));
    EXPECT_FALSE(script.compile());
    EXPECT_TRUE(script.errorMessage().contains(QLatin1String("nested too deeply")));
    EXPECT_EQ(script.errorKind(), CompileErrorKind::NestedTooDeeply);
    script.setProgram(QStringLiteral("R=") + QString(100000, u'-') + QStringLiteral("1"));
    EXPECT_FALSE(script.compile());

    // A formula of a megabyte: 1+1+...+1.
    QString sum = QStringLiteral("1");
    sum.reserve(1 << 20);
    while (sum.size() < (1 << 20))
        sum += QStringLiteral("+1");
    EXPECT_EQ(eval(sum), double((sum.size() + 1) / 2));
}

// Random texts and mutations of valid formulas: each ends in a value or an error.
TEST_F(ScriptTest, AnyTextEndsInAValueOrAnError)
{
    const QString seeds[] = {QStringLiteral("Minus( Twice( 2 ) , Sin( pi / 2 ) ) * -3.5"),
                             QStringLiteral("((1+2)*(3-4))/Sqrt( 2 )"),
                             QStringLiteral("Frac( Exp( 1.5e1 ) ) - Int( 7 )")};
    const QString alphabet = QStringLiteral("0123456789.+-*/(), =eEpPiSsxX\t\n\r$\u0416\U0001F600");
    std::mt19937 random(20261209);
    auto pick = [&](qsizetype n) { return qsizetype(random() % std::uint32_t(n)); };
    int values = 0;
    for (int round = 0; round < 3000; ++round) {
        QString text = seeds[pick(3)];
        for (int edits = int(pick(6)); edits >= 0; --edits) {
            const qsizetype at = pick(text.size() + 1);
            switch (pick(3)) {
            case 0:
                text.insert(at, alphabet.at(pick(alphabet.size())));
                break;
            case 1:
                text.remove(at, 1 + pick(3));
                break;
            default:
                text.insert(at, QChar(char16_t(random() & 0xffff)));
                break;
            }
        }
        if (round % 10 == 0) // now and then a text of random characters alone
            for (text.clear(); text.size() < 64;)
                text += QChar(char16_t(random() & 0xffff));
        if (const auto v = eval(text)) {
            EXPECT_FALSE(std::isnan(*v)) << qPrintable(text);
            ++values;
        } else if (!script.errorMessage().isEmpty()) {
            EXPECT_TRUE(script.errorPosition().contains(u':'));
        }
    }
    EXPECT_GT(values, 0); // the mutations are not all broken
}

} // namespace
} // namespace mx
