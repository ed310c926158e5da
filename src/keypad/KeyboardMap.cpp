#include "KeyboardMap.h"

namespace mx {

std::optional<KeyboardAction> mapTypedCharacter(QChar c)
{
    using A = KeyboardAction;
    switch (c.unicode()) {
    case 8:
        return A{A::Backspace, c};
    case 13:
    case u'=':
        return A{A::Equals, c};
    case u'+':
    case u'-':
    case u'*':
    case u'/':
        return A{A::Operator, c};
    case u'.':
    case u',':
        return A{A::Point, c};
    case u'C':
    case u'c':
        return A{A::Clear, c};
    case u'E':
    case u'e':
        return A{A::ClearEntry, c};
    default:
        if (c >= u'0' && c <= u'9')
            return A{A::Digit, c};
        return std::nullopt;
    }
}

} // namespace mx
