#include "ApplyInterfaceText.h"

#include "InterfaceText.h"
#include "LineBreaks.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace mx {

namespace {

// How long a hint stays visible.
constexpr int kHintDurationMs = 40000;

void setCaption(QObject* target, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
        button->setAccessibleName(text);
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
        group->setTitle(text);
    } else if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(target)) {
        action->setText(text);
    }
}

} // namespace

void applyHint(QWidget* w, const QString& text)
{
    w->setToolTip(text);
    w->setToolTipDuration(kHintDurationMs);
    if (w->accessibleName().isEmpty() || qobject_cast<QAbstractButton*>(w) == nullptr)
        w->setAccessibleDescription(text);
}

void ApplyInterfaceText(QWidget* window)
{
    if (!window)
        return;
    const QString name = window->objectName();
    for (const InterfaceTextEntry& e : interfaceTextTable()) {
        if (e.kind == InterfaceTextEntry::Help ||
            name.compare(QLatin1String(e.window), Qt::CaseInsensitive) != 0)
            continue;
        const QString text = withLineBreaks(QString::fromUtf16(e.text));
        if (*e.control == '\0') {
            window->setWindowTitle(text);
            continue;
        }
        QObject* target = window->findChild<QObject*>(QLatin1String(e.control));
        if (!target)
            continue;
        if (e.kind == InterfaceTextEntry::Hint) {
            if (auto* w = qobject_cast<QWidget*>(target))
                applyHint(w, text);
        } else {
            setCaption(target, text);
        }
    }
}

} // namespace mx
