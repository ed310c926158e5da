#include "TestDoubles.h"
#include "engine/CalcSettings.h"
#include "engine/CalcState.h"
#include "engine/Evaluator.h"
#include "engine/NumericField.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstring>

using namespace mx;
using mx::test::RecordingMessages;

namespace {

const QString kDivZero = QStringLiteral("Деление на ноль");
const QString kOverflow = QStringLiteral("Переполнение: результат вычисления слишком большой");
const QString kMathError = QStringLiteral("Математическая ошибка");
const QString kNotNegative = QStringLiteral("Аргумент должен быть >= 0");
const QString kNotPositive = QStringLiteral("Аргумент должен быть больше 0");
const QString kUnitArc = QStringLiteral("Аргумент должен лежать между -1 и 1");

struct EvalCase
{
    // Test output names the row instead of dumping its bytes.
    friend void PrintTo(const EvalCase& c, std::ostream* os) { *os << c.name; }

    const char* name;
    const char* code;
    long double left;
    long double right;
    bool radian;
    long double expected; // ignored when a message is expected
    const QString* message;
    long double tolerance = 0;
};

class EvaluatorCases : public testing::TestWithParam<EvalCase>
{
};

// Registers wide enough that the register text does not round the operands.
struct Registers3
{
    NumericField input{QStringLiteral("in"), QStringLiteral("0.##########E+0000"), {}};
    NumericField right{QStringLiteral("r"), QStringLiteral("0.##########E+0000"), {}};
    NumericField left{QStringLiteral("l"), QStringLiteral("0.##########E+0000"), {}};
};

} // namespace

