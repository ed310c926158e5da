#include "MsgDlgTypes.h"

namespace mx {

QString msgKindCaption(int kind)
{
    switch (kind) {
    case mkWarning:
        return QStringLiteral(" Внимание ");
    case mkError:
        return QStringLiteral(" Ошибка ");
    case mkInformation:
        return QStringLiteral(" Информация ");
    case mkConfirmation:
        return QStringLiteral(" Подтвердите ");
    default:
        return {};
    }
}

} // namespace mx
