#include "RunningShell.h"
#include "app/MainCommands.h"
#include "app/StatLink.h"
#include "app/TfmMxMain.h"
#include "dialogs/TfmMxMsg.h"
#include "stats/OrderMeasures.h"
#include "stats/SampleChart.h"
#include "stats/TfmMxStat.h"
#include "texts/ContrastColour.h"

#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace mx;
using mx::test::RunningShell;

namespace {

// Where a control draws its caption: inside a push button's frame, after a check box's or
// radio button's indicator, inside a label's frame.
QRect captionArea(const QWidget* w)
{
    if (qobject_cast<const QPushButton*>(w))
        return w->rect().adjusted(4, 4, -4, -4);
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
        const int indicator = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                              w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
        return w->rect().adjusted(indicator, 0, 0, 0);
    }
    return static_cast<const QLabel*>(w)->contentsRect();
}

QString caption(const QWidget* w)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(w); l && l->pixmap().isNull())
        return l->text();
    return QString();
}

QRgb commonest(const QImage& image, const QRect& area)
{
    QHash<QRgb, int> counts;
    QRgb colour = 0;
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int n = ++counts[image.pixel(x, y)];
            if (n > most) {
                most = n;
                colour = image.pixel(x, y);
            }
        }
    }
    return colour;
}

// The contrast of a caption as painted: the colour the control writes it in (active and
// inactive) against the ground read from a grab of it, the commonest colour of its caption's
// area, or of each row that holds ink in a push button, whose style may run a gradient down
// it. The worst row counts.
double paintedContrast(QWidget* w)
{
    const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect area = captionArea(w).intersected(image.rect());
    const bool byRow = qobject_cast<QPushButton*>(w);
    const QColor inks[] = {w->palette().color(QPalette::Active, w->foregroundRole()),
                           w->palette().color(QPalette::Inactive, w->foregroundRole())};
    const QColor whole(commonest(image, area));
    double worst = 21;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRect row(area.left(), y, area.width(), 1);
        const QColor ground = byRow ? QColor(commonest(image, row)) : whole;
        bool ink = false;
        for (int x = row.left(); x <= row.right() && !ink; ++x)
            ink = contrastRatio(QColor(image.pixel(x, y)), ground) >= 1.5;
        if (!ink)
            continue;
        for (const QColor& c : inks)
            worst = std::min(worst, contrastRatio(c, ground));
    }
    return worst;
}

// The enabled, shown buttons and labels with a caption of a window (not of a window it owns)
// whose painted contrast is below 4.5:1.
QStringList illegible(QWidget* window)
{
    QStringList faults;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisibleTo(window) || !w->isEnabled() ||
            caption(w).trimmed().isEmpty())
            continue;
        const double contrast = paintedContrast(w);
        if (contrast < kTextContrast)
            faults << QStringLiteral("%1 \"%2\" %3:1")
                          .arg(w->objectName(), caption(w))
                          .arg(contrast, 0, 'f', 2);
    }
    return faults;
}

// The shown captions of a window (not of a window it owns) wider than the room their
// control gives them; word-wrapped and rich-text labels find their own room.
QStringList cutCaptions(QWidget* window)
{
    QStringList faults;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QString text = caption(w);
        if (w->window() != window || !w->isVisibleTo(window) || text.trimmed().isEmpty())
            continue;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->wordWrap() || Qt::mightBeRichText(text))
                continue;
        } else {
            text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
        }
        const QFontMetricsF metrics(w->font());
        double widest = 0;
        for (const QString& line : text.split(u'\n'))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        // A push button's caption may run up to its edges; the others have their own area.
        const int room = qobject_cast<QPushButton*>(w) ? w->width() : captionArea(w).width();
        if (widest > room + 0.5)
            faults << QStringLiteral("%1 \"%2\" needs %3, has %4")
                          .arg(w->objectName(), text)
                          .arg(widest, 0, 'f', 1)
                          .arg(room);
    }
    return faults;
}

