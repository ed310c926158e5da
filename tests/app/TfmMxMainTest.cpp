#include "KeySequences.h"
#include "LayoutChecks.h"
#include "RunningShell.h"
#include "app/FormulaEdit.h"
#include "app/FormulaFrame.h"
#include "app/NumericEdit.h"
#include "app/TapeMemo.h"
#include "app/TfmMxMain.h"
#include "texts/Readout.h"
#include "engine/CalcCore.h"
#include "keypad/KeypadLayout.h"
#include "store/TableSchemas.h"
#include "tablestore/StoreTable.h"
#include "tablestore/TableSession.h"
#include "store/TdmMxData.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace mx;
using mx::test::RunningShell;

namespace {

class MainWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.start());
        window().lbForSetFocus->setFocus();
    }

    TfmMxMain& window() { return app.window(); }
    QString display() const { return app.display(); }
    void type(const char* text) { app.type(text); }

    RunningShell app;
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
    window().button(KeyId::Plus)->click();
    window().button(KeyId::D3)->click();
    EXPECT_EQ(QApplication::focusWidget(), window().lbForSetFocus);
    type("\r");
    EXPECT_EQ(display(), "5");
    type("\r");
    EXPECT_EQ(display(), "8"); // a repeated "=", not another "3"
}

TEST_F(MainWindowTest, InputAndMemoryFieldsNeverKeepTheFocus)
{
    window().edOp0->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), window().lbForSetFocus);
    window().edMem->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), window().lbForSetFocus);
    EXPECT_TRUE(window().keyPreview());
}

TEST_F(MainWindowTest, TheFocusedTapeTakesTypingUntilAKeypadButtonIsClicked)
{
    window().cbClsHistory->setChecked(true);
    window().meClsHistory->setFocus();
    EXPECT_FALSE(window().keyPreview());
    type("42");
    EXPECT_EQ(display(), "0");
    EXPECT_TRUE(window().meClsHistory->toPlainText().contains(QLatin1String("42")));
    window().button(KeyId::D7)->click();
    EXPECT_TRUE(window().keyPreview());
    type("1");
    EXPECT_EQ(display(), "71");
}

TEST_F(MainWindowTest, InvSwitchesTheTrigonometricCaptions)
{
    window().cbClsInv->setChecked(true);
    EXPECT_EQ(window().button(KeyId::Sin)->text(), "ASin");
    EXPECT_EQ(window().button(KeyId::Cos)->text(), "ACos");
    EXPECT_EQ(window().button(KeyId::Tg)->text(), "ATg");
    window().button(KeyId::D1)->click();
    EXPECT_TRUE(window().core().state.InvMode);
    window().cbClsInv->setChecked(false);
    EXPECT_EQ(window().button(KeyId::Sin)->text(), "Sin");
}

TEST_F(MainWindowTest, TapeSwitchWidensTheWindowAndShowsItsKeys)
{
    const int narrow = window().width();
    EXPECT_FALSE(window().meClsHistory->isVisible());
    window().cbClsHistory->setChecked(true);
    EXPECT_EQ(window().width(), narrow + TfmMxMain::kTapeWidth + 10);
    EXPECT_TRUE(window().meClsHistory->isVisible());
    EXPECT_TRUE(window().button(KeyId::CH)->isVisible());
    EXPECT_TRUE(window().button(KeyId::PH)->isVisible());
    window().cbClsHistory->setChecked(false);
    EXPECT_EQ(window().width(), narrow);
}

TEST_F(MainWindowTest, SettingControlsReactToProgramChanges)
{
    type("1234.5+");
    window().tbClsDecPos->setValue(11);
    EXPECT_EQ(display(), "1.2345E+0003");
    window().tbClsDecPos->setValue(2);
    window().cbClsDigitGrouping->setChecked(false);
    EXPECT_EQ(display(), "1234.5");
}

TEST_F(MainWindowTest, ControlsAreNamedForAssistiveTechnology)
{
    EXPECT_EQ(window().lbClsInput->buddy(), window().edOp0);
    EXPECT_EQ(window().lbClsMemory->buddy(), window().edMem);
    EXPECT_EQ(window().button(KeyId::Eqv)->accessibleName(), "Равно");
    EXPECT_EQ(window().lbForSetFocus->accessibleName(), "Ввод и результат");
    EXPECT_FALSE(window().tbClsDecPos->accessibleName().isEmpty());
    EXPECT_EQ(window().meClsHistory->accessibleName(), "История вычислений");
    EXPECT_EQ(window().button(KeyId::Point)->text(), ".");
    EXPECT_TRUE(window().button(KeyId::Sta)->isEnabled());
    EXPECT_FALSE(window().button(KeyId::Ave)->isEnabled()); // until the statistics window opens
}

