#pragma once

#include <QStringList>
#include <QtGlobal>

namespace mx::test {

// Qt's warnings that tell of a fault of the program, collected while an object of this class
// lives: a grid editor committed or closed after its view or model moved on, the accessible
// table asked for cells that do not exist, page setup on a printer it cannot serve. Every
// message still goes on to the handler before it.
class FaultWarnings
{
public:
    FaultWarnings()
    {
        s_seen = &m_seen;
        s_previous = qInstallMessageHandler(&FaultWarnings::handle);
    }
    ~FaultWarnings()
    {
        qInstallMessageHandler(s_previous);
        s_seen = nullptr;
    }
    FaultWarnings(const FaultWarnings&) = delete;
    FaultWarnings& operator=(const FaultWarnings&) = delete;

    const QStringList& seen() const { return m_seen; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        static const char* const faults[] = {
            "commitData called with an editor that does not belong to this view",
            "closeEditor called with an editor that does not belong to this view",
            "QAccessibleTable::child: Invalid index", "Cannot be used on non-native printers"};
        for (const char* fault : faults)
            if (s_seen && text.contains(QLatin1String(fault)) && !s_seen->contains(text))
                s_seen->append(text);
        if (s_previous)
            s_previous(type, context, text);
    }

    static inline QStringList* s_seen = nullptr;
    static inline QtMessageHandler s_previous = nullptr;
    QStringList m_seen;
};

} // namespace mx::test
