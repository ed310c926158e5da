#include "RunningShell.h"
#include "app/MainCommands.h"
#include "app/TapeMemo.h"
#include "app/TfmMxMain.h"
#include "texts/Readout.h"
#include "report/Report.h"
#include "report/ReportPreview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace mx;
using mx::test::RunningShell;

namespace {

class PrintTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(app.start()); }
    ReportPreview* preview() { return app.commands().preview(); }
    Report& report() { return app.commands().frRepClassic(); }

    RunningShell app;
};

TEST_F(PrintTest, CtrlPOpensThePreviewOfTheTapeEvenWithTheTapeHidden)
{
    EXPECT_TRUE(app.commands().File_Print->isEnabled());
    EXPECT_FALSE(app.window().cbClsHistory->isChecked());
    app.click("1 + 2 =");
    QTest::keyClick(&app.window(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_NE(preview(), nullptr);
    EXPECT_TRUE(preview()->isVisible());
    EXPECT_EQ(report().findObject("meHistory")->lines, app.window().meClsHistory->tapeLines());
    EXPECT_FALSE(preview()->lbPage->pixmap().isNull());
    // A second print shows the same preview again, prepared anew.
    app.click("+ 3 =");
    app.commands().File_Print->trigger();
    EXPECT_EQ(report().findObject("meHistory")->lines, app.window().meClsHistory->tapeLines());
    int previews = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        previews += w->objectName() == "fmReportPreview" && w->isVisible();
    EXPECT_EQ(previews, 1);
}

TEST_F(PrintTest, PHPrintsAndGivesTheKeysTheirFocusBack)
{
    app.window().cbClsHistory->setChecked(true);
    QPushButton* ph = app.window().button(KeyId::PH);
    EXPECT_TRUE(ph->isVisible());
    EXPECT_TRUE(ph->isEnabled());
    ph->click();
    ASSERT_NE(preview(), nullptr);
    EXPECT_EQ(app.window().focusWidget(), app.window().lbForSetFocus);
}

TEST_F(PrintTest, ThePreviewFindsZoomsAndTurnsPages)
{
    for (int i = 0; i < 150; ++i)
        app.window().meClsHistory->appendLine(QStringLiteral("    +%1  ").arg(i + 1, 25));
    app.window().meClsHistory->appendLine(QStringLiteral("    =               needle  "));
    app.commands().File_Print->trigger();
    ReportPreview& p = *preview();
    const int pages = report().pageCount();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(p.lbPageCount->text(), QStringLiteral("из %1").arg(pages));
    EXPECT_FALSE(p.btPrior->isEnabled());
    p.btNext->click();
    EXPECT_EQ(p.currentPage(), 1);
    p.btLast->click();
    EXPECT_EQ(p.currentPage(), pages - 1);
    EXPECT_FALSE(p.btNext->isEnabled());
    p.edPage->setValue(2);
    EXPECT_EQ(p.currentPage(), 1);
    p.btFirst->click();

    p.edFind->setText("NEEDLE");
    p.btFind->click();
    EXPECT_EQ(p.currentPage(), pages - 1);
    EXPECT_FALSE(p.mark().isNull());
    EXPECT_FALSE(p.findNext("needle")); // no later page holds it

    p.setZoom(1.0);
    const QSize actual = p.lbPage->pixmap().size();
    p.setZoom(2.0);
    EXPECT_NEAR(p.lbPage->pixmap().width(), 2 * actual.width(), 2);
    QTest::keyClick(&p, Qt::Key_Escape);
    EXPECT_FALSE(p.isVisible());
}

} // namespace

// Without a printer of the system, page setup says so instead of opening Qt's dialog on the
// PDF writer, which it cannot serve.
TEST_F(PrintTest, PageSetupWithoutAPrinterSaysThatNoneIsInstalled)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed here";
    app.commands().File_PrintExecute();
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        } else if (QWidget* other = QApplication::activeModalWidget()) {
            shown = other->metaObject()->className();
            other->close();
        }
    });
    preview()->pageSetup();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Принтер не установлен."))) << shown.toStdString();
}
