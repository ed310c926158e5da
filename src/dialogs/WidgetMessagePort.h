#pragma once

#include "MsgDlgTypes.h"

#include <functional>

class QWidget;

namespace mx {

class TfmMxMsg;

// ShowMsgDlg on screen: one TfmMxMsg per message, shown modally and freed when closed.
// The help context of the last dialog that had one stays for its help button.
class WidgetMessagePort : public MessagePort
{
public:
    using HelpHandler = std::function<void(int helpContext)>;
    // Called with each dialog before it is shown (the interface text is applied there).
    using DialogHook = std::function<void(TfmMxMsg&)>;

    explicit WidgetMessagePort(HelpHandler onHelp = {}, DialogHook onCreate = {})
        : m_onHelp(std::move(onHelp)), m_onCreate(std::move(onCreate))
    {
    }

    int ShowMsgDlg(const QString& message, int kind, MsgButtons buttons,
                   int helpContext) override;

private:
    HelpHandler m_onHelp;
    DialogHook m_onCreate;
    int m_lastHelpContext = 0;
};

} // namespace mx
