#include "CalcFixture.h"
#include "keypad/KeyboardMap.h"

#include <gtest/gtest.h>

using namespace mx;
using mx::test::CalcFixture;

TEST(KeyboardMap, TypedCharactersDriveTheKeypad)
{
    struct Case
    {
        const char* typed;
        const char* display;
    };
    const Case cases[] = {
        {"12+3\r", "15"}, {"12+3=", "15"}, {"7*6=", "42"}, {"9/4=", "2.25"},
        {"10-15=", "-5"}, {"12e3=", "3"},  {"12+c3=", "3"}, {"123\b", "12"},
        {"1.5", "1.5"},   {"1,5", "1.5"},
    };
    for (const Case& c : cases) {
        CalcFixture calc;
        calc.type(QString::fromLatin1(c.typed));
        EXPECT_EQ(calc.display(), QString::fromLatin1(c.display)) << c.typed;
    }
}

TEST(KeyboardMap, TypedZeroEndsAnEqualsLikeTheOtherDigits)
{
    CalcFixture calc;
    calc.type("3+4=0=");
    EXPECT_EQ(calc.display(), "0");
    EXPECT_FALSE(calc.core.state.OpPending);
}

TEST(KeyboardMap, OtherCharactersDoNothing)
{
    for (char16_t c : {u'x', u'%', u'M', u' ', char16_t(27), char16_t(127), u'!'})
        EXPECT_FALSE(mapTypedCharacter(QChar(c)).has_value()) << int(c);
    CalcFixture calc;
    calc.type("5x");
    EXPECT_EQ(calc.display(), "5");
}

TEST(KeyboardMap, KeyboardOperatorsDoNotParkTheFocusOnTheirOwn)
{
    CalcFixture calc;
    calc.type("5");
    const int parks = calc.host.parks;
    calc.keys("+");
    const int afterButton = calc.host.parks;
    calc.type("-");
    // The button route parks twice (ParkFocus and RestoreKeyFocus), the keyboard once.
    EXPECT_EQ(afterButton - parks, 2);
    EXPECT_EQ(calc.host.parks - afterButton, 1);
}
