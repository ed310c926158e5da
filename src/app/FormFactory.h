#pragma once

#include <QString>

#include <functional>
#include <map>

class QWidget;

namespace mx {

class MessagePort;

// Opens secondary windows by name. A creator returns the new window, or nullptr when the
// window cannot be created.
class FormFactory
{
public:
    enum Mode { CreateOnly = 0, Modeless = 1, Modal = 2 };
    using Creator = std::function<QWidget*()>;

    FormFactory(MessagePort& messages, std::map<QString, Creator> creators)
        : m_messages(messages), m_creators(std::move(creators))
    {
    }

    // Brings up the open window of that name (case counts, blanks around it ignored), or
    // creates it.
    bool ShowForm(const QString& name, int mode);
    bool FormDoCreate(const QString& name, int mode);

private:
    MessagePort& m_messages;
    std::map<QString, Creator> m_creators; // keyed by the window names
};

} // namespace mx
