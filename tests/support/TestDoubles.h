#pragma once

#include "texts/HelpContext.h"
#include "texts/MessagePort.h"
#include "engine/CalcHost.h"
#include "keypad/KeypadView.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>
#include <vector>

// Readable QString and QStringList values in test failures.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << "{\n";
    for (const QString& s : list)
        *os << "  \"" << s.toStdString() << "\"\n";
    *os << "}";
}

namespace mx::test {

struct RecordedMessage
{
    QString text;
    int kind;
    MsgButtons buttons;
    int helpContext;
};

// Records every message and answers with a chosen result, or, with `show` set, shows it
// through `show` (a real dialog) and answers with what that returns.
class RecordingMessages : public MessagePort
{
public:
    int ShowMsgDlg(const QString& message, int kind, MsgButtons buttons,
                   int helpContext) override
    {
        messages.push_back({message, kind, buttons, helpContext});
        return show ? show(message, kind, buttons, helpContext) : answer;
    }

    QStringList texts() const
    {
        QStringList out;
        for (const RecordedMessage& m : messages)
            out << m.text;
        return out;
    }

    std::vector<RecordedMessage> messages;
    int answer = mrOk;
    std::function<int(const QString&, int, MsgButtons, int)> show;
};

class RecordingHost : public CalcHost, public KeypadView
{
public:
    void beep() override { ++beeps; }
    void parkKeyFocus() override { ++parks; }
    void showLastOp(const QString& caption) override { lastOp = caption; }
    void ApplyHistoryLayout() override { ++historyLayouts; }
    void setTrigCaptions(const QString& sin, const QString& cos, const QString& tg) override
    {
        trigCaptions = QStringList{sin, cos, tg};
    }

    int beeps = 0;
    int parks = 0;
    int historyLayouts = 0;
    QString lastOp;
    QStringList trigCaptions;
};

} // namespace mx::test
