#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace mx {

class Readout;

// The one owner of what a screen reader is told without the focus moving: a result, a
// count, a summary. A screen reader speaks text inserted into the focused field when it is
// also selected, and it speaks a notification when one is shown, wherever the focus is; it
// drops changed names of labels and changed descriptions. So a readout that has the focus
// speaks its new value itself, and anything else is carried by a notification of the window,
// an object of no size that a sighted user never sees.
class Announcer : public QObject
{
    Q_OBJECT

public:
    Announcer();

    // Says `text` once, now, in the shown window `window`.
    void say(QWidget* window, const QString& text);
    // Says the value of `readout`: through the readout itself while it has the focus,
    // otherwise as a notification of the active window.
    void sayValue(Readout* readout);

    // What was said last, for tests.
    const QString& lastSaid() const { return m_last; }

private:
    QWidget* noticeOf(QWidget* window);

    QString m_last;
};

} // namespace mx
