#include "RunningShell.h"
#include "app/FormulaEdit.h"
#include "app/FormulaFrame.h"
#include "app/FormulaHint.h"
#include "app/MainCommands.h"
#include "app/StatLink.h"
#include "stats/TfmMxStat.h"
#include "app/NumericEdit.h"
#include "app/TfmMxMain.h"
#include "texts/Readout.h"
#include "engine/CalcCore.h"
#include "texts/ContrastColour.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

using namespace mx;
using mx::test::RunningShell;

namespace {

class FormulaFrameTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.start());
        window().cbClsFormula->setChecked(true);
    }

    TfmMxMain& window() { return app.window(); }
    FormulaFrame& frame() { return *window().gbClsFormula; }
    FormulaEdit& line() { return *frame().edClsFormula; }
    void clickFunction(const char* name)
    {
        frame().findChild<QPushButton*>(QLatin1String(name))->click();
    }

    RunningShell app;
};

TEST_F(FormulaFrameTest, FunctionButtonsInsertTemplatesAtTheCaretAndFocusTheLine)
{
    EXPECT_EQ(QApplication::focusWidget(), window().lbForSetFocus);
    clickFunction("btFrmlSin");
    EXPECT_EQ(QApplication::focusWidget(), &line());
    EXPECT_FALSE(window().keyPreview());
    app.type("1");
    EXPECT_EQ(line().text(), " Sin( 1 ) ");
    EXPECT_EQ(app.display(), "0"); // typing went to the line, not the keypad

    // Two Power clicks: the second inside the first, before its comma.
    line().clear();
    clickFunction("btFrmlPower");
    clickFunction("btFrmlPower");
    EXPECT_EQ(line().text(), " Power(  Power( , ) , ) ");
    EXPECT_EQ(line().cursorPosition(), 16);
    EXPECT_EQ(line().text().at(16), u',');

    // A selection is replaced.
    line().setText("1+2");
    line().setSelection(2, 1);
    clickFunction("btFrmlCos");
    EXPECT_EQ(line().text(), "1+ Cos(  ) ");

    // With the focus elsewhere: the kept caret; pi leaves the focus where it is.
    line().setText("2*");
    line().setCursorPosition(2);
    window().button(KeyId::D5)->click();
    EXPECT_EQ(QApplication::focusWidget(), window().lbForSetFocus);
    EXPECT_TRUE(window().keyPreview());
    clickFunction("btFrmlPi");
    EXPECT_EQ(line().text(), "2* pi ");
    EXPECT_EQ(QApplication::focusWidget(), window().lbForSetFocus);
    clickFunction("btFrmlLn");
    EXPECT_EQ(line().text(), "2* pi  Ln(  ) ");
    EXPECT_EQ(QApplication::focusWidget(), &line());
}

TEST_F(FormulaFrameTest, EnterRunsTheFormulaAndWritesTheTapeAsTheBoxesSay)
{
    frame().cbClsFrmlHistory->setChecked(true);
    frame().cbClsFrmlResHistory->setChecked(true);
    app.click("7 +");
    line().setFocus();
    app.type("2+2\r");
    EXPECT_EQ(frame().edClsFrmlRes->text(), "4");
    EXPECT_EQ(app.display(), "7");
    const QStringList tape = app.tape();
    ASSERT_GE(tape.size(), 4);
    EXPECT_EQ(tape.mid(tape.size() - 4),
              (QStringList{" ", "2+2  ", QStringLiteral("    = %1  ").arg(app.local("4.00"), 25), " "}));
    frame().btClsRun->click();
    EXPECT_EQ(app.tape().size(), tape.size() + 4);
}

TEST_F(FormulaFrameTest, APositionErrorSelectsTheCharacterAfterTheMessage)
{
    line().setText("  2*p");
    window().lbForSetFocus->setFocus();
    frame().btClsRun->click();
    ASSERT_EQ(app.messages.texts(), QStringList{"Синтаксическая ошибка в поз. 3"});
    EXPECT_EQ(line().selectionStart(), 4);
    EXPECT_EQ(line().selectedText(), "p");
    EXPECT_EQ(QApplication::focusWidget(), &line());
}

