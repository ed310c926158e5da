#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QKeyEvent;

#include <utility>
#include <vector>

namespace mx {

// The one owner of the main window's keyboard focus and key preview. Between keys the focus
// is parked on a hidden control and the window previews every typed character for the
// keypad. A control that takes typing of its own (the formula line, the tape) has the
// preview off while it holds the focus; a register hands the focus straight back to the
// parking control. A routine that wants a control focused once its modal dialog has closed
// asks for it here: the window's next activation, which on a desktop arrives after the
// dialog has gone, then gives the focus there instead of parking it.
//
// The keys and setting controls are reached by Tab alone (a click does not focus them). One
// that has the focus and was last pressed from the keyboard keeps the focus when its handler
// parks, so that a keyboard user goes on from there; a click parks as ever. Tab and Ctrl+Tab leave a control
// that takes typing, which never gets a tab character.
//
// It keeps no plain pointer to a widget: every control it knows is a guarded pointer, and it
// watches the controls through event filters, which go with the control when it dies.
class KeyFocus : public QObject
{
    Q_OBJECT

public:
    explicit KeyFocus(QWidget* parking);
    ~KeyFocus() override;

    bool keyPreview() const { return m_preview; }

    // Typing reaches `control` itself: the preview is off while it has the focus.
    void addTypingControl(QWidget* control);
    // `control` shows a value but takes no focus: the focus goes on to the parking control.
    void addRegister(QWidget* control);
    // `control` is reached by Tab and keeps the focus when it is pressed from the keyboard.
    void addKeyboardControl(QWidget* control);
    // Whether parking now would leave the focus where it is, on a control of the keyboard.
    bool holdsFocus() const;

    // Focus to the parking control, key preview on. A key handler that parks has moved on,
    // so a focus asked for after a dialog is forgotten.
    void park();
    // Gives `control` the focus now and again at the window's next activation.
    void focusAfterModal(QWidget* control);
    // The window has become active: gives the focus asked for after a dialog and returns
    // true, or returns false when nothing was asked (the caller then parks).
    bool activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Role { Typing, Register, Keyboard };
    void watch(QWidget* control, Role role);
    // Moves the focus on from `control` for Tab, Shift+Tab, Ctrl+Tab and Ctrl+Shift+Tab.
    bool leaveByTab(QWidget* control, const QKeyEvent& key);

    QPointer<QWidget> m_parking;
    QPointer<QWidget> m_pending;
    std::vector<std::pair<QPointer<QWidget>, Role>> m_watched;
    // The last press on a control of the keyboard was the mouse's: its handler parks.
    bool m_byMouse = false;
    bool m_preview = true;
};

} // namespace mx
