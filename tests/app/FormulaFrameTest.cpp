#include "RunningShell.h"
#include "app/FormulaEdit.h"
#include "app/FormulaFrame.h"
#include "app/MainCommands.h"
#include "app/StatLink.h"
#include "stats/TfmMxStat.h"
#include "app/NumericEdit.h"
#include "app/TfmMxMain.h"
#include "texts/Readout.h"
#include "engine/CalcCore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
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

} // namespace
