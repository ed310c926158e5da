#include "AppKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace mx {

bool AppKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* window = widget->window();
    // A key event goes to the window's focus widget (the window itself when it has none) and
    // may then propagate to its parents; look at it once, at the first.
    const QWidget* target = window->focusWidget();
    if (widget != (target ? target : window))
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (key.key() == Qt::Key_F1 && key.modifiers() == Qt::NoModifier) {
        // The help of the innermost part that has its own (the formula frame), else the
        // window's.
        int context = 0;
        for (QWidget* w = widget; w && context == 0; w = w->parentWidget())
            context = w->property("helpContext").toInt();
        if (m_help)
            m_help(context);
        return true;
    }
    if (window == m_previewWindow && m_preview && !QApplication::activeModalWidget())
        m_preview(key);
    return false;
}

} // namespace mx
