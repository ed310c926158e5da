#include "WindowLook.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSlider>

namespace mx {

QFont fixedPitchFont(int pixelSize)
{
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    if (!QFontInfo(mono).fixedPitch()) {
        mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        // The system's choice may be a face the font database does not know as fixed-pitch;
        // then the first installed family that is, the usual ones first.
        if (!QFontInfo(mono).fixedPitch()) {
            QStringList families = {QStringLiteral("DejaVu Sans Mono"),
                                    QStringLiteral("Liberation Mono"), QStringLiteral("Noto Mono")};
            families += QFontDatabase::families();
            for (const QString& family : families) {
                if (QFontDatabase::isFixedPitch(family) && QFontDatabase::hasFamily(family)) {
                    mono = QFont(family);
                    break;
                }
            }
        }
    }
    if (pixelSize > 0)
        mono.setPixelSize(pixelSize);
    return mono;
}

QFont withPixelSize(QFont font, int pixelSize)
{
    font.setPixelSize(pixelSize);
    return font;
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

namespace {
constexpr const char* kTickProperty = "decPosTick";
constexpr int kMarkInset = 6; // the marks start and end this far inside the track bar

int markX(const QSlider* trackBar, int usable, int pos)
{
    return trackBar->x() + kMarkInset + usable * pos / 11;
}
} // namespace

void addDecPosTickLabels(QSlider* trackBar, QLabel* floatLabel, int top,
                         const QString& namePrefix)
{
    QWidget* parent = trackBar->parentWidget();
    // The marks run from 6 pixels inside the track bar's left end to 6 inside its right.
    const int usable = trackBar->width() - 2 * kMarkInset;
    auto markX = [&](int pos) { return mx::markX(trackBar, usable, pos); };
    for (int pos = 0; pos <= 10; pos += 2) {
        auto* tick = new QLabel(QString::number(pos), parent);
        tick->setProperty(kTickProperty, pos);
        if (!namePrefix.isEmpty())
            tick->setObjectName(namePrefix + QString::number(pos));
        tick->setAlignment(Qt::AlignHCenter);
        tick->setGeometry(markX(pos) - 10, top, 20, 16);
    }
    floatLabel->setAlignment(Qt::AlignLeft);
    floatLabel->setGeometry(markX(11) - 5, top, 40, 16);
}

void fitDecPosTickLabels(QSlider* trackBar, QLabel* floatLabel, int right)
{
    QWidget* parent = trackBar->parentWidget();
    const QFontMetrics fm(floatLabel->font());
    const int gap = fm.horizontalAdvance(QLatin1Char(' '));
    const int tenHalf = (fm.horizontalAdvance(QStringLiteral("10")) + 1) / 2;
    const int floatWidth = fm.horizontalAdvance(floatLabel->text()) + 2;
    // From mark 10 on the row needs half of "10", a gap and the caption.
    const int x0 = trackBar->x() + kMarkInset;
    const int roomForTen = right - floatWidth - gap - tenHalf - x0;
    int usable = trackBar->width() - 2 * kMarkInset;
    if (usable * 10 / 11 > roomForTen) {
        usable = roomForTen * 11 / 10;
        trackBar->resize(usable + 2 * kMarkInset, trackBar->height());
    }
    for (QLabel* tick : parent->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QVariant pos = tick->property(kTickProperty);
        if (!pos.isValid())
            continue;
        const int width = fm.horizontalAdvance(tick->text()) + 2;
        tick->setGeometry(markX(trackBar, usable, pos.toInt()) - width / 2, tick->y(), width,
                          tick->height());
    }
    floatLabel->setGeometry(markX(trackBar, usable, 10) + tenHalf + gap, floatLabel->y(),
                            floatWidth, floatLabel->height());
}

} // namespace mx
