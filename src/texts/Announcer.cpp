#include "Announcer.h"

#include "Readout.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QWidget>

namespace mx {

namespace {

const char kNoticeName[] = "mxNotice";

// The notification's accessible object: its name is what it says.
class NoticeAccessible : public QAccessibleWidget
{
public:
    explicit NoticeAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return widget()->accessibleName();
        return QAccessibleWidget::text(t);
    }
};

// The notice is a plain widget told apart by its object name, so the factory knows it.
QAccessibleInterface* noticeFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QWidget") || !object || !object->isWidgetType() ||
        object->objectName() != QLatin1String(kNoticeName))
        return nullptr;
    return new NoticeAccessible(static_cast<QWidget*>(object));
}

} // namespace

Announcer::Announcer()
{
    // Installed once for the process; a second installation would be asked twice.
    static const bool installed = [] {
        QAccessible::installFactory(noticeFactory);
        return true;
    }();
    (void)installed;
}

QWidget* Announcer::noticeOf(QWidget* window)
{
    QWidget* notice = window->findChild<QWidget*>(QLatin1String(kNoticeName),
                                                  Qt::FindDirectChildrenOnly);
    if (!notice) {
        notice = new QWidget(window);
        notice->setObjectName(QLatin1String(kNoticeName));
        notice->setFocusPolicy(Qt::NoFocus);
        notice->setAttribute(Qt::WA_TransparentForMouseEvents);
        notice->setGeometry(0, 0, 0, 0);
        notice->hide();
    }
    return notice;
}

void Announcer::say(QWidget* window, const QString& text)
{
    if (!window || text.isEmpty())
        return;
    m_last = text;
    QWidget* notice = noticeOf(window);
    // Shown again, it is spoken again, even with the same text.
    notice->hide();
    notice->setAccessibleName(text);
    notice->show();
}

void Announcer::sayValue(Readout* readout)
{
    if (!readout)
        return;
    const QString text = readout->text();
    if (!readout->hasFocus()) {
        // Said in the window the user is in, which may be another than the readout's.
        QWidget* active = QApplication::activeWindow();
        say(active ? active : readout->window(), text);
        return;
    }
    m_last = text;
    readout->speak();
}

} // namespace mx
