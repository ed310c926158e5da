#include "LayoutChecks.h"
#include "store/TfmMxOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace mx;

namespace {

struct OptionsFixture
{
    OptionsFixture()
        : dialog(
              settings,
              [this](const CalcSettings& s) {
                  settings = s;
                  ++applied;
              },
              [this](int c) { help = c; })
    {
    }

    CalcSettings settings;
    int applied = 0;
    int help = 0;
    TfmMxOptions dialog;
};

} // namespace

TEST(TfmMxOptions, OpensUnmodifiedWithTheSettingsAndRussianTexts)
{
    CalcSettings settings;
    settings.Radian = false;
    settings.DecPos = 11;
    TfmMxOptions d(settings, {}, {});
    EXPECT_TRUE(d.rbClsDegree->isChecked());
    EXPECT_EQ(d.tbClsDecPos->value(), 11);
    EXPECT_FALSE(d.modified());
    EXPECT_FALSE(d.btApply->isEnabled());
    EXPECT_FALSE(d.btCancel->isEnabled());
    EXPECT_EQ(d.windowTitle(), "Настройка");
    EXPECT_EQ(d.gbClsHistory->title(), " История");
    EXPECT_EQ(d.lbClsHelp->text(), "Для справки наведите мышь на интересующий элемент.");
    test::expectTickLabelsApart(d.tbClsDecPos, d.lbFloat);
}

TEST(TfmMxOptions, ChangesMarkModifiedAndApplyCopiesThem)
{
    OptionsFixture f;
    f.dialog.cbClsDigitGrouping->click();
    EXPECT_TRUE(f.dialog.modified());
    EXPECT_TRUE(f.dialog.btApply->isEnabled());
    EXPECT_TRUE(f.dialog.btCancel->isEnabled());
    f.dialog.edClsDelimStr->setText(QStringLiteral("-- a delimiter longer than twenty-six --"));
    f.dialog.btApply->click();
    EXPECT_FALSE(f.settings.DigitGrouping);
    EXPECT_EQ(f.settings.DelStr, "-- a delimiter longer than twenty-six --");
    EXPECT_EQ(f.applied, 1);
    EXPECT_FALSE(f.dialog.modified());
    EXPECT_FALSE(f.dialog.btApply->isEnabled());
}

TEST(TfmMxOptions, EveryControlMarksModified)
{
    for (int which = 0; which < 4; ++which) {
        OptionsFixture f;
        switch (which) {
        case 0: f.dialog.tbClsDecPos->setValue(5); break;
        case 1: QTest::keyClicks(f.dialog.edClsDelimStr, "x"); break;
        case 2: f.dialog.cbClsHistory->click(); break;
        case 3: f.dialog.rbClsDegree->click(); break;
        }
        EXPECT_TRUE(f.dialog.modified()) << which;
    }
}

TEST(TfmMxOptions, ApplyThenCancelKeepsTheApplied)
{
    OptionsFixture f;
    f.dialog.cbClsTotals->click();
    f.dialog.btApply->click();
    f.dialog.cbClsHistory->click();
    QTimer::singleShot(0, &f.dialog, [&] { f.dialog.btCancel->click(); });
    EXPECT_EQ(f.dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(f.settings.Totals);
    EXPECT_FALSE(f.settings.History);
}

TEST(TfmMxOptions, EscapeIsOkWhenUnmodifiedAndCancelWhenModified)
{
    {
        OptionsFixture f;
        QTimer::singleShot(0, &f.dialog, [&] { QTest::keyClick(&f.dialog, Qt::Key_Escape); });
        EXPECT_EQ(f.dialog.exec(), QDialog::Accepted);
        EXPECT_EQ(f.applied, 1);
    }
    {
        OptionsFixture f;
        f.dialog.cbClsFormula->click();
        QTimer::singleShot(0, &f.dialog, [&] { QTest::keyClick(&f.dialog, Qt::Key_Escape); });
        EXPECT_EQ(f.dialog.exec(), QDialog::Rejected);
        EXPECT_EQ(f.applied, 0);
        EXPECT_FALSE(f.settings.Formula);
    }
}

TEST(TfmMxOptions, HelpPanelFollowsMouseAndFocus)
{
    OptionsFixture f;
    f.dialog.show();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(f.dialog.pnUndeerTotals, &enter);
    EXPECT_EQ(f.dialog.lbClsHelp->text(),
              "Печатать в Историю итог каждой арифметической операции.");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.dialog.pnUndeerTotals, &leave);
    EXPECT_EQ(f.dialog.lbClsHelp->text(), TfmMxOptions::idleHelp());
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(f.dialog.tbClsDecPos, &focusIn);
    EXPECT_TRUE(f.dialog.lbClsHelp->text().startsWith("Число цифр после десятичной точки."));
    QApplication::sendEvent(f.dialog.gbClsAngle, &enter);
    EXPECT_TRUE(f.dialog.lbClsHelp->text().contains("- Градусы"));
    f.dialog.btHelp->click();
    EXPECT_EQ(f.help, 80000);
}

TEST(TfmMxOptions, TheWholeRowOrGroupIsTheMouseAreaAndTheTrackBarHasNone)
{
    OptionsFixture f;
    f.dialog.show();
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    // The mouse comes onto a row, then onto its check box, then back onto the row: Qt sends
    // Enter to the row, Enter to the box, and Leave to the box alone.
    const std::pair<QWidget*, QWidget*> moves[] = {
        {f.dialog.pnUnderHistory, f.dialog.cbClsHistory},
        {f.dialog.gbClsAngle, f.dialog.rbClsDegree},
    };
    for (const auto& [area, control] : moves) {
        QApplication::sendEvent(area, &enter);
        const QString text = f.dialog.lbClsHelp->text();
        EXPECT_NE(text, TfmMxOptions::idleHelp()) << area->objectName().toStdString();
        QApplication::sendEvent(control, &enter);
        QApplication::sendEvent(control, &leave);
        EXPECT_EQ(f.dialog.lbClsHelp->text(), text) << area->objectName().toStdString();
        QApplication::sendEvent(area, &leave);
        EXPECT_EQ(f.dialog.lbClsHelp->text(), TfmMxOptions::idleHelp());
    }
    QApplication::sendEvent(f.dialog.tbClsDecPos, &enter);
    EXPECT_EQ(f.dialog.lbClsHelp->text(), TfmMxOptions::idleHelp());
}