// The faults that `check` finds in the modal dialog `open` brings up, read while it shows.
QStringList inModal(const std::function<void()>& open,
                    const std::function<QStringList(QWidget*)>& check)
{
    QStringList faults = {QStringLiteral("no modal dialog showed")};
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            faults = check(dialog);
            dialog->close();
        }
    });
    open();
    return faults;
}

QPalette darkPalette()
{
    QPalette p(QColor(0x35, 0x35, 0x35), QColor(0x2b, 0x2b, 0x2b));
    p.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    p.setColor(QPalette::Base, QColor(0x2b, 0x2b, 0x2b));
    p.setColor(QPalette::AlternateBase, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    p.setColor(QPalette::HighlightedText, Qt::white);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

// White on black with a yellow selection, as the desktops' high-contrast themes have it.
QPalette highContrastPalette()
{
    QPalette p(Qt::white, Qt::black, QColor(0x80, 0x80, 0x80), QColor(0x40, 0x40, 0x40),
               QColor(0x60, 0x60, 0x60), Qt::white, Qt::white, Qt::black, Qt::black);
    p.setColor(QPalette::Highlight, Qt::yellow);
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return p;
}

// The application's palette switched as a desktop switches its theme; the windows take it
// from their event queue.
void switchPalette(const QPalette& palette)
{
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();
}

struct PaletteCase
{
    const char* name;
    std::function<QPalette()> palette; // empty: the palette the program starts with
};

void PrintTo(const PaletteCase& row, std::ostream* out)
{
    *out << row.name;
}

class Legibility : public testing::TestWithParam<PaletteCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.start());
        m_started = QApplication::palette();
    }
    void TearDown() override { switchPalette(m_started); }

    RunningShell app;
    QPalette m_started;
};

// The windows are made under the palette the program starts with; the palette of the row is
// set while they run, as a desktop switching its theme does.
TEST_P(Legibility, EveryCaptionOfEveryWindowReachesTheContrast)
{
    if (GetParam().palette)
        switchPalette(GetParam().palette());
    TfmMxMain& main = app.window();
    main.cbClsHistory->setChecked(true); // with CH and PH
    main.cbClsFormula->setChecked(true);
    EXPECT_EQ(illegible(&main), QStringList()) << "main window";

    main.button(KeyId::Sta)->click();
    TfmMxStat* stat = app.commands().stats().statWindow();
    ASSERT_NE(stat, nullptr);
    EXPECT_EQ(illegible(stat), QStringList()) << "statistics window";

    EXPECT_EQ(inModal([&] { app.commands().Tools_Options->trigger(); }, illegible), QStringList())
        << "options dialog";

    TfmMxMsg msg;
    msg.setup(QStringLiteral("Сохранить?"), mkConfirmation,
              MsgButtons(mbYesNo | msgButtonSet(mbCancel)), hcMessages);
    msg.show();
    EXPECT_EQ(illegible(&msg), QStringList()) << "message dialog";
}

// Run once more at the scale factors 1.25, 1.5 and 2 (QT_SCALE_FACTOR, see the test list).
TEST(LegibilityScale, NoCaptionOfAnyWindowIsWiderThanItsControl)
{
    RunningShell app;
    ASSERT_TRUE(app.start());
    TfmMxMain& main = app.window();
    main.cbClsHistory->setChecked(true);
    main.cbClsFormula->setChecked(true);
    main.cbClsInv->setChecked(true); // ASin, ACos, ATg
    EXPECT_EQ(cutCaptions(&main), QStringList()) << "main window";

    main.button(KeyId::Sta)->click();
    TfmMxStat* stat = app.commands().stats().statWindow();
    ASSERT_NE(stat, nullptr);
    EXPECT_EQ(cutCaptions(stat), QStringList()) << "statistics window";

    EXPECT_EQ(inModal([&] { app.commands().Tools_Options->trigger(); }, cutCaptions), QStringList())
        << "options dialog";

    TfmMxMsg msg;
    msg.setup(QStringLiteral("Сохранить?"), mkConfirmation,
              MsgButtons(mbYesNo | msgButtonSet(mbCancel)), hcMessages);
    msg.show();
    EXPECT_EQ(cutCaptions(&msg), QStringList()) << "message dialog";
}

