#pragma once

#include "MsgDlgTypes.h"

#include <vector>

namespace mx {

// Where the buttons of the message dialog go, computed from the button set and the help
// context without any widget, so that the window only applies it.
struct MsgDlgLayout
{
    struct Button
    {
        int id;
        QString label;
        int result;
        bool isCancel;
        int left;
    };

    // Design geometry of the dialog's buttons.
    static constexpr int kButtonTop = 174;
    static constexpr int kButtonWidth = 90;
    static constexpr int kButtonHeight = 30;
    static constexpr int kGap = 5;
    static constexpr int kHelpLeft = 330;
    static constexpr int kDesignLefts[3] = {45, 140, 235};

    std::vector<Button> buttons; // bt1, bt2, bt3 in that order; at most three
    int counted = 0;             // buttons in the set, including those beyond the third
    bool helpVisible = false;
    int rightEdge = 0; // P: the left of the rightmost button

    static MsgDlgLayout compute(MsgButtons set, int helpContext);

    // Result that Esc gives, or mrNone when no shown button is a cancel button.
    int escapeResult() const;
};

} // namespace mx