TEST_P(EvaluatorCases, ComputesOrReportsTheFault)
{
    const EvalCase& c = GetParam();
    const OperationInfo* op = findOperation(QString::fromLatin1(c.code));
    ASSERT_NE(op, nullptr);
    const EvalOutcome out = Evaluator::compute(op->id, c.right, c.left, c.radian);
    if (c.message) {
        EXPECT_EQ(faultMessage(out.fault), *c.message);
        return;
    }
    EXPECT_EQ(out.fault, CalcFault::None) << faultMessage(out.fault).toStdString();
    if (c.tolerance == 0)
        EXPECT_EQ(out.value, c.expected);
    else
        EXPECT_NEAR(double(out.value), double(c.expected), double(c.tolerance));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, EvaluatorCases,
    testing::Values(
        EvalCase{"PowerLeftIsTheBase", "x^y", 2, 10, true, 1024, nullptr},
        EvalCase{"ZeroToTheZero", "x^y", 0, 0, true, 1, nullptr},
        EvalCase{"ZeroToPositive", "x^y", 0, 2.5L, true, 0, nullptr},
        EvalCase{"NegativeBaseFractionalExponent", "x^y", -8, 0.333333L, true, 0, &kMathError},
        EvalCase{"ZeroToNegativeInteger", "x^y", 0, -1, true, 0, &kDivZero},
        EvalCase{"ZeroToNegativeFraction", "x^y", 0, -0.5L, true, 0, &kDivZero},
        EvalCase{"NegativeBaseIntegerExponent", "x^y", -2, 3, true, -8, nullptr},
        EvalCase{"NegativeIntegerExponent", "x^y", 2, -2, true, 0.25L, nullptr},
        EvalCase{"PowerOverflow", "x^y", 10, 5000, true, 0, &kOverflow},
        EvalCase{"TinyReciprocalPowerIsSilentZero", "x^y", 10, -5000, true, 0, nullptr},
        EvalCase{"HugeReciprocalPowerOverflows", "x^y", 0.1L, -5000, true, 0, &kOverflow},
        EvalCase{"FractionalPower", "x^y", 2, 0.5L, true, 1.4142135623730950488L, nullptr, 1e-15L},
        EvalCase{"DivisionByZero", "/", 5, 0, true, 0, &kDivZero},
        EvalCase{"ModByZero", "Mod", 5, 0, true, 0, &kDivZero},
        EvalCase{"ReciprocalOfZero", "1/x", 0, 0, true, 0, &kDivZero},
        EvalCase{"LnOfZero", "Ln", 0, 0, true, 0, &kNotPositive},
        EvalCase{"LogOfMinusOne", "Log", 0, -1, true, 0, &kNotPositive},
        EvalCase{"LgOfEight", "Lg", 0, 8, true, 3, nullptr},
        EvalCase{"LogOfThousand", "Log", 0, 1000, true, 3, nullptr, 1e-17L},
        EvalCase{"SqrtOfNegative", "Sqrt", 0, -0.01L, true, 0, &kNotNegative},
        EvalCase{"SqrtOfZero", "Sqrt", 0, 0, true, 0, nullptr},
        EvalCase{"ArcSinBeyondOne", "ArcSin", 0, 1.0000001L, true, 0, &kUnitArc},
        EvalCase{"ArcCosBeyondMinusOne", "ArcCos", 0, -1.5L, true, 0, &kUnitArc},
        EvalCase{"ArcSinOfOneInDegrees", "ArcSin", 0, 1, false, 90, nullptr, 1e-15L},
        EvalCase{"ArcSinOfHalfInDegrees", "ArcSin", 0, 0.5L, false, 30, nullptr, 1e-14L},
        EvalCase{"ArcTgOfOneInRadians", "ArcTg", 0, 1, true, 0.78539816339744830962L, nullptr,
                 1e-18L},
        EvalCase{"FactorialOf170", "n!", 0, 170, true, 7.257415615307999e306L, nullptr, 1e293L},
        EvalCase{"FactorialOf171Overflows", "n!", 0, 171, true, 0, &kOverflow},
        EvalCase{"FactorialOfHugeOverflows", "n!", 0, 1e30L, true, 0, &kOverflow},
        EvalCase{"FactorialOfZero", "n!", 0, 0, true, 1, nullptr},
        EvalCase{"FactorialOfNegative", "n!", 0, -3, true, 1, nullptr},
        EvalCase{"FactorialOfFraction", "n!", 0, 0.9L, true, 1, nullptr},
        EvalCase{"FactorialTruncates", "n!", 0, 5.7L, true, 120, nullptr},
        EvalCase{"CotangentOfZero", "Ctg", 0, 0, true, 0, &kDivZero},
        EvalCase{"Percent", "%", 200, 10, true, 20, nullptr},
        EvalCase{"PercentAdd", "+%", 200, 10, true, 220, nullptr},
        EvalCase{"ExpOverflow", "Exp", 0, 20000, true, 0, &kOverflow},
        EvalCase{"ExpUnderflowIsSilentZero", "Exp", 0, -20000, true, 0, nullptr},
        EvalCase{"ExpOfOne", "Exp", 0, 1, true, 2.71828182845904523536L, nullptr, 1e-18L},
        EvalCase{"IntOfNegative", "Int", 0, -2.5L, true, -2, nullptr},
        EvalCase{"FracOfNegative", "Frac", 0, -2.5L, true, -0.5L, nullptr},
        EvalCase{"ModPositive", "Mod", 7, 3, true, 1, nullptr},
        EvalCase{"ModNegativeLeft", "Mod", -7, 3, true, -1, nullptr},
        EvalCase{"ModNegativeRight", "Mod", 7, -3, true, 1, nullptr},
        EvalCase{"ModFraction", "Mod", 7.5L, 2, true, 1.5L, nullptr},
        EvalCase{"ModQuotientBeyond64Bits", "Mod", 1e30L, 1, true, 0, &kMathError},
        EvalCase{"SumOverflow", "+", 1e4932L, 1e4932L, true, 0, &kOverflow},
        EvalCase{"CubeOverflow", "x^3", 0, 1e2000L, true, 0, &kOverflow},
        EvalCase{"SineOfHugeArgumentIsZero", "Sin", 0, 0x1p63L, true, 0, nullptr},
        EvalCase{"CosineOfHugeArgumentIsZero", "Cos", 0, -0x1p70L, true, 0, nullptr},
        EvalCase{"MemoryPlusAdds", "M+", 10, 5, true, 15, nullptr}),
    [](const testing::TestParamInfo<EvalCase>& p) { return std::string(p.param.name); });

TEST(Evaluator, DegreesLeaveTheirResidues)
{
    const EvalOutcome sin180 = Evaluator::compute(OpId::Sin, 180, 0, false);
    EXPECT_EQ(sin180.fault, CalcFault::None);
    EXPECT_NE(sin180.value, 0);
    EXPECT_LT(std::fabs(sin180.value), 1e-15L);
    const EvalOutcome cos90 = Evaluator::compute(OpId::Cos, 90, 0, false);
    EXPECT_NE(cos90.value, 0);
    EXPECT_LT(std::fabs(cos90.value), 1e-15L);
}