INSTANTIATE_TEST_SUITE_P(Palettes, Legibility, testing::Values(
    PaletteCase{"AsStarted", {}},
    PaletteCase{"Dark", darkPalette},
    PaletteCase{"HighContrast", highContrastPalette}),
    [](const auto& row) { return std::string(row.param.name); });

// Where the desktop's dark theme is asked for (Qt's GTK platform theme with a ":dark" GTK
// theme), the program starts in it, so that the rows "AsStarted" above read the windows in it.
TEST(LegibilityTheme, TheDesktopsDarkThemeIsInForceWhereAskedFor)
{
    if (!qEnvironmentVariable("GTK_THEME").endsWith(QLatin1String(":dark")))
        GTEST_SKIP() << "no dark desktop theme asked for";
    EXPECT_LT(relativeLuminance(QApplication::palette().color(QPalette::Window)), 0.1);
    EXPECT_GT(relativeLuminance(QApplication::palette().color(QPalette::WindowText)), 0.5);
}

TEST(LegibilityTheme, SwitchingThePaletteRecoloursTheKeysAndSwitchingBackRestoresThem)
{
    RunningShell app;
    ASSERT_TRUE(app.start());
    const QPalette started = QApplication::palette();
    QList<QColor> before;
    for (const KeyId id : {KeyId::MC, KeyId::Sin, KeyId::D7})
        before << app.window().button(id)->palette().color(QPalette::ButtonText);

    switchPalette(darkPalette());
    for (int i = 0; i < 3; ++i) {
        QPushButton* key = app.window().button(std::array{KeyId::MC, KeyId::Sin, KeyId::D7}[i]);
        EXPECT_NE(key->palette().color(QPalette::ButtonText), before[i]) << key->text().toStdString();
        EXPECT_GE(paintedContrast(key), kTextContrast) << key->text().toStdString();
    }
    switchPalette(started);
    for (int i = 0; i < 3; ++i) {
        QPushButton* key = app.window().button(std::array{KeyId::MC, KeyId::Sin, KeyId::D7}[i]);
        EXPECT_EQ(key->palette().color(QPalette::ButtonText), before[i]) << key->text().toStdString();
    }
}

// The picture of the sample stands on the palette's ground with its bars set off from it;
// copied, it stays black on white as on paper.
TEST(LegibilityChart, TheSamplePictureIsPaintedInThePalettesColoursAndCopiedAsOnPaper)
{
    const std::vector<double> sample = {1, 2, 2, 3, 3, 3, 3, 4, 4, 5, 6, 12};
    SampleChart chart([](double v) { return QString::number(v); });
    chart.resize(400, 360);
    chart.setPicture(computeSamplePicture(sample, computeOrderMeasures(std::span(sample))));
    for (const QPalette& palette : {QApplication::palette(), darkPalette(), highContrastPalette()}) {
        chart.setPalette(palette);
        const QRgb ground = palette.color(QPalette::Base).rgb();
        SCOPED_TRACE(QColor(ground).name().toStdString());
        const QImage shot = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(commonest(shot, shot.rect()), ground);
        // The bars' fill: the commonest colour inside the picture's middle, over the bars.
        const QRect bars(60, 120, 280, 100);
        QHash<QRgb, int> counts;
        for (int y = bars.top(); y <= bars.bottom(); ++y)
            for (int x = bars.left(); x <= bars.right(); ++x)
                if (shot.pixel(x, y) != ground)
                    ++counts[shot.pixel(x, y)];
        ASSERT_FALSE(counts.isEmpty());
        const QRgb fill = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                           [](auto a, auto b) { return a.second < b.second; })->first;
        EXPECT_GE(contrastRatio(QColor(fill), QColor(ground)), 1.5);
        const QImage copied = chart.image();
        EXPECT_EQ(QColor(commonest(copied, copied.rect())), QColor(Qt::white));
    }
}

} // namespace
