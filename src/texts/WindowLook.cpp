#include "WindowLook.h"

#include <QFontDatabase>
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

void addDecPosTickLabels(QSlider* trackBar, QLabel* floatLabel, int top,
                         const QString& namePrefix)
{
    QWidget* parent = trackBar->parentWidget();
    // The marks run from 6 pixels inside the track bar's left end to 6 inside its right.
    const int usable = trackBar->width() - 12;
    auto markX = [&](int pos) { return trackBar->x() + 6 + usable * pos / 11; };
    for (int pos = 0; pos <= 10; pos += 2) {
        auto* tick = new QLabel(QString::number(pos), parent);
        if (!namePrefix.isEmpty())
            tick->setObjectName(namePrefix + QString::number(pos));
        tick->setAlignment(Qt::AlignHCenter);
        tick->setGeometry(markX(pos) - 10, top, 20, 16);
    }
    floatLabel->setAlignment(Qt::AlignLeft);
    floatLabel->setGeometry(markX(11) - 5, top, 40, 16);
}

} // namespace mx