TEST(Evaluator, TangentOf90DegreesIsLargeAndFinite)
{
    const EvalOutcome tg90 = Evaluator::compute(OpId::Tg, 90, 0, false);
    EXPECT_EQ(tg90.fault, CalcFault::None);
    EXPECT_TRUE(std::isfinite(tg90.value));
    EXPECT_GT(std::fabs(tg90.value), 1e15L);
}

TEST(Evaluator, ConstantsHaveTheirBitPatterns)
{
    const long double pi = Evaluator::piValue();
    unsigned char bytes[16] = {};
    std::memcpy(bytes, &pi, 10);
    // Little-endian 80-bit: mantissa C90FDAA22168C235, sign and exponent 4000.
    const unsigned char expected[10] = {0x35, 0xC2, 0x68, 0x21, 0xA2, 0xDA, 0x0F, 0xC9, 0x00, 0x40};
    EXPECT_EQ(std::memcmp(bytes, expected, 10), 0);

    std::uint64_t bits = 0;
    const double degToRad = DegToRad;
    std::memcpy(&bits, &degToRad, 8);
    EXPECT_EQ(bits, 0x3F91DF46A2529D39ull);
}

TEST(Evaluator, SuccessWritesAllThreeRegistersRoundedToTheirFormat)
{
    RecordingMessages messages;
    CalcSettings settings;
    Evaluator evaluator(messages, settings);
    NumericField input(QStringLiteral("in"), QStringLiteral("0.##"), {});
    NumericField right(QStringLiteral("r"), QStringLiteral("0.##"), {});
    NumericField left(QStringLiteral("l"), QStringLiteral("0.##"), {});
    left.setText(QStringLiteral("1"));
    right.setText(QStringLiteral("3"));
    ASSERT_TRUE(evaluator.Evaluate(QStringLiteral(" / "), input, right, left));
    EXPECT_EQ(input.text(), "0.33");
    EXPECT_EQ(input.value(), 0.33L);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(Evaluator, FailureShowsOneErrorMessageAndWritesNothing)
{
    RecordingMessages messages;
    CalcSettings settings;
    Evaluator evaluator(messages, settings);
    Registers3 r;
    r.input.setText(QStringLiteral("7"));
    r.right.setText(QStringLiteral("0"));
    r.left.setText(QStringLiteral("5"));
    EXPECT_FALSE(evaluator.Evaluate(QStringLiteral("/"), r.input, r.right, r.left));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, kDivZero);
    EXPECT_EQ(messages.messages[0].kind, mkError);
    EXPECT_EQ(messages.messages[0].buttons, mbOKOnly);
    EXPECT_EQ(messages.messages[0].helpContext, 60000);
    EXPECT_EQ(r.input.text(), "7");
    EXPECT_EQ(r.right.text(), "0");
    EXPECT_EQ(r.left.text(), "5");
}

TEST(Evaluator, UnknownCodeSucceedsAndChangesNothing)
{
    RecordingMessages messages;
    CalcSettings settings;
    Evaluator evaluator(messages, settings);
    Registers3 r;
    r.input.setText(QStringLiteral("1.50"));
    EXPECT_TRUE(evaluator.Evaluate(QStringLiteral("Nope"), r.input, r.right, r.left));
    EXPECT_EQ(r.input.text(), "1.50");
    EXPECT_TRUE(messages.messages.empty());
}

TEST(Evaluator, AnglesFollowTheRadianSetting)
{
    RecordingMessages messages;
    CalcSettings settings;
    settings.Radian = false;
    Evaluator evaluator(messages, settings);
    Registers3 r;
    r.right.setText(QStringLiteral("30"));
    ASSERT_TRUE(evaluator.Evaluate(QStringLiteral("Sin"), r.input, r.right, r.left));
    EXPECT_NEAR(double(r.input.value()), 0.5, 1e-10);
}

TEST(OperationCodes, TableIsInIdOrderAndCodesAreUnique)
{
    const auto table = operationTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(std::size_t(table[i].id), i) << table[i].code;
        for (std::size_t j = i + 1; j < table.size(); ++j)
            EXPECT_STRNE(table[i].code, table[j].code);
    }
    EXPECT_EQ(findOperation(QStringLiteral("  Lg ")), &operationInfo(OpId::Log2));
    EXPECT_EQ(findOperation(QStringLiteral("lg")), nullptr);
    EXPECT_EQ(operationForKey("btSin", true)->id, OpId::ArcSin);
    EXPECT_EQ(operationForKey("btTg", false)->id, OpId::Tg);
}
