#include "texts/CaptionColours.h"

#include <QApplication>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace mx;

namespace {

struct ContrastCase
{
    const char* name;
    QRgb a;
    QRgb b;
    double ratio;
};

void PrintTo(const ContrastCase& row, std::ostream* out)
{
    *out << row.name;
}

class ContrastRatio : public testing::TestWithParam<ContrastCase>
{
};

TEST_P(ContrastRatio, IsTheWcagRatioOfTheRelativeLuminances)
{
    const ContrastCase& c = GetParam();
    EXPECT_NEAR(contrastRatio(QColor(c.a), QColor(c.b)), c.ratio, 0.01);
    EXPECT_NEAR(contrastRatio(QColor(c.b), QColor(c.a)), c.ratio, 0.01);
}

// Reference figures of the WCAG contrast formula.
INSTANTIATE_TEST_SUITE_P(Colours, ContrastRatio, testing::Values(
    ContrastCase{"BlackOnWhite", qRgb(0, 0, 0), qRgb(255, 255, 255), 21.0},
    ContrastCase{"Equal", qRgb(90, 140, 200), qRgb(90, 140, 200), 1.0},
    ContrastCase{"RedOnWhite", qRgb(255, 0, 0), qRgb(255, 255, 255), 4.00},
    ContrastCase{"BlueOnWhite", qRgb(0, 0, 255), qRgb(255, 255, 255), 8.59},
    ContrastCase{"FuchsiaOnLightGrey", qRgb(255, 0, 255), qRgb(239, 239, 239), 2.73},
    ContrastCase{"BlueOnDarkGrey", qRgb(0, 0, 255), qRgb(53, 53, 53), 1.43},
    ContrastCase{"Grey777OnWhite", qRgb(0x77, 0x77, 0x77), qRgb(255, 255, 255), 4.48}),
    [](const auto& row) { return std::string(row.param.name); });

struct GroundCase
{
    const char* name;
    QRgb ground;
};

void PrintTo(const GroundCase& row, std::ostream* out)
{
    *out << row.name;
}

class CaptionOnGround : public testing::TestWithParam<GroundCase>
{
};

// Every role on every kind of ground reaches the contrast and still reads as its hue.
TEST_P(CaptionOnGround, ReachesTheContrastInItsOwnHue)
{
    const QColor ground(GetParam().ground);
    for (CaptionRole role : {CaptionRole::Red, CaptionRole::Fuchsia, CaptionRole::Blue,
                             CaptionRole::Green}) {
        const QColor designed = CaptionColours::designed(role);
        const QColor shade = CaptionColours::resolve(role, ground);
        SCOPED_TRACE(shade.name().toStdString());
        EXPECT_GE(contrastRatio(shade, ground), kCaptionContrast);
        EXPECT_NEAR(shade.hslHueF(), designed.hslHueF(), 1.5 / 360);
        EXPECT_GT(shade.hslSaturationF(), 0.9);
        if (contrastRatio(designed, ground) >= kCaptionContrast) {
            EXPECT_EQ(shade, designed) << "a designed colour that reads well stays";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Grounds, CaptionOnGround, testing::Values(
    GroundCase{"White", qRgb(255, 255, 255)},
    GroundCase{"FusionLight", qRgb(0xef, 0xef, 0xef)},
    GroundCase{"FusionDarkKey", qRgb(0x40, 0x40, 0x40)},
    GroundCase{"AdwaitaDark", qRgb(0x35, 0x35, 0x35)},
    GroundCase{"HighContrastBlack", qRgb(0, 0, 0)},
    GroundCase{"NavyButton", qRgb(0x10, 0x18, 0x40)},
    GroundCase{"PaleYellow", qRgb(0xff, 0xf8, 0xc0)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ShadeWithContrast, FallsBackToBlackOrWhiteWhereNoShadeOfTheHueReaches)
{
    // On mid grey no colour reaches 7:1; the better end of the scale is the answer.
    const QColor grey(0x76, 0x76, 0x76);
    EXPECT_EQ(shadeWithContrast(QColor(Qt::red), grey, 7.0), QColor(Qt::black));
    EXPECT_EQ(shadeWithContrast(QColor(Qt::blue), QColor(0x60, 0x60, 0x60), 7.0),
              QColor(Qt::white));
}

TEST(CaptionColoursOwner, RecoloursAKeyWhenItsPaletteChangesAndKeepsTheDisabledLook)
{
    QPushButton key(QStringLiteral("MC"));
    key.resize(40, 30);
    CaptionColours colours;
    colours.assign(&key, CaptionRole::Red);
    const QColor disabled = key.palette().color(QPalette::Disabled, QPalette::ButtonText);

    for (const QColor ground : {QColor(0x35, 0x35, 0x35), QColor(Qt::black), QColor(Qt::white)}) {
        SCOPED_TRACE(ground.name().toStdString());
        QPalette palette = key.palette();
        palette.setColor(QPalette::Button, ground);
        key.setPalette(palette);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            const QColor caption = key.palette().color(group, QPalette::ButtonText);
            const CaptionColours::Grounds grounds = CaptionColours::captionGround(&key, group);
            EXPECT_GE(contrastRatio(caption, grounds.darkest), kCaptionContrast);
            EXPECT_GE(contrastRatio(caption, grounds.lightest), kCaptionContrast);
            EXPECT_EQ(caption, CaptionColours::resolve(CaptionRole::Red, grounds));
        }
        EXPECT_EQ(key.palette().color(QPalette::Disabled, QPalette::ButtonText), disabled);
    }
}

} // namespace
