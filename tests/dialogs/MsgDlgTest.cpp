#include "dialogs/MsgDlgLayout.h"
#include "dialogs/TfmMxMsg.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace mx;

namespace {
constexpr MsgButtons kYesNoCancel =
    msgButtonSet(mbYes) | msgButtonSet(mbNo) | msgButtonSet(mbCancel);
}

TEST(MsgDlgLayout, OneButtonWithHelpEndsFivePixelsLeftOfHelp)
{
    const MsgDlgLayout l = MsgDlgLayout::compute(mbOKOnly, 60000);
    ASSERT_EQ(l.buttons.size(), 1u);
    EXPECT_EQ(l.buttons[0].left, 235);
    EXPECT_EQ(l.buttons[0].label, "&OK");
    EXPECT_TRUE(l.helpVisible);
    EXPECT_EQ(l.escapeResult(), mrOk);
}

TEST(MsgDlgLayout, WithoutHelpTheButtonTakesItsPlace)
{
    const MsgDlgLayout l = MsgDlgLayout::compute(mbOKOnly, 0);
    ASSERT_EQ(l.buttons.size(), 1u);
    EXPECT_EQ(l.buttons[0].left, 330);
    EXPECT_FALSE(l.helpVisible);
}

TEST(MsgDlgLayout, YesNoCancelFromTheLeftEscapeCancels)
{
    const MsgDlgLayout l = MsgDlgLayout::compute(kYesNoCancel, 0);
    ASSERT_EQ(l.buttons.size(), 3u);
    EXPECT_EQ(l.buttons[0].label, "&Да");
    EXPECT_EQ(l.buttons[1].label, "&Нет");
    EXPECT_EQ(l.buttons[2].label, "&Отмена");
    EXPECT_EQ(l.buttons[2].left, 330);
    EXPECT_EQ(l.buttons[1].left, 235);
    EXPECT_EQ(l.buttons[0].left, 140);
    EXPECT_EQ(l.escapeResult(), mrCancel);
}

TEST(MsgDlgLayout, FourOrMoreKeepTheDesignPositions)
{
    const MsgDlgLayout l = MsgDlgLayout::compute(
        kYesNoCancel | msgButtonSet(mbRetry) | msgButtonSet(mbAll), 60000);
    EXPECT_EQ(l.counted, 5);
    ASSERT_EQ(l.buttons.size(), 3u);
    EXPECT_EQ(l.buttons[0].left, 45);
    EXPECT_EQ(l.buttons[1].left, 140);
    EXPECT_EQ(l.buttons[2].left, 235);
}

TEST(MsgDlgLayout, TwoButtonsWithoutCancelIgnoreEscape)
{
    const MsgDlgLayout l =
        MsgDlgLayout::compute(msgButtonSet(mbYes) | msgButtonSet(mbRetry), 60000);
    ASSERT_EQ(l.buttons.size(), 2u);
    EXPECT_EQ(l.buttons[1].left, 235);
    EXPECT_EQ(l.buttons[0].left, 140);
    EXPECT_EQ(l.escapeResult(), mrNone);
}

TEST(MsgDlgTypes, CaptionsCarryBlanks)
{
    EXPECT_EQ(msgKindCaption(mkWarning), " Внимание ");
    EXPECT_EQ(msgKindCaption(mkError), " Ошибка ");
    EXPECT_EQ(msgKindCaption(mkInformation), " Информация ");
    EXPECT_EQ(msgKindCaption(mkConfirmation), " Подтвердите ");
    EXPECT_EQ(msgKindCaption(7), "");
}

TEST(TfmMxMsg, ErrorShowsCaptionButtonAndHelpAndClosesWithEscape)
{
    TfmMxMsg dlg;
    dlg.setup(QStringLiteral("Деление на ноль"), mkError, mbOKOnly, 60000);
    EXPECT_EQ(dlg.windowTitle(), " Ошибка ");
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(dlg.size(), QSize(421, 206));
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_TRUE(dlg.bt1->isVisible());
        EXPECT_EQ(dlg.bt1->x(), 235);
        EXPECT_EQ(dlg.bt1->text(), "&OK");
        EXPECT_TRUE(dlg.btHelp->isVisible());
        EXPECT_EQ(dlg.btHelp->x(), 330);
        EXPECT_FALSE(dlg.bt2->isVisible());
        QTest::keyClick(&dlg, Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.exec(), mrOk);
}

TEST(TfmMxMsg, WarningWithoutHelpContextHidesHelp)
{
    TfmMxMsg dlg;
    dlg.setup(QStringLiteral("x"), mkWarning, mbOKOnly, 0);
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_FALSE(dlg.btHelp->isVisible());
        EXPECT_EQ(dlg.bt1->x(), 330);
        dlg.bt1->click();
    });
    EXPECT_EQ(dlg.exec(), mrOk);
    EXPECT_EQ(dlg.windowTitle(), " Внимание ");
}

TEST(TfmMxMsg, YesNoCancelEscapeReturnsCancelAndButtonsReturnTheirResults)
{
    TfmMxMsg dlg;
    dlg.setup(QStringLiteral("?"), mkConfirmation, kYesNoCancel, 0);
    QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); });
    EXPECT_EQ(dlg.exec(), mrCancel);

    TfmMxMsg again;
    again.setup(QStringLiteral("?"), mkConfirmation, kYesNoCancel, 0);
    QTimer::singleShot(0, &again, [&] { again.bt2->click(); });
    EXPECT_EQ(again.exec(), mrNo);
}

TEST(TfmMxMsg, MessageLineBreaksAndHelpContext)
{
    TfmMxMsg dlg;
    int helped = 0;
    dlg.setHelpHandler([&](int context) { helped = context; });
    dlg.setup(QStringLiteral("one\rtwo"), mkError, mbOKOnly, 60000);
    EXPECT_EQ(dlg.lbMessage->text(), "one\ntwo");
    EXPECT_TRUE(dlg.lbMessage->wordWrap());
    EXPECT_EQ(dlg.lbMessage->geometry(), QRect(6, 18, 359, 138));
    dlg.btHelp->click();
    EXPECT_EQ(helped, 60000);
}
