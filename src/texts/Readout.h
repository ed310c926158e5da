#pragma once

#include <QString>
#include <QWidget>

namespace mx {

// A control of no size that takes the focus and carries, for a screen reader, the name and
// the value of a field shown elsewhere. It tells the screen reader of a new value only when
// asked to say it (Announcer::sayValue): a value that changes as digits are typed is read on
// request but not spoken again, since the screen reader has echoed the keys already.
class Readout : public QWidget
{
    Q_OBJECT

public:
    explicit Readout(QWidget* parent);

    const QString& text() const { return m_text; }
    // The new value, read when asked for, not spoken.
    void setText(const QString& text);
    // The value spoken now: inserted anew and shown selected, which a screen reader speaks
    // in the focused control.
    void speak();

    // For the accessible object: whether the value is shown selected.
    bool selected() const { return m_selected; }

protected:
    // A value said is no longer shown selected once the focus has gone.
    void focusOutEvent(QFocusEvent* event) override;

private:
    void replaceText(const QString& text);

    QString m_text;
    bool m_selected = false;
};

} // namespace mx