TEST_F(MainWindowTest, CaptionsOfTheSettingsNeitherTouchNorAreCut)
{
    test::expectTickLabelsApart(window().tbClsDecPos, window().lbClsFloat);
    test::expectButtonsApart({window().rbClsRadian, window().rbClsDegree});
    // The row before Backspace: "Arc", the angle box, the pending-operation panel.
    EXPECT_GE(window().cbClsInv->width(), window().cbClsInv->sizeHint().width());
    const QWidget* row[] = {window().cbClsInv, window().gbClsAngle, window().pnLastOp,
                            window().button(KeyId::Back)};
    for (int i = 1; i < 4; ++i)
        EXPECT_GT(row[i]->x(), row[i - 1]->geometry().right() + 1) << i;
    EXPECT_GE(window().pnLastOp->width(), 40);
}

TEST_F(MainWindowTest, ButtonsSitOnTheKeypadGrid)
{
    EXPECT_EQ(window().button(KeyId::Sta)->geometry(), QRect(10, 210, 40, 30));
    EXPECT_EQ(window().button(KeyId::Eqv)->geometry(), QRect(465, 312, 40, 30));
    EXPECT_EQ(window().button(KeyId::Back)->geometry(), QRect(289, 176, 84, 30));
    EXPECT_EQ(window().button(KeyId::C)->geometry(), QRect(443, 176, 62, 30));
}

// The key-sequence rows of the headless calculator, clicked on the real window with its
// real tape.
class WindowSequenceCases : public testing::TestWithParam<test::SequenceCase>
{
};

TEST_P(WindowSequenceCases, ShowsAndWrites)
{
    const test::SequenceCase& c = GetParam();
    RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().cbClsTotals->setChecked(c.totals);
    app.click(QString::fromLatin1(c.keys));
    EXPECT_EQ(app.display(), app.local(QString::fromUtf8(c.display)));
    EXPECT_EQ(test::tapeCells(app.tape()), app.local(test::expandedTape(c.tape)));
}

INSTANTIATE_TEST_SUITE_P(Keys, WindowSequenceCases, testing::ValuesIn(test::sequenceCases()),
                         test::caseName<test::SequenceCase>);

class WindowEntryCases : public testing::TestWithParam<test::EntryCase>
{
};

TEST_P(WindowEntryCases, ShowsTheTypedNumber)
{
    const test::EntryCase& c = GetParam();
    RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().tbClsDecPos->setValue(c.decPos);
    app.click(QString::fromLatin1(c.keys));
    EXPECT_EQ(app.display(), app.local(QString::fromUtf16(c.display)));
}

INSTANTIATE_TEST_SUITE_P(Keys, WindowEntryCases, testing::ValuesIn(test::entryCases()),
                         test::caseName<test::EntryCase>);

namespace {

struct StartCase
{
    friend void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }
    const char* name;
    int decPos;
    bool grouping;
    const char* typed;
    const char16_t* display;
};

class SettingsAtStart : public testing::TestWithParam<StartCase>
{
};

} // namespace