// Pasted lines, tabs and control characters: the line shows them joined by blanks, and what
// it shows is what is evaluated; a position always names a character the user sees.
TEST_F(FormulaFrameTest, PastedLinesAreJoinedAndPositionsStayInsideTheLine)
{
    const struct
    {
        const char* name;
        QString pasted;
        QString shown;
        QString message; // empty: evaluated
    } rows[] = {
        {"ThreeLines", QStringLiteral("12\n34\n56\n"), QStringLiteral("12 34 56 "),
         QStringLiteral("Синтаксическая ошибка в поз. 5\r")},
        {"OperatorBeforeTheBreak", QStringLiteral("1+\r\n2"), QStringLiteral("1+ 2"), {}},
        {"TrailingBreaks", QStringLiteral("1+2\n\n"), QStringLiteral("1+2 "), {}},
        {"TabAndNul", QString::fromUtf16(u"1\t+\0 2", 6), QStringLiteral("1 +  2"), {}},
    };
    for (const auto& r : rows) {
        line().clear();
        app.messages.messages.clear();
        QApplication::clipboard()->setText(r.pasted);
        line().setFocus();
        QTest::keyClick(&line(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(line().text(), r.shown) << r.name;
        frame().btClsRun->click();
        if (r.message.isEmpty()) {
            EXPECT_TRUE(app.messages.texts().isEmpty()) << r.name;
            continue;
        }
        ASSERT_EQ(app.messages.texts(), QStringList{r.message}) << r.name;
        const int at = r.message.section(u' ', -1).trimmed().toInt();
        EXPECT_GE(at, 1) << r.name;
        EXPECT_LE(at, line().text().trimmed().size()) << r.name;
        EXPECT_EQ(line().selectionStart(), at - 1) << r.name;
        EXPECT_EQ(line().selectedText().size(), 1) << r.name;
    }
}

// The warning in the program's own modal dialog, closed by Enter, and then the window's
// activation that a desktop delivers once the dialog has gone: the next keys go to the line.
TEST_F(FormulaFrameTest, AfterAPositionMessageTheActivationLeavesTheFocusInTheLine)
{
    app.useRealDialogs();
    line().setFocus();
    app.type("2*p\r");
    ASSERT_EQ(app.dialogsShown(), 1);
    EXPECT_EQ(app.messages.texts(), QStringList{"Синтаксическая ошибка в поз. 3"});
    window().activateWindow();
    QApplication::setActiveWindow(&window());
    EXPECT_EQ(QApplication::focusWidget(), &line());
    EXPECT_EQ(line().selectedText(), "p");
    app.type("pi\r");
    EXPECT_EQ(line().text(), "2*pi");
    EXPECT_EQ(frame().edClsFrmlRes->text(), app.local("6.28"));
    EXPECT_EQ(app.display(), "0"); // Enter ran the formula, not the keypad's "="

    // The request is spent: a later activation parks the focus as always.
    window().button(KeyId::Sta)->click();
    QWidget* stat = app.commands().stats().statWindow();
    ASSERT_NE(stat, nullptr);
    QApplication::setActiveWindow(stat);
    QApplication::setActiveWindow(&window());
    EXPECT_EQ(QApplication::focusWidget(), window().lbForSetFocus);
}

TEST_F(FormulaFrameTest, TheFrameLengthensTheWindowAndFollowsTheTapesWidth)
{
    const QSize withFrame = window().size();
    EXPECT_TRUE(frame().isVisible());
    const int functionList = frame().gbClsFrmlFuncList->width();
    EXPECT_EQ(functionList, line().width() - 2);
    window().cbClsHistory->setChecked(true);
    EXPECT_EQ(frame().width(), 495 + TfmMxMain::kTapeWidth + 10);
    EXPECT_EQ(line().width(), frame().width() - 2 * line().x() - frame().lbClsFrmlEqv->width() -
                                  frame().edClsFrmlRes->width());
    EXPECT_EQ(frame().edClsFrmlRes->geometry().right(), frame().btClsRun->geometry().right());
    EXPECT_EQ(frame().gbClsFrmlFuncList->width(), functionList);
    window().cbClsHistory->setChecked(false);
    window().cbClsFormula->setChecked(false);
    EXPECT_FALSE(frame().isVisible());
    EXPECT_EQ(window().height(), withFrame.height() - FormulaFrame::kHeight - 5);
    EXPECT_EQ(QApplication::focusWidget(), window().lbForSetFocus);
}

TEST_F(FormulaFrameTest, ClearingEmptiesTheLineAndResetsTheResult)
{
    line().setText("3*3");
    frame().btClsRun->click();
    EXPECT_EQ(frame().edClsFrmlRes->text(), "9");
    frame().btClsClear->click();
    EXPECT_EQ(line().text(), "");
    EXPECT_EQ(frame().edClsFrmlRes->text(), "0.0");
    line().setText("3*3");
    frame().btClsRun->click();
    app.commands().Tools_Clear->trigger();
    EXPECT_EQ(line().text(), "");
    EXPECT_EQ(frame().edClsFrmlRes->text(), "0");
}

TEST_F(FormulaFrameTest, F1InTheFrameOpensTheFormulaPage)
{
    line().setFocus();
    QTest::keyClick(&line(), Qt::Key_F1);
    ASSERT_EQ(app.messages.messages.size(), 1u);
    EXPECT_TRUE(app.messages.texts().front().contains("45000")); // no pages in the tests
    EXPECT_EQ(line().accessibleName(), "Строка формулы");
    EXPECT_EQ(frame().edClsFrmlRes->accessibleName(), "Результат формулы");
    for (QPushButton* bt : frame().functionButtons) {
        EXPECT_EQ(bt->accessibleName(), "Вставить " + bt->text()); // not the keypad key's name
        EXPECT_EQ(bt->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(frame().findChild<QPushButton*>("btFrmlRad")->toolTip(), "Градусы в радианы");
}

TEST(FormulaFrameState, TheFrameAndItsTapeSwitchesSurviveARestart)
{
    RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().cbClsFormula->setChecked(true);
    app.window().gbClsFormula->cbClsFrmlResHistory->setChecked(true);
    ASSERT_TRUE(app.restart());
    FormulaFrame& frame = *app.window().gbClsFormula;
    EXPECT_TRUE(frame.isVisible());
    EXPECT_FALSE(frame.cbClsFrmlHistory->isChecked());
    EXPECT_TRUE(frame.cbClsFrmlResHistory->isChecked());
    EXPECT_TRUE(app.window().core().settings.FrmlResHistory);
}

// Up and Down walk through the formulas run, the newest first; Enter still runs the line.
TEST_F(FormulaFrameTest, UpAndDownRecallTheFormulasRun)
{
    line().setFocus();
    app.type("2+3\r");
    line().clear();
    app.type("7*6\r");
    app.type("\r"); // the same formula twice in a row is kept once
    line().clear();
    QStringList shown;
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Down}) {
        QTest::keyClick(&line(), key);
        shown.append(line().text());
    }
    EXPECT_EQ(shown, (QStringList{"7*6", "2+3", "2+3", "7*6", ""}));
    QTest::keyClick(&line(), Qt::Key_Up);
    app.type("\r");
    EXPECT_EQ(frame().edClsFrmlRes->text(), "42");
    EXPECT_TRUE(app.messages.texts().isEmpty());
}

struct HintRow
{
    const char* name;
    const char* formula;
    const char* hint; // "" for none; numbers written with "." and ","
    int decPos = 2;
    bool grouping = false;
};

class FormulaHintCases : public FormulaFrameTest, public testing::WithParamInterface<HintRow>
{
};

// The value as the result field would show it, beside the line before Enter; no message,
// no tape line, the result field untouched.
TEST_P(FormulaHintCases, ShowsTheValueWhileTyping)
{
    const HintRow& row = GetParam();
    window().tbClsDecPos->setValue(row.decPos);
    window().cbClsDigitGrouping->setChecked(row.grouping);
    FormulaHint& hint = window().formulaHint();
    QLabel* label = frame().lbClsFrmlHint;
    line().setFocus();
    app.type("1+1"); // a value first, which a wrong formula must take away
    ASSERT_TRUE(QTest::qWaitFor([&] { return !hint.pending(); }, 5000));
    ASSERT_TRUE(label->isVisible());
    const QStringList tape = app.tape();
    const QString result = frame().edClsFrmlRes->text();

    line().clear();
    app.type(row.formula);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !hint.pending(); }, 5000));
    const QString expected = *row.hint ? QStringLiteral("= ") + app.local(QString::fromUtf8(row.hint)) : QString();
    EXPECT_EQ(label->text(), expected);
    EXPECT_EQ(label->isVisible(), !expected.isEmpty());
    EXPECT_EQ(app.tape(), tape);
    EXPECT_EQ(frame().edClsFrmlRes->text(), result);
    EXPECT_TRUE(app.messages.texts().isEmpty());
    EXPECT_EQ(line().text(), QString::fromUtf8(row.formula));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormulaHintCases,
    testing::Values(HintRow{"TwoPi", "2*pi", "6.28"},
                    HintRow{"FourDecimals", "2*pi", "6.2832", 4},
                    HintRow{"Grouped", "1234*1000", "1,234,000", 2, true},
                    HintRow{"IncompleteOperator", "2*", ""},
                    HintRow{"IncompleteCall", "Sin( 1", ""},
                    HintRow{"UnknownName", "2*p", ""},
                    HintRow{"RunTimeError", "Sqrt( -1 )", ""}),
    [](const auto& row) { return std::string(row.param.name); });

