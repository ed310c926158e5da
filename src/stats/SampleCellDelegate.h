#pragma once

#include <QStyledItemDelegate>

namespace mx {

// The editor of a cell of the sample's grid: Enter writes the cell and closes the editor at
// once. Qt's own delegate does both from a queued call after the key, so that an editor closed
// before that call (by a click elsewhere, Tab, Escape or a message taking the focus, all of
// which the window system may deliver in the same pass) was committed and closed a second time
// after the grid had let it go.
class SampleCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

} // namespace mx
