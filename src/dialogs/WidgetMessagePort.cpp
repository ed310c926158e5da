#include "WidgetMessagePort.h"

#include "TfmMxMsg.h"

namespace mx {

int WidgetMessagePort::ShowMsgDlg(const QString& message, int kind, MsgButtons buttons,
                                  int helpContext)
{
    TfmMxMsg dialog;
    if (m_onCreate)
        m_onCreate(dialog);
    if (helpContext != 0)
        m_lastHelpContext = helpContext;
    dialog.setHelpHandler([this](int) {
        if (m_onHelp)
            m_onHelp(m_lastHelpContext);
    });
    dialog.setup(message, kind, buttons, helpContext);
    return dialog.exec();
}

} // namespace mx
