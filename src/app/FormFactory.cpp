#include "FormFactory.h"

#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace mx {

namespace {
const char* const kKnownForms[] = {"fmMxAbout", "fmMxOptions", "fmMxStat"};
}

bool FormFactory::ShowForm(const QString& name, int mode)
{
    const QString trimmed = name.trimmed();
    if (!trimmed.isEmpty()) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() != trimmed || !w->isVisible())
                continue;
            if (w->isMinimized())
                w->showNormal();
            w->raise();
            w->activateWindow();
            w->setFocus();
            return true;
        }
    }
    return FormDoCreate(name, mode);
}

bool FormFactory::FormDoCreate(const QString& name, int mode)
{
    for (const char* known : kKnownForms) {
        if (name.compare(QLatin1String(known), Qt::CaseInsensitive) != 0)
            continue;
        const auto it = m_creators.find(QString::fromLatin1(known));
        QWidget* w = it == m_creators.end() ? nullptr : it->second();
        if (w) {
            w->setAttribute(Qt::WA_DeleteOnClose);
            if (mode == Modal) {
                if (auto* dialog = qobject_cast<QDialog*>(w))
                    dialog->exec();
                else
                    w->show();
            } else if (mode == Modeless) {
                // In front and active, so that its title and its focused field are read out.
                w->show();
                w->raise();
                w->activateWindow();
            }
            return true;
        }
        m_messages.ShowMsgDlg(QStringLiteral("Utils FormDoCreate: Не могу создать ") + name,
                              mkWarning, mbOKOnly, hcNone);
        return false;
    }
    m_messages.ShowMsgDlg(QStringLiteral("Utils FormDoCreate: Неизвестный ") + name, mkWarning,
                          mbOKOnly, hcNone);
    m_messages.ShowMsgDlg(QStringLiteral("Utils FormDoCreate: Не могу создать ") + name,
                          mkWarning, mbOKOnly, hcNone);
    return false;
}

} // namespace mx
