#pragma once

#include "texts/HelpContext.h"
#include "texts/MessagePort.h"

#include <QString>

#include <array>

namespace mx {

struct MsgButtonInfo
{
    const char16_t* label;
    int result;
    bool isCancel;
};

// Indexed by MsgButton id 0..9.
inline constexpr std::array<MsgButtonInfo, 10> kMsgButtons{{
    {u"&Да", mrYes, false},
    {u"&Нет", mrNo, true},
    {u"&OK", mrOk, false},
    {u"&Отмена", mrCancel, true},
    {u"&Прервать", mrAbort, true},
    {u"&Повторить", mrRetry, false},
    {u"&Пропустить", mrIgnore, false},
    {u"Все", mrAll, false},
    {u"Нет все", mrNoToAll, false},
    {u"Да все", mrYesToAll, false},
}};

static_assert(kMsgButtons[mbYes].result == mrYes && kMsgButtons[mbNo].result == mrNo &&
                  kMsgButtons[mbOK].result == mrOk && kMsgButtons[mbCancel].result == mrCancel &&
                  kMsgButtons[mbAbort].result == mrAbort &&
                  kMsgButtons[mbRetry].result == mrRetry &&
                  kMsgButtons[mbIgnore].result == mrIgnore && kMsgButtons[mbAll].result == mrAll &&
                  kMsgButtons[mbNoToAll].result == mrNoToAll &&
                  kMsgButtons[mbYesToAll].result == mrYesToAll,
              "kMsgButtons is indexed by MsgButton");

// Caption of the dialog for a kind, blanks included; empty for an unknown kind.
QString msgKindCaption(int kind);

} // namespace mx
