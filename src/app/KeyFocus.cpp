#include "KeyFocus.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

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

void KeyFocus::addKeyboardControl(QWidget* control)
{
    control->setFocusPolicy(Qt::TabFocus);
    watch(control, Role::Keyboard);
}

bool KeyFocus::holdsFocus() const
{
    if (!m_parking)
        return false;
    // The window's focus widget, which it keeps while a dialog is in front of it.
    const QWidget* current = m_parking->window()->focusWidget();
    if (m_byMouse || !current || !current->isVisible() || !current->isEnabled())
        return false;
    return std::any_of(m_watched.begin(), m_watched.end(), [current](const auto& w) {
        return w.second == Role::Keyboard && w.first == current;
    });
}

void KeyFocus::watch(QWidget* control, Role role)
{
    m_watched.emplace_back(control, role);
    control->installEventFilter(this);
}

void KeyFocus::park()
{
    m_pending = nullptr;
    if (m_parking && !holdsFocus())
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

bool KeyFocus::leaveByTab(QWidget* control, const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    const bool backward = key.key() == Qt::Key_Backtab ||
                          (key.key() == Qt::Key_Tab && (mods & Qt::ShiftModifier));
    if ((key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab) ||
        (mods & ~(Qt::ShiftModifier | Qt::ControlModifier)))
        return false;
    // The next control of the window that Tab stops at, in either direction.
    QWidget* w = control;
    do {
        w = backward ? w->previousInFocusChain() : w->nextInFocusChain();
    } while (w != control &&
             (w->window() != control->window() || !w->isVisible() || !w->isEnabled() ||
              !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()));
    if (w != control)
        w->setFocus(backward ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return true;
}

bool KeyFocus::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut && type != QEvent::KeyPress &&
        type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
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
    if (role == Role::Keyboard) {
        if (type == QEvent::KeyPress)
            m_byMouse = false;
        else if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)
            m_byMouse = true;
        return false;
    }
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
        if (type == QEvent::KeyPress && leaveByTab(static_cast<QWidget*>(watched),
                                                   *static_cast<QKeyEvent*>(event)))
            return true;
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
