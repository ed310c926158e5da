#pragma once

#include "HelpWindow.h"

#include <QPointer>
#include <QString>
#include <QStringList>

namespace mx {

class MessagePort;

// The help: one HTML page per help context, and a contents page, shown in the program's own
// help window. A missing page is reported, never silently ignored.
class HelpViewer
{
public:
    HelpViewer(MessagePort& messages, QStringList searchDirs);
    ~HelpViewer();

    // The folders searched for the pages: beside the program, then the installed share.
    static QStringList defaultSearchDirs();

    // The page of a context, or the contents for 0; empty when no such page exists.
    QString pageFor(int helpContext) const;
    void showContext(int helpContext);
    void showContents() { showContext(0); }
    // The help window while one is open.
    HelpWindow* window() const { return m_window; }

private:
    MessagePort& m_messages;
    QStringList m_dirs;
    QPointer<HelpWindow> m_window;
};

// The product web site and a new support message in the desktop's browser and mail program.
void openProductSite();
void openSupportMail();

} // namespace mx
