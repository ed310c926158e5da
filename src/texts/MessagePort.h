#pragma once

#include <QString>

#include <cstdint>

namespace mx {

// Kinds of message; any other number leaves the dialog's designed icon and caption.
enum MsgKind : int { mkWarning = 0, mkError = 1, mkInformation = 2, mkConfirmation = 3 };

// Button ids; a button set selects id n with bit n. Help (10) is never part of a set:
// the help context decides whether the help button shows.
enum MsgButton : int {
    mbYes = 0,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};

using MsgButtons = std::uint16_t;

constexpr MsgButtons msgButtonSet(MsgButton b) { return MsgButtons(1u << b); }
constexpr MsgButtons mbOKOnly = msgButtonSet(mbOK);
constexpr MsgButtons mbYesNo = MsgButtons(msgButtonSet(mbYes) | msgButtonSet(mbNo));

// Results returned for the buttons.
enum MsgResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10
};

// The one route for the program's messages. The window implementation shows the modal
// dialog; tests record the messages and choose the answer.
class MessagePort
{
public:
    virtual ~MessagePort() = default;
    // Returns the result number of the button that closed the dialog.
    virtual int ShowMsgDlg(const QString& message, int kind, MsgButtons buttons,
                           int helpContext) = 0;
};

} // namespace mx