// Settings changed by hand and left by Exit give, after a restart, exactly what changing them
// by hand gives, whichever of them equal the controls' initial state.
TEST_P(SettingsAtStart, ARestartShowsWhatChangingByHandShows)
{
    const StartCase& c = GetParam();
    RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().tbClsDecPos->setValue(c.decPos);
    app.window().cbClsDigitGrouping->setChecked(c.grouping);
    app.type(c.typed);
    const QString byHand = app.display();
    EXPECT_EQ(byHand, QString::fromUtf16(c.display));

    ASSERT_TRUE(app.restart());
    EXPECT_EQ(app.window().tbClsDecPos->value(), c.decPos);
    EXPECT_EQ(app.window().cbClsDigitGrouping->isChecked(), c.grouping);
    app.type(c.typed);
    EXPECT_EQ(app.display(), byHand);
    EXPECT_TRUE(app.messages.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Restart, SettingsAtStart,
    testing::Values(StartCase{"TwoDecimalsUngrouped", 2, false, "12345.678", u"12345.67"},
                    StartCase{"TwoDecimalsGrouped", 2, true, "12345.678", u"12,345.67"},
                    StartCase{"NoDecimalsUngrouped", 0, false, "12345.6", u"12345."},
                    StartCase{"FiveDecimalsGrouped", 5, true, "1234.5", u"1,234.5"},
                    StartCase{"FloatingUngrouped", 11, false, "12+", u"1.2E+0001"},
                    StartCase{"FloatingGrouped", 11, true, "12+", u"1.2E+0001"}),
    test::caseName<StartCase>);

TEST(MainWindowState, SettingsAndPositionSurviveARestart)
{
    RunningShell app;
    ASSERT_TRUE(app.start());
    app.window().tbClsDecPos->setValue(11);
    app.window().cbClsHistory->setChecked(true);
    app.window().rbClsDegree->setChecked(true);
    app.window().cbClsTotals->setChecked(false);
    app.window().move(60, 70);
    app.type("42");
    ASSERT_TRUE(app.restart());
    TfmMxMain& w = app.window();
    EXPECT_EQ(w.tbClsDecPos->value(), 11);
    EXPECT_TRUE(w.cbClsHistory->isChecked());
    EXPECT_TRUE(w.meClsHistory->isVisible());
    EXPECT_TRUE(w.rbClsDegree->isChecked());
    EXPECT_EQ(w.core().state.AngleMark, " D");
    EXPECT_FALSE(w.cbClsTotals->isChecked());
    EXPECT_EQ(w.pos(), QPoint(60, 70));
    EXPECT_EQ(w.core().edOp0.value(), 0); // registers are never restored
    EXPECT_EQ(w.core().edOp0.text(), "0E+0000");
    EXPECT_TRUE(app.tape().isEmpty());
}

TEST(MainWindowState, APlacementModeOtherThanZeroOverridesTheStoredPositionOnce)
{
    RunningShell app;
    app.storeField(QStringLiteral("Share"), QStringLiteral("MainWinPosition"), 4);
    ASSERT_TRUE(app.start());
    EXPECT_NE(app.window().pos(), QPoint(0, 0));
    const QPoint centred = app.window().pos();
    app.window().move(30, 40);
    ASSERT_TRUE(app.restart());
    EXPECT_EQ(app.window().pos(), QPoint(30, 40));
    EXPECT_NE(centred, QPoint(30, 40));
}

TEST(MainWindowState, AStoreThatCannotBeWrittenEndsTheStartWithAMessageNamingTheFile)
{
    RunningShell app;
    app.storeField(QStringLiteral("Classic"), QStringLiteral("DecPos"), 5);
    EXPECT_FALSE(app.start([](TdmMxData& data) { data.taClassic.setReadOnly(true); }));
    ASSERT_EQ(app.messages.messages.size(), 1u);
    EXPECT_EQ(app.messages.messages[0].text,
              QStringLiteral("Ошибка открытия файла данных:\rData/Classic.Dat\r\r"
                             "Файл или папка защищены от записи.\r\r"
                             "Выполнение программы будет прервано."));
    app.stop();
    // Nothing was written: the next start finds the stored settings as they were.
    app.messages.messages.clear();
    ASSERT_TRUE(app.start());
    EXPECT_EQ(app.window().tbClsDecPos->value(), 5);
}

TEST(MainWindowState, ATableWithoutAFieldOfItsSchemaIsRefusedAtStart)
{
    RunningShell app;
    // A share table from elsewhere that lacks the placement mode.
    const QString dataDir = QDir(app.baseDir()).filePath(QStringLiteral("Data"));
    for (const char* file : {"Share.Dat", "Share.Idx"})
        ASSERT_TRUE(QFile::remove(QDir(dataDir).filePath(QLatin1String(file))));
    TableSession session(QStringLiteral("Elsewhere"));
    session.addPassword(TdmMxData::tablePassword());
    FieldList fields = TableSchemas::share();
    std::erase_if(fields, [](const FieldDef& f) { return f.name == "MainWinPosition"; });
    StoreTable::create(session, dataDir, TableSchemas::shareName, fields);

    EXPECT_FALSE(app.start());
    ASSERT_EQ(app.messages.messages.size(), 1u);
    EXPECT_TRUE(app.messages.messages[0].text.contains("Data/Share.Idx\r\rФайл поврежден"));
}

// Keys in words, with their caption and keyboard keys as description; Inv renames the three.
TEST_F(MainWindowTest, KeysAreNamedInWordsAndDescribedByCaptionAndKeys)
{
    struct Row
    {
        const char* test;
        KeyId key;
        bool inv;
        const char* name;
        const char* description;
    };
    const Row rows[] = {
        {"root", KeyId::Sqrt, false, "Квадратный корень", "Sqrt"},
        {"power", KeyId::XY, false, "Возведение в степень", "x^y"},
        {"sign", KeyId::Sign, false, "Смена знака", "+ / -"},
        {"addPercent", KeyId::PercentAdd, false, "Прибавить процент", "+ %"},
        {"statistics", KeyId::Sta, false, "Открыть статистику", "Sta"},
        {"mean", KeyId::Ave, false, "Среднее выборки в ввод", "Ave"},
        {"sampleAppend", KeyId::Dat, false, "Число в выборку", "Dat"},
        {"memoryClear", KeyId::MC, false, "Очистить память", "MC"},
        {"equals", KeyId::Eqv, false, "Равно", "=, клавиши = или Enter"},
        {"clearEntry", KeyId::CE, false, "Очистить ввод", "CE, клавиша E"},
        {"arcSine", KeyId::Sin, true, "Арксинус", "ASin"},
        {"sineAgain", KeyId::Sin, false, "Синус", "Sin"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.test);
        window().cbClsInv->setChecked(r.inv);
        EXPECT_EQ(window().button(r.key)->accessibleName(), QString::fromUtf8(r.name));
        EXPECT_EQ(window().button(r.key)->accessibleDescription(), QString::fromUtf8(r.description));
    }
}

// Tab walks the keypad row by row; a key pressed by Space keeps the focus and has its result
// said, a click parks the focus; a result typed on the keyboard is said once, through the
// parking control, and a key that only types says nothing.
TEST_F(MainWindowTest, TabReachesEveryKeyInRowsAndSpaceKeepsTheFocus)
{
    std::vector<QWidget*> reached;
    for (int i = 0; i < 90; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    std::vector<QWidget*> keys;
    for (const KeypadButton& key : keypadButtons())
        if (key.y >= kKeypadRows[0] && window().button(key.id)->isEnabled())
            keys.push_back(window().button(key.id));
    const auto first = std::find(reached.begin(), reached.end(), keys.front());
    ASSERT_NE(first, reached.end());
    EXPECT_TRUE(std::equal(keys.begin(), keys.end(), first));
    EXPECT_EQ(*(first - 1), window().button(KeyId::C));

    type("c");
    window().button(KeyId::D9)->setFocus();
    QTest::keyClick(window().button(KeyId::D9), Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), window().button(KeyId::D9));
    EXPECT_EQ(window().announcer().lastSaid(), "9");
    window().button(KeyId::Sqrt)->setFocus();
    QTest::keyClick(window().button(KeyId::Sqrt), Qt::Key_Space);
    EXPECT_EQ(window().announcer().lastSaid(), "3");
    EXPECT_EQ(QApplication::focusWidget(), window().button(KeyId::Sqrt));

    QTest::mouseClick(window().button(KeyId::D4), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), window().lbForSetFocus);
    type("c12+30");
    EXPECT_EQ(window().announcer().lastSaid(), "0"); // from C; digits say nothing
    type("=");
    EXPECT_EQ(window().announcer().lastSaid(), "42");
    EXPECT_EQ(window().lbForSetFocus->text(), display());
    type("+5");
    EXPECT_EQ(window().announcer().lastSaid(), "42");
    type("+");
    EXPECT_EQ(window().announcer().lastSaid(), "47"); // an intermediate result
    QTest::mouseClick(window().button(KeyId::MS), Qt::LeftButton);
    EXPECT_EQ(window().announcer().lastSaid(), "Память: 47");
}


// The tape and the formula line take no tab character: Tab, Ctrl+Tab and their Shift forms
// move on, and the text stays as it was.
TEST_F(MainWindowTest, TabAndCtrlTabLeaveTheTapeAndTheFormulaLine)
{
    window().cbClsHistory->setChecked(true);
    window().cbClsFormula->setChecked(true);
    const struct
    {
        const char* test;
        QWidget* control;
        Qt::KeyboardModifiers mods;
    } rows[] = {
        {"tapeTab", window().meClsHistory, Qt::NoModifier},
        {"tapeCtrlTab", window().meClsHistory, Qt::ControlModifier},
        {"tapeCtrlShiftTab", window().meClsHistory, Qt::ControlModifier | Qt::ShiftModifier},
        {"lineCtrlTab", window().gbClsFormula->edClsFormula, Qt::ControlModifier},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.test);
        r.control->setFocus();
        const QString before = window().meClsHistory->toPlainText();
        QTest::keyClick(r.control, Qt::Key_Tab, r.mods);
        EXPECT_NE(QApplication::focusWidget(), r.control);
        EXPECT_EQ(window().meClsHistory->toPlainText(), before);
    }
}
