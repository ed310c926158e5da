#include "KeyFocus.h"

#include <QFocusEvent>

namespace mx {

KeyFocus::KeyFocus(QWidget* parking) : m_parking(parking) {}

KeyFocus::~KeyFocus()
{
    for (const auto& [control, role] : m_watched)
        if (control)
            control->removeEventFilter(this);
}

void KeyFocus::addTypingControl(QWidget* control)
{
    watch(control, Role::Typing);
}

void KeyFocus::addRegister(QWidget* control)
{
    watch(control, Role::Register);
}

void KeyFocus::watch(QWidget* control, Role role)
{
    m_watched.emplace_back(control, role);
    control->installEventFilter(this);
}

void KeyFocus::park()
{
    m_pending = nullptr;
    if (m_parking)
        m_parking->setFocus(Qt::OtherFocusReason);
    m_preview = true;
}

void KeyFocus::focusAfterModal(QWidget* control)
{
    m_pending = control;
    control->setFocus(Qt::OtherFocusReason);
}

bool KeyFocus::activated()
{
    QWidget* control = m_pending;
    m_pending = nullptr;
    if (!control || !control->isVisible() || !control->isEnabled())
        return false;
    control->setFocus(Qt::ActiveWindowFocusReason);
    return true;
}

bool KeyFocus::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut && type != QEvent::KeyPress &&
        type != QEvent::MouseButtonPress)
        return false;
    Role role = Role::Typing;
    bool known = false;
    for (const auto& [control, r] : m_watched) {
        if (control == watched) {
            role = r;
            known = true;
        }
    }
    if (!known)
        return false;
    if (watched == m_pending) {
        // The user has reached the control (typed or clicked there) or left it for another
        // one: the request is settled. Leaving with the window (deactivation, a popup) keeps
        // it for the activation still to come.
        const bool settled =
            type == QEvent::KeyPress || type == QEvent::MouseButtonPress ||
            (type == QEvent::FocusOut &&
             static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
             static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason);
        if (settled)
            m_pending = nullptr;
    }
    if (role == Role::Typing) {
        if (type == QEvent::FocusIn)
            m_preview = false;
        else if (type == QEvent::FocusOut)
            m_preview = true;
    } else if (type == QEvent::FocusIn) {
        if (m_parking)
            m_parking->setFocus(Qt::OtherFocusReason);
    } else if (type == QEvent::FocusOut) {
        m_preview = true;
    }
    return false;
}

} // namespace mx