// Decimals changed while a value shows: the hint follows as the result field would.
TEST_F(FormulaFrameTest, TheHintFollowsTheDecimals)
{
    FormulaHint& hint = window().formulaHint();
    line().setFocus();
    app.type("2*pi");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !hint.pending(); }, 5000));
    window().tbClsDecPos->setValue(3);
    EXPECT_EQ(frame().lbClsFrmlHint->text(), "= " + app.local("6.283"));
    line().setFocus(); // the track bar gave the focus back to the keypad
    app.type("\r");
    EXPECT_EQ(frame().lbClsFrmlHint->text(), "= " + frame().edClsFrmlRes->text());
}

// The hint's colour comes from the palette and stays legible on the field, light or dark.
TEST_F(FormulaFrameTest, TheHintIsLegibleInLightAndDarkPalettes)
{
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::PlaceholderText, QColor(0xf0, 0xf0, 0xf0, 0x60));
    QPalette light = original;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    light.setColor(QPalette::PlaceholderText, QColor(0, 0, 0, 0x60));
    for (const QPalette& palette : {light, dark}) {
        QApplication::setPalette(palette);
        const QColor hint = frame().lbClsFrmlHint->palette().color(QPalette::WindowText);
        const QColor base = line().palette().color(QPalette::Base);
        EXPECT_GE(contrastRatio(hint, base), kTextContrast) << hint.name().toStdString();
        EXPECT_NE(hint, line().palette().color(QPalette::Text)) << "quieter than the formula";
    }
    QApplication::setPalette(original);
}

} // namespace
