#include "TestDoubles.h"
#include "app/NumericEdit.h"
#include "app/TapeMemo.h"
#include "app/TfmMxMain.h"
#include "engine/CalcCore.h"
#include "keypad/ClassicRecord.h"
#include "keypad/Keypad.h"
#include "store/SavedState.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

using namespace mx;

namespace {

class MainWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<TfmMxMain>(messages, classic, saved, NumberSeparators{});
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->lbForSetFocus->setFocus();
    }

    void type(const char* text)
    {
        for (const char* p = text; *p; ++p) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget()
                                                          : window.get();
            if (*p == '\r')
                QTest::keyClick(target, Qt::Key_Return);
            else if (*p == '\b')
                QTest::keyClick(target, Qt::Key_Backspace);
            else
                QTest::keyClicks(target, QString(QLatin1Char(*p)));
        }
    }

    QString display() const { return window->edOp0->text(); }

    test::RecordingMessages messages;
    MemoryClassicRecord classic;
    MemorySavedState saved;
    std::unique_ptr<TfmMxMain> window;
};

} // namespace

TEST_F(MainWindowTest, KeyboardMapDrivesTheKeypad)
{
    type("12+3\r");
    EXPECT_EQ(display(), "15");
    type("c");
    EXPECT_EQ(display(), "0");
    type("12+3=");
    EXPECT_EQ(display(), "15");
    type("7e");
    EXPECT_EQ(display(), "0");
    type("5x");
    EXPECT_EQ(display(), "5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(display(), "5");
    type("\b");
    EXPECT_EQ(display(), "0");
}

TEST_F(MainWindowTest, EnterAfterAClickComputesEqualsAndDoesNotClickAgain)
{
    type("2");
    window->button(KeyId::Plus)->click();
    window->button(KeyId::D3)->click();
    EXPECT_EQ(QApplication::focusWidget(), window->lbForSetFocus);
    type("\r");
    EXPECT_EQ(display(), "5");
    type("\r");
    EXPECT_EQ(display(), "8"); // a repeated "=", not another "3"
}

TEST_F(MainWindowTest, InputAndMemoryFieldsNeverKeepTheFocus)
{
    window->edOp0->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), window->lbForSetFocus);
    window->edMem->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), window->lbForSetFocus);
    EXPECT_TRUE(window->keyPreview());
}

TEST_F(MainWindowTest, TheFocusedTapeTakesTypingUntilAKeypadButtonIsClicked)
{
    window->cbClsHistory->setChecked(true);
    window->meClsHistory->setFocus();
    EXPECT_FALSE(window->keyPreview());
    type("42");
    EXPECT_EQ(display(), "0");
    EXPECT_TRUE(window->meClsHistory->toPlainText().contains(QLatin1String("42")));
    window->button(KeyId::D7)->click();
    EXPECT_TRUE(window->keyPreview());
    type("1");
    EXPECT_EQ(display(), "71");
}

TEST_F(MainWindowTest, InvSwitchesTheTrigonometricCaptions)
{
    window->cbClsInv->setChecked(true);
    EXPECT_EQ(window->button(KeyId::Sin)->text(), "ASin");
    EXPECT_EQ(window->button(KeyId::Cos)->text(), "ACos");
    EXPECT_EQ(window->button(KeyId::Tg)->text(), "ATg");
    window->button(KeyId::D1)->click();
    EXPECT_TRUE(window->core().state.InvMode);
    window->cbClsInv->setChecked(false);
    EXPECT_EQ(window->button(KeyId::Sin)->text(), "Sin");
}

TEST_F(MainWindowTest, TapeSwitchWidensTheWindowAndShowsItsKeys)
{
    const int narrow = window->width();
    EXPECT_FALSE(window->meClsHistory->isVisible());
    window->cbClsHistory->setChecked(true);
    EXPECT_EQ(window->width(), narrow + TfmMxMain::kTapeWidth + 10);
    EXPECT_TRUE(window->meClsHistory->isVisible());
    EXPECT_TRUE(window->button(KeyId::CH)->isVisible());
    EXPECT_TRUE(window->button(KeyId::PH)->isVisible());
    window->cbClsHistory->setChecked(false);
    EXPECT_EQ(window->width(), narrow);
}

TEST_F(MainWindowTest, SettingControlsReactToProgramChanges)
{
    type("1234.5+");
    window->tbClsDecPos->setValue(11);
    EXPECT_EQ(display(), "1.2345E+0003");
    window->tbClsDecPos->setValue(2);
    window->cbClsDigitGrouping->setChecked(false);
    EXPECT_EQ(display(), "1234.5");
}

TEST_F(MainWindowTest, ControlsAreNamedForAssistiveTechnology)
{
    EXPECT_EQ(window->lbClsInput->buddy(), window->edOp0);
    EXPECT_EQ(window->lbClsMemory->buddy(), window->edMem);
    EXPECT_EQ(window->button(KeyId::Eqv)->accessibleName(), "=");
    EXPECT_FALSE(window->tbClsDecPos->accessibleName().isEmpty());
    EXPECT_EQ(window->button(KeyId::Point)->text(), ".");
    EXPECT_FALSE(window->button(KeyId::Sta)->isEnabled());
}

TEST_F(MainWindowTest, ButtonsSitOnTheKeypadGrid)
{
    EXPECT_EQ(window->button(KeyId::Sta)->geometry(), QRect(10, 210, 40, 30));
    EXPECT_EQ(window->button(KeyId::Eqv)->geometry(), QRect(465, 312, 40, 30));
    EXPECT_EQ(window->button(KeyId::Back)->geometry(), QRect(289, 176, 84, 30));
    EXPECT_EQ(window->button(KeyId::C)->geometry(), QRect(443, 176, 62, 30));
}

TEST(MainWindowState, SettingsComeFromTheSavedStateAndGoBackOnDestruction)
{
    test::RecordingMessages messages;
    MemoryClassicRecord classic;
    MemorySavedState saved;
    saved.settings.DecPos = 11;
    saved.settings.History = true;
    saved.settings.Radian = false;
    saved.placement = {40, 50, 0};
    {
        TfmMxMain w(messages, classic, saved, NumberSeparators{});
        EXPECT_EQ(w.tbClsDecPos->value(), 11);
        EXPECT_TRUE(w.cbClsHistory->isChecked());
        EXPECT_TRUE(w.rbClsDegree->isChecked());
        EXPECT_EQ(w.core().state.AngleMark, " D");
        EXPECT_EQ(w.pos(), QPoint(40, 50));
        EXPECT_EQ(w.core().edOp0.value(), 0); // registers are never restored
        EXPECT_EQ(w.core().edOp0.text(), "0E+0000");
        w.cbClsTotals->setChecked(false);
        w.move(60, 70);
    }
    EXPECT_EQ(saved.saves, 1);
    EXPECT_FALSE(saved.settings.Totals);
    EXPECT_EQ(saved.settings.DecPos, 11);
    EXPECT_EQ(saved.placement.left, 60);
    EXPECT_EQ(saved.placement.mode, 0);
}

TEST(MainWindowState, APlacementModeOtherThanZeroOverridesTheStoredPosition)
{
    test::RecordingMessages messages;
    MemoryClassicRecord classic;
    MemorySavedState saved;
    saved.placement = {0, 0, 4};
    {
        TfmMxMain w(messages, classic, saved, NumberSeparators{});
        EXPECT_NE(w.pos(), QPoint(0, 0));
    }
    EXPECT_EQ(saved.placement.mode, 0);
}
