#include "MsgDlgLayout.h"

namespace mx {

MsgDlgLayout MsgDlgLayout::compute(MsgButtons set, int helpContext)
{
    MsgDlgLayout layout;
    layout.helpVisible = helpContext != 0;
    layout.rightEdge = layout.helpVisible ? kHelpLeft - kGap - kButtonWidth : kHelpLeft;

    for (int id = 0; id < int(kMsgButtons.size()); ++id) {
        if (!(set & msgButtonSet(MsgButton(id))))
            continue;
        ++layout.counted;
        if (layout.buttons.size() < 3) {
            const MsgButtonInfo& info = kMsgButtons[id];
            layout.buttons.push_back({id, QString::fromUtf16(info.label), info.result,
                                      info.isCancel, kDesignLefts[layout.buttons.size()]});
        }
    }

    if (layout.counted <= 3) {
        // Right to left from P with gaps of 5 pixels.
        int left = layout.rightEdge;
        for (auto it = layout.buttons.rbegin(); it != layout.buttons.rend(); ++it) {
            it->left = left;
            left -= kButtonWidth + kGap;
        }
    }
    if (layout.counted == 1)
        layout.buttons.front().isCancel = true;
    return layout;
}

int MsgDlgLayout::escapeResult() const
{
    // As with several cancel buttons on one form, the last one assigned answers Esc.
    int result = mrNone;
    for (const Button& b : buttons)
        if (b.isCancel)
            result = b.result;
    return result;
}

} // namespace mx
